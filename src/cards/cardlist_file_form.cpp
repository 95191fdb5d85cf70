// Card-list files: the separator and qualifier of each separator type, and the file's bytes.
#include "cards/cardlist_file_write.h"

#include "platform/system/codepage.h"

namespace qv {

ListFieldForm listFieldForm(uint8_t separatorType, const QString& qualifier)
{
    switch (separatorType) {
    case kSeparatorSemicolon:
        return {QStringLiteral(";"), qualifier};
    case kSeparatorComma:
        return {QStringLiteral(","), qualifier};
    case kSeparatorTab:
        return {QStringLiteral("\t"), qualifier};
    case kSeparatorReadout:
        return {QStringLiteral(";"), QString(), true};
    case kSeparatorNone:
        return {QString(), QString()};
    default:
        return {QString(), qualifier};
    }
}

QString qualifierText(uint8_t qualifierCode)
{
    return qualifierCode == 0 ? QString() : QString(QChar(cp1252ToUnicode(qualifierCode)));
}

QByteArray cardListFileBytes(const QString& text)
{
    return stringToCp1252(text);
}

} // namespace qv
