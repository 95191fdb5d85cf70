// What the link reads from and shows in the main window, in one place.
#include "link/link_ui.h"

#include "platform/runtime/vberror.h"
#include "ui/main/frm_main.h"

namespace qv {

int16_t oldestGenerationBoxValue()
{
    // Frames are built only once the main window is there; before, no box is ticked.
    if (!FormInstance<FrmMain>::loaded())
        return 0;
    return static_cast<int16_t>(frmMain().chkAlt(0).Value());
}

QString errorText(const VbError& e)
{
    return e.Description().isEmpty() ? VbErrorText(e.Number()) : e.Description();
}

} // namespace qv
