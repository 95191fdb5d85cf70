// Column keys of the card list: the key forms and the per-punch column groups.
#include "cards/cardlist_keys.h"

#include "cards/cardlist_columns.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"

namespace qv {

double leadingValue(const QString& text)
{
    try {
        return Val(text);
    } catch (const VbError&) {
        return 0;
    }
}

QString normalizeColumnKey(const QString& key)
{
    if (key.size() == 6)
        return key.left(4) + QLatin1Char('0') + key.right(2);
    return key;
}

QString perPunchKey(int group, int punch)
{
    return QStringLiteral("N14") + QString::number(1000 * group + punch);
}

QString perPunchHeading(int group, int punch)
{
    return QString::number(punch) + QLatin1Char('.') + cardListText(1640 + group);
}

int perPunchWidth(int group, int punch)
{
    switch (group) {
    case kPunchGroupCodeNo:
        return punch < 100 ? 580 : 640;
    case kPunchGroupDay:
        return 720;
    default:
        return 840;
    }
}

} // namespace qv
