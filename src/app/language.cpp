// Language files and the text lookup by numeric text id.
#include "app/language.h"

namespace qv {

QString GetLangText(uint8_t /*lang*/, int32_t /*id*/, const QString& def)
{
    // No language file is loaded yet: every lookup gives its default.
    return def;
}

} // namespace qv
