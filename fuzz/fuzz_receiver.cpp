// libFuzzer target: arbitrary byte streams through the receive event with every action code.
// It links the receiver layer and those below it only: no window, no port. Requests the handlers send go to
// the link's own serial control, which no port stands behind (the link reports that and closes).
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/comm/comm_ports.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/runtime/clock.h"
#include "receiver/receiver.h"
#include "receiver/receiver_globals.h"
#include "stationdata/station_data.h"

#include <QCoreApplication>
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

// The program's side: no window, a machine without serial ports, and a clock that never really waits.
struct Setup
{
    Setup()
    {
        static int argc = 1;
        static char name[] = "fuzz_receiver";
        static char* argv[] = {name, nullptr};
        app = new QCoreApplication(argc, argv);
        // Every unanswered message box would print a warning; thousands a second only slow the run down.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        DialogHooks::setNoModal(true);
        setClock(&clock);
        setSerialPortInventoryForTest(QList<SerialPortEntry>{});
    }

    QCoreApplication* app = nullptr;
    FakeClock clock{QDateTime(QDate(2026, 12, 9), QTime(10, 0)), 7};
};

Setup& setup()
{
    static Setup s;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    setup();
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
    DialogHooks::reset();
    DialogHooks::setNoModal(true);
    return 0;
}
