// Set time end to end against the simulated station's clock: the time check and its question, the
// synchronisation loop, the week, the PC clock set from the station, across midnight, in both locales.
#include "app/settings.h"
#include "link/end_action.h"
#include "link/sender.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/pc_clock.h"
#include "platform/system/textfile.h"
#include "receiver/receiver_globals.h"
#include "receiver_support.h"
#include "stationdata/station_data.h"
#include "support/test_support.h"

#include <QRegularExpression>

namespace qv::test {
namespace {

class ReceiverTimeTest : public ReceiverE2E, public ::testing::WithParamInterface<const char*>
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        locale = std::make_unique<ScopedLocale>(QString::fromLatin1(GetParam()));
        // The station's clock runs on the test's clock; a busy station lets that clock run on.
        sim.station.setTimeSource([this] { return fake.peek(); }, [this](qint64 ms) { fake.advance(ms); });
        sim.station.memory().setCodeNumber(47);
        sim.station.setClock(fake.peek());
        gOkQuest = true;
        gTimeAsked = false;
        gWeekTimeMode = false;
        gSetTimePC = false;
        gWaitToReturn = gWaitToReturnCur = 0.4f;
        gStepInc = 0.01f;
        gCountBeforeInc = 3;
        gDiffOk = 0.5f;
        gTimeReplyCode = 0;
        gSetTimePending = false;
        setPcClockSetterForTest([this](const QDateTime& t) {
            pcClockSetTo << t;
            if (refusePcClock)
                return PcClockResult{false, 70, QStringLiteral("Permission denied")};
            // The PC's clock jumps; the station's own clock runs on untouched.
            const QDateTime stationTime = sim.station.clock();
            fake.set(t);
            sim.station.setClock(stationTime);
            return PcClockResult{};
        });
    }
    void TearDown() override
    {
        setPcClockSetterForTest(std::nullopt);
        ReceiverE2E::TearDown();
        locale.reset();
    }

    void startSetTime()
    {
        frmMain().mnuTime_Click();
        ASSERT_EQ(gActionCode, ActSetTime);
    }
    // Waits until the operation is over: the port closed (and so the pointer free).
    bool linkClosed()
    {
        return sim::waitUntil([] { return !frmMain().MSComm1.PortOpen() && !frmMain().Timer1.Enabled(); });
    }
    QList<QStringList> records() const
    {
        QList<QStringList> out;
        const QStringList lines = readTextLines(gProtocolPath);
        for (qsizetype i = 1; i < lines.size(); ++i)
            out << lines[i].split(';');
        return out;
    }
    QStringList actions() const
    {
        QStringList out;
        for (const QStringList& r : records())
            out << (r.size() > 23 ? r[23] : QString());
        return out;
    }
    int sent(uint8_t command) const
    {
        int n = 0;
        for (const QByteArray& r : requests())
            n += uint8_t(r.at(0)) == command;
        return n;
    }
    // The time check's question as it was asked.
    const DialogRequest* question() const
    {
        for (const DialogRequest& r : DialogHooks::asked())
            if (r.kind == DialogKind::CaptionMsgBox)
                return &r;
        return nullptr;
    }
    qint64 stationAheadMs() { return fake.peek().msecsTo(sim.station.clock()); }
    bool german() const { return QLatin1String(GetParam()) == QLatin1String("de_DE"); }

    std::unique_ptr<ScopedLocale> locale;
    QList<QDateTime> pcClockSetTo;
    bool refusePcClock = false;
};
INSTANTIATE_TEST_SUITE_P(Locales, ReceiverTimeTest, ::testing::Values("de_DE", "en_US"));

TEST_P(ReceiverTimeTest, EqualClocksShowOneButtonAndSetNothing)
{
    DialogHooks::queue(DialogAnswer::pressButton(1));
    startSetTime();
    ASSERT_TRUE(linkClosed());
    EXPECT_EQ(requests(), (QList<QByteArray>{bytes({0xF0, 'S'}), bytes({0x83, 0x00, 0x80}), bytes({0xF7})}));
    const DialogRequest* q = question();
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->captions, QStringList{"OK"});
    // The tolerance as a person writes it: leading zero, the locale's decimal separator, the unit.
    const QString tolerance =
        german() ? QStringLiteral("(ok \u2264 0,5 s)") : QStringLiteral("(ok \u2264 0.5 s)");
    EXPECT_TRUE(q->title.endsWith(tolerance)) << q->title.toStdString();
    EXPECT_EQ(q->style & 0x70, vbInformation);
    ASSERT_EQ(actions().size(), 1);
    EXPECT_TRUE(actions()[0].startsWith("Get time (diff:")) << actions()[0].toStdString();
    EXPECT_EQ(records()[0][2], frmMain().txtSerNo.Text());
}

TEST_P(ReceiverTimeTest, AStationAheadIsSetFromThePcAndTheOperationEnds)
{
    sim.station.setClock(fake.peek().addSecs(5));
    DialogHooks::queue(DialogAnswer::pressButton(1)); // OK: set the station clock
    startSetTime();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    ASSERT_TRUE(linkClosed());
    const DialogRequest* q = question();
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->captions.size(), 2); // OK and Abbruch
    EXPECT_EQ(q->style & 0x70, vbCritical);
    EXPECT_TRUE(q->prompt.contains("Zeit stellen")) << q->prompt.toStdString();
    // Both clocks in the same form, the fraction right after the seconds, whatever the locale's time format.
    const QRegularExpression clockLine(QStringLiteral("\\d\\d:\\d\\d:\\d\\d[.,]\\d{3} (station|PC)\r\n"),
                                       QRegularExpression::CaseInsensitiveOption);
    EXPECT_EQ(q->prompt.count(clockLine), 2) << q->prompt.toStdString();
    EXPECT_EQ(sent(0xF6), 1);
    EXPECT_LE(std::abs(stationAheadMs()), 1000);
    EXPECT_EQ(actions().size(), 2);
    // The difference as measured, in the locale's number form: five seconds, to the station's 1/256 s.
    const QString check = actions()[0];
    EXPECT_TRUE(check.startsWith("Get time (diff:")) << check.toStdString();
    EXPECT_TRUE(check.contains(german() ? "," : ".")) << check.toStdString();
    EXPECT_NEAR(Val(check.mid(check.indexOf(':') + 1).replace(',', '.')), 5.0, 0.01) << check.toStdString();
    EXPECT_EQ(actions()[1], "Set time");
    // The status of a finished set-time: the station time set to the PC's date and time.
    EXPECT_TRUE(frmMain().Aktion().Text().contains(CStr(fake.peek().date())))
        << frmMain().Aktion().Text().toStdString();
    EXPECT_TRUE(gTestTime.isEmpty());
}

TEST_P(ReceiverTimeTest, AMobileNetworkStationIsAskedForItsTimeAfterItsSecondHalf)
{
    sim.station.memory().makeGsmStation("9463internet.example,anna,alt;");
    sim.station.setClock(fake.peek().addSecs(5));
    DialogHooks::queue(DialogAnswer::pressButton(1)); // OK: set the station clock
    startSetTime();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    ASSERT_TRUE(linkClosed());
    QList<QByteArray> firstFour = requests().mid(0, 4);
    for (QByteArray& r : firstFour)
        r = r.left(3);
    EXPECT_EQ(firstFour, (QList<QByteArray>{bytes({0xF0, 'S'}), bytes({0x83, 0x00, 0x80}),
                                            bytes({0x83, 0x80, 0x80}), bytes({0xF7})}));
    EXPECT_EQ(sent(0xF6), 1);
    EXPECT_LE(std::abs(stationAheadMs()), 1000);
    EXPECT_EQ(actions().value(1), "Set time");
    // The status of a finished set-time, and the station keeps its own clock.
    const QString status = frmMain().Aktion().Text();
    EXPECT_TRUE(status.contains(CStr(fake.peek().date()))) << status.toStdString();
    EXPECT_FALSE(status.contains("real-time clock")) << status.toStdString();
}

TEST_P(ReceiverTimeTest, AStationBehindIsLeftAloneOnCancel)
{
    sim.station.setClock(fake.peek().addSecs(-3));
    DialogHooks::queue(DialogAnswer::pressButton(2)); // Abbruch
    startSetTime();
    ASSERT_TRUE(linkClosed());
    sim::pumpEvents(50);
    EXPECT_EQ(sent(0xF6), 0);
    EXPECT_NEAR(double(stationAheadMs()), -3000.0, 1000.0);
    EXPECT_EQ(actions().size(), 1);
}

TEST_P(ReceiverTimeTest, SlowSetTimeRepliesAreRepeatedWithAWideningLimit)
{
    sim.station.setClock(fake.peek().addSecs(5));
    sim.station.slowReplies(0xF6, 4, 600);
    DialogHooks::queue(DialogAnswer::pressButton(1));
    startSetTime();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    EXPECT_EQ(sent(0xF6), 5);
    EXPECT_EQ(gSyncStepCount, 4);
    EXPECT_NEAR(gWaitToReturnCur, 0.41f, 1e-5);
    // The widening after the third failure is shown on the time button.
    EXPECT_TRUE(frmMain().cmdTime.ToolTipText().contains("#3#"))
        << frmMain().cmdTime.ToolTipText().toStdString();
    EXPECT_EQ(actions().back(), "Set time");
    EXPECT_LE(std::abs(stationAheadMs()), 1000);
}

// A slow station (every set-time reply a third of a second late) has the request sent again and again, each
// time from another millisecond of the second. Every request is still built in the last twentieth of a second
// and so carries the second that is about to begin, and the station ends up set to the PC's time.
TEST_P(ReceiverTimeTest, EveryRequestToASlowStationCarriesTheComingSecond)
{
    // A fast machine: the clock reads the same millisecond a few times before it moves on.
    fake.setAutoStep(1);
    fake.setReadsPerStep(3);
    gTimeOffset = 0.0f;
    gWaitToReturn = gWaitToReturnCur = 0.3f;
    gStepInc = 0.001f;
    constexpr int kSlowReplies = 24;
    sim.station.setClock(fake.peek().addSecs(-37));
    sim.station.slowReplies(0xF6, kSlowReplies, 330);
    DialogHooks::queue(DialogAnswer::pressButton(1)); // OK: set the station clock
    startSetTime();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 30000));
    QList<qint64> leadMs; // the second a request carries, less the time it reached the station
    for (const sim::LogEntry& e : sim.station.received()) {
        if (e.command != 0xF6)
            continue;
        const auto at = [&e](int i) { return int(uint8_t(e.data.at(i))); };
        const int seconds = (at(3) & 1) * 43200 + at(4) * 256 + at(5);
        const QDateTime carried = QDateTime(QDate(2000 + at(0), at(1), at(2)), QTime(0, 0)).addSecs(seconds);
        leadMs << e.at.msecsTo(carried);
    }
    ASSERT_EQ(leadMs.size(), kSlowReplies + 1);
    for (qsizetype i = 0; i < leadMs.size(); ++i) {
        // Built between .94 and .96 s and sent at once: the coming second is at most 60 ms ahead.
        EXPECT_GT(leadMs[i], 0) << "request " << i;
        EXPECT_LT(leadMs[i], 60) << "request " << i;
    }
    EXPECT_EQ(actions().back(), "Set time");
    EXPECT_LT(std::abs(stationAheadMs()), 100);
}

TEST_P(ReceiverTimeTest, AStationWhoseClockCannotBeSetEndsWithTheRefusal)
{
    sim.station.setClock(fake.peek().addSecs(5));
    sim.station.setClockSettable(false);
    DialogHooks::queue(DialogAnswer::pressButton(1));
    startSetTime();
    ASSERT_TRUE(sim::waitUntil([this] { return sent(0xF6) > 0; }));
    ASSERT_TRUE(linkClosed());
    EXPECT_TRUE(frmMain().rtbox(0).Text().contains("The station refused the command."));
    EXPECT_FALSE(actions().contains("Set time"));
    EXPECT_NEAR(double(stationAheadMs()), 5000.0, 1000.0);
}

TEST_P(ReceiverTimeTest, ThePcClockIsSetFromTheStationOnTheSecondButton)
{
    gSetTimePC = true;
    sim.station.setClock(fake.peek().addSecs(30));
    DialogHooks::queue(DialogAnswer::pressButton(2)); // PC-Zeit
    DialogHooks::queue(DialogAnswer::press(vbOK));    // the PC clock was set
    startSetTime();
    ASSERT_TRUE(sim::waitUntil([this] { return !pcClockSetTo.isEmpty(); }));
    ASSERT_TRUE(linkClosed());
    EXPECT_EQ(question()->captions.size(), 3);
    EXPECT_EQ(sent(0xF7), 2);
    EXPECT_EQ(sent(0xF6), 0);
    // The PC now runs with the station, to the second it was read at.
    EXPECT_LE(std::abs(stationAheadMs()), 1500);
}

TEST_P(ReceiverTimeTest, ARefusedPcClockIsReportedAndEndsTheOperation)
{
    gSetTimePC = true;
    refusePcClock = true;
    sim.station.setClock(fake.peek().addSecs(30));
    DialogHooks::queue(DialogAnswer::pressButton(2));
    DialogHooks::queue(DialogAnswer::press(vbOK));
    startSetTime();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    ASSERT_TRUE(linkClosed());
    const DialogRequest& refusal = DialogHooks::asked().back();
    EXPECT_EQ(refusal.kind, DialogKind::MsgBox);
    EXPECT_EQ(refusal.prompt, "70 Permission denied");
    EXPECT_EQ(frmMain().Aktion().Text(), "70 Permission denied");
    EXPECT_NEAR(double(stationAheadMs()), 30000.0, 1000.0);
}

TEST_P(ReceiverTimeTest, FarApartClocksAskOnceMoreBeforeThePcIsSet)
{
    gSetTimePC = true;
    sim.station.setClock(fake.peek().addSecs(3 * 3600));
    DialogHooks::queue(DialogAnswer::pressButton(2));
    DialogHooks::queue(DialogAnswer::press(vbNo));
    startSetTime();
    ASSERT_TRUE(linkClosed());
    sim::pumpEvents(50);
    EXPECT_TRUE(pcClockSetTo.isEmpty());
    EXPECT_EQ(sent(0xF7), 1);
    EXPECT_EQ(DialogHooks::asked().back().style & 0x0F, vbYesNo);
}

TEST_P(ReceiverTimeTest, TheThirdButtonCancels)
{
    gSetTimePC = true;
    sim.station.setClock(fake.peek().addSecs(-30));
    DialogHooks::queue(DialogAnswer::pressButton(3));
    startSetTime();
    ASSERT_TRUE(linkClosed());
    sim::pumpEvents(50);
    EXPECT_EQ(sent(0xF6), 0);
    EXPECT_TRUE(pcClockSetTo.isEmpty());
}

TEST_P(ReceiverTimeTest, AWrongWeekIsAskedAndSetWithTheClock)
{
    gWeekTimeMode = true;
    sim.station.setWeekCounter(2);
    DialogHooks::queue(DialogAnswer::type("5")); // out of range: asked again
    DialogHooks::queue(DialogAnswer::type("1"));
    DialogHooks::queue(DialogAnswer::pressButton(1));
    startSetTime();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    int inputBoxes = 0;
    for (const DialogRequest& r : DialogHooks::asked())
        if (r.kind == DialogKind::InputBox) {
            ++inputBoxes;
            EXPECT_EQ(r.defaultText, "3"); // the station's week
        }
    EXPECT_EQ(inputBoxes, 2);
    // The time agrees, the week does not: the difference is shown and the clock set with week 1.
    EXPECT_EQ(question()->style & 0x70, vbCritical);
    EXPECT_TRUE(question()->prompt.startsWith("3.")) << question()->prompt.toStdString();
    EXPECT_EQ(sim.station.weekCounter(), 0);
}

TEST_P(ReceiverTimeTest, CancellingTheWeekSendsNothing)
{
    gWeekTimeMode = true;
    DialogHooks::queue(DialogAnswer::cancel());
    startSetTime();
    ASSERT_TRUE(linkClosed());
    sim::pumpEvents(50);
    EXPECT_EQ(requests().size(), 3);
    EXPECT_EQ(question(), nullptr);
}

TEST_P(ReceiverTimeTest, WithoutOkQuestTheSecondCheckSetsTheClockAtOnce)
{
    gOkQuest = false;
    gTimeAsked = true;
    sim.station.setClock(fake.peek().addSecs(5));
    startSetTime();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    EXPECT_EQ(question(), nullptr);
    EXPECT_EQ(sent(0xF6), 1);
    EXPECT_LE(std::abs(stationAheadMs()), 1000);
}

TEST_P(ReceiverTimeTest, ClocksEitherSideOfMidnightCompareAsEqual)
{
    // The PC reads just after midnight, the station a moment earlier, still on the day before.
    fake.set(QDateTime(QDate(2026, 12, 9), QTime(23, 59, 59, 950)));
    sim.station.setClock(fake.peek().addMSecs(-300));
    DialogHooks::queue(DialogAnswer::pressButton(1));
    startSetTime();
    ASSERT_TRUE(linkClosed());
    ASSERT_NE(question(), nullptr);
    EXPECT_EQ(question()->captions, QStringList{"OK"}) << question()->prompt.toStdString();
    const QString action = actions().value(0);
    const double diff = Val(action.mid(action.indexOf(':') + 1).replace(',', '.'));
    EXPECT_LT(diff, 0.5) << action.toStdString();
}

} // namespace
} // namespace qv::test
