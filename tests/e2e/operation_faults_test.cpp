// Faults in the middle of the station operations that change or read out a station: the station pulled after
// its first reply, its replies garbled, the port gone with the device. Each operation ends with a message
// that names it, the port closed and the window free for the next operation, and no record claims it done; a
// Write cut after its first write request says the station may hold part of the new settings.
#include "app/language.h"
#include "app/settings.h"
#include "link/end_action.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/dialogs/msgbox.h"
#include "receiver/receiver_globals.h"
#include "receiver/write_replies.h"
#include "receiver_support.h"
#include "sim_backup.h"
#include "stationdata/backup_memory.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "support/test_support.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"
#include "ui/main/starters.h"

#include <tuple>

namespace qv::test {
namespace {

enum class Operation { Write, WriteCutAfterItsFirstWrite, SetDefaults, SetTime, ReadBackup };
enum class Fault { StationPulled, GarbledReplies, PortGone };

struct OperationCase
{
    Operation op;
    const char* name;
    int nameTextId; // the operation's name as the messages give it
};

const OperationCase kOperations[] = {
    {Operation::Write, "Write", 1787},
    {Operation::WriteCutAfterItsFirstWrite, "WriteCut", 1787},
    {Operation::SetDefaults, "SetDefaults", 1797},
    {Operation::SetTime, "SetTime", 1788},
    {Operation::ReadBackup, "ReadBackup", 1790},
};

const QDateTime kRaceDay(QDate(2026, 12, 9), QTime(9, 30, 0));

class OperationFaultsTest : public ReceiverE2E, public ::testing::WithParamInterface<std::tuple<int, Fault>>
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        ASSERT_TRUE(loadEnglishTexts());
        LoadModeNames();
        gWaitToReturnCur = 5.0f;
        gTimeAsked = true;
        gOkQuest = false;
    }
    void TearDown() override
    {
        ResetBackupListing();
        gWaitToReturnCur = gWaitToReturn;
        ReceiverE2E::TearDown();
        gXmlDoc.clear();
        LoadModeNames();
    }

    const OperationCase& operation() const { return kOperations[std::get<0>(GetParam())]; }
    Fault fault() const { return std::get<1>(GetParam()); }

    // Whether the fault strikes once the station has sent these replies: after the operation's first reply,
    // for the cut Write after the answer to its first write, for the backup read-out after its first block.
    bool strikesAfter(const QList<sim::LogEntry>& sent) const
    {
        int replies = 0, writes = 0, blocks = 0;
        for (const sim::LogEntry& e : sent) {
            replies += e.note == QLatin1String("NAK") ? 0 : 1;
            writes += e.command == 0x82 ? 1 : 0;
            blocks += e.command == 0x81 ? 1 : 0;
        }
        switch (operation().op) {
        case Operation::WriteCutAfterItsFirstWrite:
            return writes == 1;
        case Operation::ReadBackup:
            return blocks == 1;
        default:
            return replies == 1;
        }
    }

    void strike()
    {
        switch (fault()) {
        case Fault::StationPulled:
            sim.station.ignoreNextRequests(1 << 20);
            break;
        case Fault::GarbledReplies:
            sim.station.garbleNextReplies(1 << 20);
            break;
        case Fault::PortGone:
            // No answer from now on, and the device leaves the machine once the reply is out.
            sim.station.ignoreNextRequests(1 << 20);
            QTimer::singleShot(0, &sim.station, [this] { sim.unplug(); });
            break;
        }
    }

    void start()
    {
        FrmMain& f = frmMain();
        switch (operation().op) {
        case Operation::Write:
        case Operation::WriteCutAfterItsFirstWrite:
            gModeCode = 2;
            gModeCodeSet = 2;
            f.coMO.setText(GetLangText(gLangIndex, kModeTextBase + 2, ModeDefaultName(2)));
            f.txtCodeNo(1).setText(QStringLiteral("90"));
            f.txtWtime(1).setText(QStringLiteral("05:00:00"));
            f.mnuWrite_Click();
            break;
        case Operation::SetDefaults:
            f.mnuSetDefault_Click();
            break;
        case Operation::SetTime:
            f.mnuTime_Click();
            break;
        case Operation::ReadBackup:
            f.mnuReadBackup_Click();
            break;
        }
    }
};

TEST_P(OperationFaultsTest, TheOperationEndsSayingSoAndNothingClaimsItDone)
{
    FrmMain& f = frmMain();
    // The time-outs are let expire by hand: each pending one at once.
    const ScopedHandTicks handTicks;
    if (operation().op == Operation::ReadBackup) {
        QByteArray punches;
        for (int i = 0; i < 300; ++i)
            punches += sim::encodePunch(0, 1 + i, kRaceDay.addSecs(i), true, 128);
        sim::setBackup(sim.station.memory(), punches);
    }
    bool struck = false;
    QObject::connect(&sim.station, &sim::SimStation::frameSent, &sim.station, [&](const sim::LogEntry&) {
        if (!struck && strikesAfter(sim.station.sent())) {
            struck = true;
            strike();
        }
    });
    // Whatever message the fault ends with, the user closes it.
    for (int i = 0; i < 4; ++i)
        DialogHooks::queue(DialogAnswer::cancel());
    start();
    for (int i = 0;
         i < 600 && !(struck && gActionCode == ActNone && !f.MSComm1.PortOpen() && !f.Timer1.Enabled());
         ++i) {
        sim::pumpEvents(10);
        if (struck && f.Timer1.Enabled() && i % 5 == 4)
            f.Timer1.Tick();
    }
    ASSERT_TRUE(struck);
    sim::pumpEvents(50);

    EXPECT_EQ(gActionCode, ActNone);
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_FALSE(StationOperationRunning()) << "the window takes the next operation";
    EXPECT_TRUE(records().isEmpty()) << records().join(u',').toStdString();

    QStringList messages;
    for (const DialogRequest& r : DialogHooks::asked())
        messages << r.prompt;
    const QString name = GetLangText(gLangIndex, operation().nameTextId, QString());
    ASSERT_FALSE(name.isEmpty());
    EXPECT_TRUE(messages.filter(name).size() == 1) << messages.join(u'|').toStdString();
    const bool cutWrite = operation().op == Operation::WriteCutAfterItsFirstWrite;
    const QString partial = GetLangText(gLangIndex, 1778, QString());
    ASSERT_FALSE(partial.isEmpty());
    EXPECT_EQ(!messages.filter(partial).isEmpty(), cutWrite) << messages.join(u'|').toStdString();
    if (cutWrite) {
        EXPECT_EQ(sim.station.memory().codeNumber(), 90) << "the first write reached the station";
    }
    EXPECT_TRUE(DialogHooks::errors().isEmpty()) << DialogHooks::errors().join(u'\n').toStdString();
    DialogHooks::reset();
    DialogHooks::setNoModal(true);
}

using FaultParam = std::tuple<int, Fault>;

std::string caseName(const ::testing::TestParamInfo<FaultParam>& info)
{
    static const char* const faults[] = {"StationPulled", "GarbledReplies", "PortGone"};
    return std::string(kOperations[std::get<0>(info.param)].name) + "_" +
           faults[int(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Faults, OperationFaultsTest,
                         ::testing::Combine(::testing::Range(0, int(std::size(kOperations))),
                                            ::testing::Values(Fault::StationPulled, Fault::GarbledReplies,
                                                              Fault::PortGone)),
                         caseName);

} // namespace
} // namespace qv::test
