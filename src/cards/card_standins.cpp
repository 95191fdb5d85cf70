// Stand-ins for helpers of other subsystems that the card interpreter calls, until their owners land.
#include "cards/card_standins.h"

#include "cards/card_externs.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/station_time.h"

namespace qv::cardsaux {

QString ReadoutTimestamp()
{
    if (gActionCode == ActSwitchOff)
        return gFileTimeText;
    const QDateTime now = Now(); // read once, whole seconds: never "24:00:00"
    return Format(now.date(), QStringLiteral("Short Date")) + u' ' +
           qv::FormatSeconds(QString::number(now.time().msecsSinceStartOfDay() / 1000));
}

} // namespace qv::cardsaux
