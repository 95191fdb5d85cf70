// Language files and the text lookup by numeric text id.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// Index of the current language in the language lists (1-based; 0 = none).
inline uint8_t gLangIndex = 0;

// The text with the given id from the loaded language file, or `def` when the
// file has none.
QString GetLangText(uint8_t lang, int32_t id, const QString& def);

} // namespace qv
