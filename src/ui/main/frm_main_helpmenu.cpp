// The help menu's windows: the about box, the text viewer for the protocol and read-me files, the language
// dialog.
#include "ui/main/frm_main.h"

namespace qv {

void FrmMain::wireHelpMenuHandlers()
{
}

} // namespace qv
