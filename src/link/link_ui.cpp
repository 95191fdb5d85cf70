// What the link reads from and shows in the main window, in one place.
#include "link/link_ui.h"

#include "link/link_window.h"
#include "platform/runtime/vberror.h"

namespace qv {

int16_t oldestGenerationBoxValue()
{
    return linkWindow().oldestGenerationBoxValue();
}

QString errorText(const VbError& e)
{
    return e.Description().isEmpty() ? VbErrorText(e.Number()) : e.Description();
}

} // namespace qv
