// The program's run with its main window, and its end.
#include "ui/main/program.h"

#include "receiver/receiver.h"

#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"

#include <QApplication>

namespace qv {

namespace {

// The event loop of RunProgram is running; only then may the end of the program leave it.
bool gEventLoopRunning = false;

} // namespace

int RunProgram()
{
    InitCommonCtrls();
    gProgramEnded = false;
    gProgramStartup = true;
    FrmMain& main = frmMain();
    if (gProgramEnded || !main.startupCompleted())
        return 0;
    // Station replies reach the receiver from now on.
    InstallReceiver();
    gEventLoopRunning = true;
    const int code = QApplication::exec();
    gEventLoopRunning = false;
    return code;
}

void EndProgram()
{
    gProgramEnded = true;
    // exit, not quit: quit first asks every window to close, and the main window calls this from its own
    // unload, still shown, so it refuses the nested close and the quit would be cancelled, leaving the
    // process running without a window.
    if (gEventLoopRunning)
        QCoreApplication::exit(0);
}

} // namespace qv
