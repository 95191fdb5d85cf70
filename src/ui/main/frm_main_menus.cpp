// The menus of the main window: what each drop-down enables, the view and connection switches, the files and
// windows the menus open.
#include "ui/main/frm_main.h"

namespace qv {

void FrmMain::wireMenuHandlers()
{
}

} // namespace qv
