// What the language files' loader and their lookups share inside this subsystem.
#pragma once

namespace qv::lang_internal {

// Shows "No languages configures" when the loaded file declares an empty
// language list, once per load: the load itself shows it, and a lookup only
// when the load has not.
void warnIfNoLanguages();

// Forgets that the message was shown; each load starts afresh.
void resetNoLanguagesWarning();

} // namespace qv::lang_internal
