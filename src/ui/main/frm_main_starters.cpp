// The command starters: each prepares one station operation and opens the conversation with the station.
#include "ui/main/frm_main.h"

namespace qv {

void FrmMain::wireStarterHandlers()
{
}

} // namespace qv
