// libFuzzer target: arbitrary byte streams through the receive event with every action code.
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/comm/comm_ports.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/runtime/clock.h"
#include "receiver/receiver.h"
#include "receiver/receiver_globals.h"
#include "sim_pty.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"

#include <QApplication>
#include <array>
#include <cstdint>

using namespace qv;

namespace {

// Every value gActionCode takes, and a few that no operation sets.
constexpr std::array<int16_t, 25> kActions = {
    ActNone,
    ActRead,
    ActWrite,
    ActSetTime,
    ActBattery,
    ActReadBackup,
    ActTestTime,
    7,
    ActSetBaud,
    ActExtSettings,
    ActReadCards,
    ActClearBackup,
    ActCardsFile,
    ActSwitchOff,
    14,
    15,
    ActExtSettingsWrite,
    ActExtSettingsNext,
    ActSetDefaults,
    ActPasswordSet,
    ActPasswordClear,
    ActViewPunch,
    ActConfigAirCard,
    ActAirCardBattery,
    ActAirCardList,
};

// The program's side: a main window whose serial control is open on a
// pseudo-terminal nobody answers, and a clock that never really waits.
struct Setup
{
    Setup()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_receiver";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
        DialogHooks::setNoModal(true);
        setClock(&clock);
        pty.open();
        SerialPortEntry port;
        port.number = 1;
        port.devicePath = pty.slavePath();
        setSerialPortInventoryForTest(QList<SerialPortEntry>{port});
        gComPort = 1;
        frmMain().MSComm1.setCommPort(1);
    }

    QApplication* app = nullptr;
    FakeClock clock{QDateTime(QDate(2026, 12, 9), QTime(10, 0)), 7};
    sim::SimPty pty;
};

Setup& setup()
{
    static Setup s;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Setup& s = setup();
    if (size < 2)
        return 0;
    resetLinkState();
    gComPort = 1;
    gActionCode = kActions[data[0] % kActions.size()];
    gUseExtCommands = (data[1] & 1) == 0;
    gTraceOn = (data[1] & 2) != 0;
    gConnMode = (data[1] & 4) ? ConnDirect : ConnRemote;
    gFollowUpReadSent = (data[1] & 8) != 0;
    gReadRequestLen = (data[1] & 16) ? 120 : 128;
    gStationCodeLow = 0;

    // The stream arrives in pieces, as receive events do.
    const QByteArray stream(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const qsizetype piece = 1 + (data[1] >> 5) * 17;
    for (qsizetype at = 0; at < stream.size(); at += piece) {
        RxBufferSource source(stream.mid(at, piece));
        ReceiveFrom(source);
    }
    CloseLink();
    s.pty.readNow();
    DialogHooks::reset();
    DialogHooks::setNoModal(true);
    frmMain().rtbox(0).setText(QString());
    return 0;
}
