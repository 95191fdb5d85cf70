// The reset of the whole program's state: each subsystem's own reset, lowest layer first.
#include "ui/main/program_state.h"

#include "app/app_state.h"
#include "cards/cards_state.h"
#include "extras/extras_state.h"
#include "link/link_globals.h"
#include "platform/controls/screen.h"
#include "platform/system/codepage.h"
#include "receiver/receiver_globals.h"
#include "stationdata/station_data.h"
#include "ui/main/main_globals.h"

namespace qv {

void resetProgramState()
{
    resetAppState();
    resetLinkState();
    resetStationDataState();
    resetCardsState();
    resetReceiverState();
    resetExtrasState();
    resetMainWindowState();
    // The platform's state the program sets: the code page probe's finding and the mouse pointer.
    gCodePageDiffers = false;
    Screen.setMousePointer(vbDefault);
}

} // namespace qv
