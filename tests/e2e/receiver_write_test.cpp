// Write and Set defaults end to end against the simulated station: what the station stores, the chain of
// requests, the Read that shows it back, and the ways a Write ends when the station does not play along.
#include "app/language.h"
#include "app/settings.h"
#include "link/end_action.h"
#include "link/link_globals.h"
#include "link/requests.h"
#include "link/sender.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/textfile.h"
#include "receiver/receiver_globals.h"
#include "receiver/write_replies.h"
#include "receiver_support.h"
#include "sim_backup.h"
#include "stationdata/modes.h"
#include "stationdata/settings_checks.h"
#include "stationdata/settings_write.h"
#include "stationdata/station_data.h"
#include "support/test_support.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"
#include "ui/main/starters.h"

namespace qv::test {
namespace {

struct WriteColumn
{
    uint8_t mode = 2;
    int code = 31;
    QString workTime = QStringLiteral("02:00:00");
    uint8_t autoSend = 0, extProt = 0, sprint = 0, backup = 0;
    uint8_t allNew = 0, lastRecord = 0, allRecords = 0;
};

class ReceiverWriteTest : public ReceiverE2E
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        ASSERT_TRUE(loadEnglishTexts());
        LoadModeNames();
        resetWriteBytes();
        gWaitToReturnCur = 5.0f;
        gLastFWVersionA = 559;
        gLastFWVersionB = 300;
    }
    void TearDown() override
    {
        resetWriteBytes();
        gWaitToReturnCur = gWaitToReturn;
        ReceiverE2E::TearDown();
        gXmlDoc.clear();
        LoadModeNames();
    }
    static void resetWriteBytes()
    {
        gModeCode = 2;
        gAutoSendWrite = gExtProtWrite = gSprint4msWrite = gBackupCtrlWrite = 0;
        gAllNewRadioStampWrite = gRadioStampWrite = gRadioAppmemWrite = gPunchTimingModeWrite = 0;
        gCard6mit192Write = 0;
        gRtcWrite = 1;
        gCodeNoList = QStringList{QString()};
        gCodeNoIndex = 0;
    }

    // The write column as a user leaves it (the option boxes' bytes as the mode and option handlers keep
    // them).
    void setWriteColumn(const WriteColumn& w)
    {
        FrmMain& f = frmMain();
        gModeCode = w.mode;
        gModeCodeSet = w.mode;
        f.coMO.setText(GetLangText(gLangIndex, kModeTextBase + w.mode, ModeDefaultName(w.mode)));
        f.txtCodeNo(1).setText(QString::number(w.code));
        f.txtWtime(1).setText(w.workTime);
        gAutoSendWrite = w.autoSend;
        gExtProtWrite = w.extProt;
        gSprint4msWrite = w.sprint;
        gBackupCtrlWrite = w.backup;
        gAllNewRadioStampWrite = w.allNew;
        gRadioStampWrite = w.lastRecord;
        gRadioAppmemWrite = w.allRecords;
        f.chkCPC(1).setValue(w.autoSend);
        f.chkCPC0(1).setValue(w.extProt);
        f.chk4ms(1).setValue(w.sprint);
        f.chkBackupCtrl(1).setValue(w.backup);
    }
    void read()
    {
        sim.station.clearLog();
        frmMain().mnuRead_Click();
        ASSERT_TRUE(ended());
    }

    ScopedLocale locale{QStringLiteral("en_US")};
};

} // namespace

// Every code number and mode a user can set, with work time and option boxes: the station stores it, and a
// Read shows exactly that in the read column.
TEST_F(ReceiverWriteTest, ClassicStationRoundTrip)
{
    const WriteColumn cases[] = {
        {2, 1, QStringLiteral("01:00:00"), 0, 0, 0, 0},
        {2, 255, QStringLiteral("02:30:00"), 1, 0, 0, 0},
        {2, 256, QStringLiteral("00:05:00"), 0, 1, 0, 0},
        {3, 511, QStringLiteral("95:00:00"), 0, 1, 1, 0},
        {2, 512, QStringLiteral("12:00:00"), 1, 1, 0, 0},
        {4, 300, QStringLiteral("10:15:00"), 0, 0, 0, 0},
        {10, 1023, QStringLiteral("00:02:00"), 1, 0, 0, 0},
        // Backup control goes with the read-out mode, which this unit kind is warned about (OK goes on).
        {5, 100, QStringLiteral("03:00:00"), 0, 0, 1, 1},
    };
    FrmMain& f = frmMain();
    for (const WriteColumn& w : cases) {
        SCOPED_TRACE(w.code);
        sim.station.clearLog();
        setWriteColumn(w);
        if (w.mode == 5)
            DialogHooks::queue(DialogAnswer::press(vbOK));
        f.mnuWrite_Click();
        ASSERT_TRUE(ended());
        EXPECT_EQ(chain(), (QList<QByteArray>{bytes({0xF0}), bytes({0x83, 0x00}), bytes({0xF5}),
                                              bytes({0x82, 0x70}), bytes({0xF6}), bytes({0xF9})}));
        const sim::StationMemory& m = sim.station.memory();
        EXPECT_EQ(m.codeNumber(), w.code);
        EXPECT_EQ(m.mode(), w.mode);
        EXPECT_EQ(m.workTimeMinutes(), TimeTextToSeconds(w.workTime) / 60);
        EXPECT_EQ(m.at(0x74) & 0x2F, (w.extProt ? 0x01 : 0) | (w.autoSend ? 0x02 : 0) |
                                         (w.mode == 5 && !w.autoSend ? 0x04 : 0) | (w.sprint ? 0x08 : 0) |
                                         (w.backup ? 0x20 : 0));
        EXPECT_EQ(m.at(0x70), 0x30) << "the status byte as the write leaves it";
        // The read column already shows what was written, and the write column offers the next number.
        EXPECT_EQ(f.txtCodeNo(0).Text(), QString::number(w.code));
        EXPECT_EQ(f.txtCodeNo(1).Text(), QString::number(w.code + 1));
        EXPECT_EQ(records().value(records().size() - 1), QStringLiteral("Write"));

        f.txtCodeNo(0).setText(QString());
        f.txtWtime(0).setText(QString());
        if (w.mode == 5)
            DialogHooks::queue(DialogAnswer::press(vbOK));
        read();
        EXPECT_EQ(f.txtCodeNo(0).Text(), QString::number(w.code));
        EXPECT_EQ(f.txtMO.Text(), f.coMO.Text());
        EXPECT_EQ(f.txtWtime(0).Text(), w.workTime);
        EXPECT_EQ(f.chkCPC(0).Value(), w.autoSend);
        EXPECT_EQ(f.chkCPC0(0).Value(), w.extProt);
        EXPECT_EQ(f.chk4ms(0).Value(), w.sprint);
        EXPECT_EQ(f.chkBackupCtrl(0).Value(), w.backup);
        EXPECT_EQ(records().value(records().size() - 1), QStringLiteral("Read"));
    }
}

// A beacon mode with the radio sending options: the mode byte carries them, and the Read shows them back.
TEST_F(ReceiverWriteTest, BeaconStationRoundTrip)
{
    // A station that runs a beacon mode already: its radio sending options are changed.
    sim.station.memory().setMode(19);
    FrmMain& f = frmMain();
    struct Case
    {
        uint8_t allNew, last, all;
        uint8_t bits; // bits 6-7 of the mode byte
    };
    for (const Case& k : {Case{1, 0, 0, 0xC0}, Case{0, 1, 0, 0x40}, Case{0, 0, 1, 0x80}}) {
        WriteColumn w;
        w.mode = 19;
        w.code = 40;
        w.allNew = k.allNew;
        w.lastRecord = k.last;
        w.allRecords = k.all;
        setWriteColumn(w);
        sim.station.clearLog();
        f.mnuWrite_Click();
        ASSERT_TRUE(ended());
        const sim::StationMemory& m = sim.station.memory();
        EXPECT_EQ(m.mode(), 19);
        EXPECT_EQ(m.at(0x71) & 0xC0, k.bits);
        EXPECT_EQ(m.codeNumber(), 40);
        read();
        EXPECT_EQ(f.txtMO.Text(), f.coMO.Text());
        EXPECT_EQ(gAllNewRadioStampRead, k.allNew);
        EXPECT_EQ(gRadioStampRead, k.last);
        EXPECT_EQ(gRadioAppmemRead, k.all);
    }
}

// The mobile-network station: the second half is read, the APN data and the work time written, and a Read
// shows them back.
TEST_F(ReceiverWriteTest, GsmStationRoundTrip)
{
    sim.station.memory().makeGsmStation("9463internet.example,anna,alt;");
    sim.station.memory().setWorkTimeMinutes(120);
    FrmMain& f = frmMain();
    read();
    EXPECT_EQ(chain(), (QList<QByteArray>{bytes({0xF0}), bytes({0x83, 0x00}), bytes({0x83, 0x80})}));
    EXPECT_EQ(f.txtPIN(0).Text(), QStringLiteral("9463"));
    EXPECT_EQ(f.txtAPN(0).Text(), QStringLiteral("internet.example"));
    EXPECT_EQ(f.txtUser(0).Text(), QStringLiteral("anna"));
    EXPECT_EQ(f.txtPass(0).Text(), QStringLiteral("alt"));
    EXPECT_EQ(f.txtWtime(0).Text(), QStringLiteral("02:00:00"));
    EXPECT_EQ(records(), QStringList{QStringLiteral("Read")});

    f.txtPIN(1).setText(QStringLiteral("1234"));
    f.txtAPN(1).setText(QStringLiteral("web.example"));
    f.txtUser(1).setText(QStringLiteral("bert"));
    f.txtPass(1).setText(QStringLiteral("neu"));
    f.txtWtime(1).setText(QStringLiteral("05:30:00"));
    sim.station.clearLog();
    f.mnuWrite_Click();
    ASSERT_TRUE(ended());
    EXPECT_EQ(chain(),
              (QList<QByteArray>{bytes({0xF0}), bytes({0x83, 0x00}), bytes({0x83, 0x80}), bytes({0xF5}),
                                 bytes({0x82, 0x80}), bytes({0x82, 0x7E}), bytes({0xF9})}));
    EXPECT_EQ(sim.station.memory().apnText(), QByteArray("1234web.example,bert,neu;"));
    EXPECT_EQ(sim.station.memory().workTimeMinutes(), 330);
    EXPECT_EQ(records().last(), QStringLiteral("Write"));
    // The protocol file names the access point but keeps the PIN, the user and the password to itself.
    const QString file = readTextLines(gProtocolPath).join(u'\n');
    for (const char* secret : {"1234", "bert", "neu", "9463", "anna", "alt"})
        EXPECT_FALSE(file.contains(QLatin1String(secret))) << secret;
    EXPECT_TRUE(file.contains(QStringLiteral(";***web.example,***,***;"))) << file.toStdString();

    f.txtAPN(0).setText(QString());
    read();
    EXPECT_EQ(f.txtPIN(0).Text(), QStringLiteral("1234"));
    EXPECT_EQ(f.txtAPN(0).Text(), QStringLiteral("web.example"));
    EXPECT_EQ(f.txtUser(0).Text(), QStringLiteral("bert"));
    EXPECT_EQ(f.txtPass(0).Text(), QStringLiteral("neu"));
    EXPECT_EQ(f.txtWtime(0).Text(), QStringLiteral("05:30:00"));

    // Unchanged APN data are not written again: the work time alone follows.
    f.txtWtime(1).setText(QStringLiteral("06:00:00"));
    sim.station.clearLog();
    f.mnuWrite_Click();
    ASSERT_TRUE(ended());
    EXPECT_EQ(chain().mid(3), (QList<QByteArray>{bytes({0xF5}), bytes({0x82, 0x7E}), bytes({0xF9})}));
    EXPECT_EQ(sim.station.memory().workTimeMinutes(), 360);

    // A password with a separator is refused: the field turns red, the data stay, the work time goes.
    f.txtPass(1).setText(QStringLiteral("a;b"));
    sim.station.clearLog();
    f.mnuWrite_Click();
    ASSERT_TRUE(ended());
    EXPECT_EQ(f.txtPass(1).BackColor(), vbRed);
    EXPECT_EQ(sim.station.memory().apnText(), QByteArray("1234web.example,bert,neu;"));
}

TEST_F(ReceiverWriteTest, SetDefaultsWritesOneBlockThenReadsBack)
{
    sim::StationMemory& m = sim.station.memory();
    m.setCodeNumber(200);
    m.setMode(4);
    m.setWorkTimeMinutes(300);
    FrmMain& f = frmMain();
    DialogHooks::queue(DialogAnswer::press(vbOK)); // the question with the defaults
    f.mnuSetDefault_Click();
    ASSERT_TRUE(ended());
    const QList<QByteArray> r = requests();
    ASSERT_EQ(chain(), (QList<QByteArray>{bytes({0xF0}), bytes({0x83, 0x00}), bytes({0xF5}),
                                          bytes({0x82, 0x10}), bytes({0xF6}), bytes({0x83, 0x00})}));
    EXPECT_EQ(r[3].size(), 2 + 0x70) << "one write from 0x10 to 0x7F";
    EXPECT_EQ(m.codeNumber(), 31);
    EXPECT_EQ(m.mode(), 2);
    EXPECT_EQ(m.workTimeMinutes(), 60);
    // The capacity of this station's variant (2000 mAh) in mA·s.
    EXPECT_EQ(m.read(0x18, 4), QByteArray::fromHex("006ddd00"));
    EXPECT_EQ(m.at(0x33), 0xC1);
    EXPECT_EQ(f.txtCodeNo(0).Text(), QStringLiteral("31"));
    EXPECT_EQ(f.txtWtime(0).Text(), QStringLiteral("01:00:00"));
    EXPECT_EQ(records(), QStringList{QStringLiteral("Read")});
    // The read-back keeps the Read's record; the status names what the operation did.
    EXPECT_EQ(f.Aktion().Text(), QStringLiteral("Default settings written"));
}

// Write and Set defaults clear the backup memory before they write. With records in it the question says
// how many are lost (and Set defaults, that the battery capacity changes), and No, what Enter answers, keeps
// them: the station is not touched.
TEST_F(ReceiverWriteTest, ClearingABackupThatHoldsRecordsIsAskedFirst)
{
    sim::StationMemory& m = sim.station.memory();
    FrmMain& f = frmMain();
    setWriteColumn({});
    const auto question = [] {
        const QList<DialogRequest>& asked = DialogHooks::asked();
        return asked.isEmpty() ? DialogRequest{} : asked.back();
    };
    struct Case
    {
        const char* what;
        bool defaults;
        int answer;
        bool written;
    };
    const Case cases[] = {
        {"Write, No", false, vbNo, false},
        {"Write, Yes", false, vbYes, true},
        {"Set defaults, Cancel", true, vbCancel, false},
        {"Set defaults, OK", true, vbOK, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        // 300 punch records of 6 bytes: the station keeps the extended protocol off.
        m.write(0x74, QByteArray(1, char(m.at(0x74) & ~0x01)));
        sim::setBackup(m, QByteArray(300 * 6, char(0x11)));
        const int clearedBefore = sim.station.clearBackupCount();
        DialogHooks::reset();
        DialogHooks::queue(DialogAnswer::press(k.answer));
        if (k.defaults)
            f.mnuSetDefault_Click();
        else
            f.mnuWrite_Click();
        ASSERT_TRUE(ended());
        const DialogRequest q = question();
        EXPECT_TRUE(q.prompt.contains(QStringLiteral("the 300 records it holds are lost")))
            << q.prompt.toStdString();
        EXPECT_EQ(q.defaultButton, 2) << "No (Cancel) is the default";
        EXPECT_EQ(q.prompt.contains(QStringLiteral("The battery capacity is set to 2000 mAh.")), k.defaults)
            << q.prompt.toStdString();
        EXPECT_EQ(sim.station.clearBackupCount() - clearedBefore, k.written ? 1 : 0);
        EXPECT_EQ(m.backup.size(), k.written ? 0 : 300 * 6);
    }
    // An empty backup memory: the Write asks nothing.
    sim::setBackup(m, QByteArray());
    DialogHooks::reset();
    f.mnuWrite_Click();
    ASSERT_TRUE(ended());
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
}

TEST_F(ReceiverWriteTest, SetDefaultsCancelledOrRefusedClosesThePort)
{
    FrmMain& f = frmMain();
    DialogHooks::queue(DialogAnswer::press(vbCancel));
    f.mnuSetDefault_Click();
    ASSERT_TRUE(ended());
    EXPECT_EQ(chain(), (QList<QByteArray>{bytes({0xF0}), bytes({0x83, 0x00})}));
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_EQ(sim.station.clearBackupCount(), 0);

    // The mobile-network station takes no defaults: the operation ends with the message.
    sim.station.memory().makeGsmStation("9463a,,;");
    sim.station.clearLog();
    DialogHooks::queue(DialogAnswer::press(vbOK));
    f.mnuSetDefault_Click();
    ASSERT_TRUE(ended());
    EXPECT_EQ(chain().last(), bytes({0x83, 0x80}));
    EXPECT_EQ(f.Aktion().Text(), GetLangText(gLangIndex, kTextDefaultsRefused, QString()));
    EXPECT_TRUE(records().isEmpty());
}

// The Write and Set time that end with the station's last answer to a switch-off or a speed change: the
// answer is taken, the operation ends as done with its record, and the PC follows the station's new speed.
TEST_F(ReceiverWriteTest, OperationsEndedByASwitchOffOrASpeedChangeEndAsDone)
{
    FrmMain& f = frmMain();
    struct Case
    {
        const char* what;
        bool setTime;
        bool noSignal;    // "no signal at the end" (chkOff) ticked
        uint8_t mode;     // the mode to write
        quint8 model;     // the station's model byte
        uint8_t lastSent; // the last request of the operation
        QString record;   // the protocol record
        int baud;         // the PC's and the station's speed afterwards
        int beeps;        // the station's signals
        bool switchedOff;
    };
    const Case cases[] = {
        {"Write with no signal at the end", false, true, 2, 0x97, 0xF8, "Write", BaudHigh, 0, true},
        {"Write in Printout at 38400", false, false, 11, 0x97, 0xF9, "Write", BaudLow, 1, false},
        {"Set time ending in a switch-off", true, true, 2, 0x97, 0xF8, "Set time", BaudHigh, 0, true},
        {"Write on a station without the newer board", false, false, 2, 0x91, 0xF8, "Write", BaudHigh, 0,
         true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        sim.station.setSwitchedOff(false);
        sim.station.setStationBaud(BaudHigh);
        sim.station.memory().setModel(0x81, k.model);
        gBaud = BaudHigh;
        f.PORT_Prepare();
        QFile::remove(gProtocolPath);
        ASSERT_EQ(OpenProtocolFile(), 1);
        const int signalsBefore = sim.station.signalCount();
        f.chkOff.setValue(k.noSignal ? 1 : 0);
        WriteColumn w;
        w.mode = k.mode;
        w.workTime = QStringLiteral("05:00:00");
        setWriteColumn(w);
        gTimeAsked = true;
        gOkQuest = false;
        sim.station.clearLog();
        // Whatever the station's kind makes the program ask, the user goes on.
        for (int i = 0; i < 4; ++i)
            DialogHooks::queue(DialogAnswer::pressButton(1));
        if (k.setTime)
            f.mnuTime_Click();
        else
            f.mnuWrite_Click();
        ASSERT_TRUE(ended());
        sim::pumpEvents(200);
        ASSERT_FALSE(chain().isEmpty());
        EXPECT_EQ(uint8_t(chain().last().at(0)), k.lastSent);
        ASSERT_FALSE(records().isEmpty());
        EXPECT_EQ(records().last(), k.record);
        EXPECT_EQ(gBaud, k.baud);
        EXPECT_EQ(sim.station.stationBaud(), k.baud);
        EXPECT_EQ(sim.station.signalCount() - signalsBefore, k.beeps);
        EXPECT_EQ(sim.station.switchedOff(), k.switchedOff);
        EXPECT_FALSE(f.Timer1.Enabled());
        DialogHooks::reset();
        DialogHooks::setNoModal(true);
    }
    f.chkOff.setValue(0);
}

// The station's faults: each Write ends with its message, the port closed, and no record claims the write.
TEST_F(ReceiverWriteTest, AWriteTheStationDoesNotTakeEndsWithoutARecord)
{
    FrmMain& f = frmMain();
    // The time-outs are let expire by hand below; a real one on a busy machine would resend a request the
    // station has already answered, and its second answer would be taken for the next step's.
    const ScopedHandTicks handTicks;
    struct Case
    {
        const char* what;
        std::function<void()> fault;
    };
    const Case cases[] = {
        {"NAK", [this] { sim.station.nakNextRequests(20); }},
        {"silent", [this] { sim.station.ignoreNextRequests(50); }},
        {"unplugged", [this] { sim.unplug(); }},
        {"another station", [this] { sim.station.setReplyCodeNumber(77); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        WriteColumn w;
        w.code = 90;
        setWriteColumn(w);
        const int codeBefore = sim.station.memory().codeNumber();
        bool faulted = false;
        QMetaObject::Connection c =
            QObject::connect(&sim.station, &sim::SimStation::frameReceived, [&](const sim::LogEntry& e) {
                // The fault comes once the station has been read: at the clear-backup request.
                if (e.command == 0xF5 && !faulted) {
                    faulted = true;
                    k.fault();
                }
            });
        sim.station.clearLog();
        for (int i = 0; i < 3; ++i)
            DialogHooks::queue(DialogAnswer::press(vbOK)); // the message the fault ends with
        f.mnuWrite_Click();
        // The reply time-outs run out at once: each pending one is let expire.
        for (int i = 0; i < 400 && !(faulted && !f.MSComm1.PortOpen() && !f.Timer1.Enabled()); ++i) {
            sim::pumpEvents(20);
            if (faulted && f.Timer1.Enabled() && i % 5 == 4)
                f.Timer1.Tick();
        }
        ASSERT_TRUE(faulted);
        EXPECT_FALSE(f.Timer1.Enabled());
        sim::pumpEvents(100);
        QObject::disconnect(c);
        EXPECT_FALSE(f.MSComm1.PortOpen());
        EXPECT_TRUE(records().isEmpty());
        EXPECT_NE(f.Aktion().Text(), QStringLiteral("Write"));
        if (QString::fromLatin1(k.what) != QLatin1String("unplugged")) {
            EXPECT_EQ(sim.station.memory().codeNumber(), codeBefore);
        }
        sim.station.setReplyCodeNumber(std::nullopt);
        sim.station.nakNextRequests(0);
        sim.station.ignoreNextRequests(0);
        if (QString::fromLatin1(k.what) == QLatin1String("unplugged"))
            break;
        DialogHooks::reset();
        DialogHooks::setNoModal(true);
    }
}

// A Write stopped after the station was read (the user's Cancel at the findings about the station, or a value
// the station cannot take) sends nothing more, closes the port and ends: the status
// says nothing was written, no record claims a write, and the next operation runs as usual.
TEST_F(ReceiverWriteTest, AWriteStoppedByTheFindingsEndsTheOperation)
{
    FrmMain& f = frmMain();
    struct Case
    {
        const char* what;
        std::function<void(WriteColumn&)> set;
        int answer;
    };
    const Case cases[] = {
        {"Cancel at the findings about the station",
         [this](WriteColumn&) { sim.station.memory().setFirmware("550"); }, vbCancel},
        {"a value the station cannot take",
         [this](WriteColumn&) {
             // No newest firmware known: the old firmware raises no finding of its own, only the option does.
             gLastFWVersionA = 0;
             sim.station.memory().setFirmware("550");
             gCard6mit192Write = 1;
         },
         vbOK},
    };
    for (const Case& k : cases) {
        gLastFWVersionA = 559;
        SCOPED_TRACE(k.what);
        sim::StationMemory& m = sim.station.memory();
        WriteColumn w;
        w.code = 77;
        k.set(w);
        setWriteColumn(w);
        sim.station.clearLog();
        f.Aktion().setText(QString());
        DialogHooks::queue(DialogAnswer::press(k.answer));
        f.mnuWrite_Click();
        ASSERT_TRUE(ended());
        sim::pumpEvents(300);
        EXPECT_EQ(DialogHooks::pending(), 0);
        EXPECT_EQ(chain(), (QList<QByteArray>{bytes({0xF0}), bytes({0x83, 0x00})}));
        EXPECT_FALSE(f.Timer1.Enabled());
        EXPECT_EQ(gActionCode, ActNone);
        EXPECT_EQ(f.Aktion().Text(), GetLangText(gLangIndex, 1782, QString()));
        EXPECT_NE(m.codeNumber(), 77);
        EXPECT_TRUE(records().isEmpty());

        // Nothing of the stopped Write is left to meet the next operation.
        m.setFirmware("656");
        gCard6mit192Write = 0;
        read();
        EXPECT_EQ(records(), QStringList{QStringLiteral("Read")});
        QFile::remove(gProtocolPath);
        ASSERT_EQ(OpenProtocolFile(), 1);
    }
}

// The write column's own checks stop a Write before anything is sent.
TEST_F(ReceiverWriteTest, WriteColumnChecksStopBeforeSending)
{
    FrmMain& f = frmMain();
    WriteColumn w;
    w.code = 1024;
    w.workTime = QStringLiteral("96:00:00");
    setWriteColumn(w);
    DialogHooks::queue(DialogAnswer::press(vbOK));
    f.mnuWrite_Click();
    EXPECT_EQ(gActionCode, ActNone);
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_TRUE(f.Aktion().Text().startsWith(
        GetLangText(gLangIndex, 1827, QStringLiteral("Time not correct")) + QStringLiteral("   ")));
    EXPECT_TRUE(requests().isEmpty());
}

// The write column's checks in their order: what each shows and whether the Write starts.
TEST_F(ReceiverWriteTest, WriteColumnChecksInTheirOrder)
{
    FrmMain& f = frmMain();
    struct Case
    {
        const char* what;
        std::function<void()> set;
        QList<int> answers; // the dialogs' buttons, in order
        bool starts;
        QString status; // the panel "Aktion" after the click, when not started
    };
    const QString notCorrect = GetLangText(gLangIndex, 1827, QString());
    const QString range = GetLangText(gLangIndex, 1830, QString());
    const Case cases[] = {
        {"GSM: a PIN other than the default needs an APN",
         [&] {
             gGsmDevice = true;
             f.frAPN_Data(1).setVisible(true);
             f.txtPIN(1).setText(QStringLiteral("1234"));
             f.txtAPN(1).setText(QString());
         },
         {vbOK},
         false,
         QString()},
        {"GSM: the default PIN without APN passes",
         [&] {
             gGsmDevice = true;
             f.frAPN_Data(1).setVisible(true);
             f.txtPIN(1).setText(QStringLiteral("9463"));
             f.txtAPN(1).setText(QString());
         },
         {},
         true,
         QString()},
        {"GSM: APN frame hidden, nothing checked",
         [&] {
             gGsmDevice = true;
             f.frAPN_Data(1).setVisible(false);
             f.txtPIN(1).setText(QStringLiteral("12"));
         },
         {},
         true,
         QString()},
        {"empty mode box: focus, no message", [&] { f.coMO.setText(QString()); }, {}, false, QString()},
        {"code number out of range",
         [&] { f.txtCodeNo(1).setText(QStringLiteral("1024")); },
         {vbOK},
         false,
         range + QStringLiteral(" 1 - 1023")},
        {"work time and code number: work time first",
         [&] {
             f.txtCodeNo(1).setText(QStringLiteral("1024"));
             f.txtWtime(1).setText(QStringLiteral("96:00:00"));
         },
         {vbOK},
         false,
         notCorrect + QStringLiteral("   ") + range + QStringLiteral(" 1 - 1023")},
        {"direct connection, not confirmed", [&] { gConnMode = ConnDirect; }, {vbNo}, false, QString()},
        {"direct connection, confirmed", [&] { gConnMode = ConnDirect; }, {vbYes}, true, QString()},
        {"last entry of the code-number list warns",
         [&] {
             gCodeNoList = QStringList{QString(), QStringLiteral("5"), QStringLiteral("6")};
             gCodeNoIndex = 2;
         },
         {vbOK},
         true,
         QString()},
        {"... once per run",
         [&] {
             gCodeNoList = QStringList{QString(), QStringLiteral("5"), QStringLiteral("6")};
             gCodeNoIndex = 2;
         },
         {},
         true,
         QString()},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        setWriteColumn(WriteColumn{});
        gGsmDevice = false;
        gConnMode = ConnRemote;
        f.chkBeacon(0).setVisible(false);
        f.coMO.setVisible(true);
        k.set();
        for (int a : k.answers)
            DialogHooks::queue(DialogAnswer::press(a));
        f.mnuWrite_Click();
        EXPECT_EQ(gActionCode, k.starts ? ActWrite : ActNone);
        EXPECT_TRUE(DialogHooks::errors().isEmpty()) << DialogHooks::errors().join(u'|').toStdString();
        EXPECT_EQ(DialogHooks::asked().size(), k.answers.size());
        if (!k.status.isEmpty()) {
            EXPECT_EQ(f.Aktion().Text(), k.status);
        }
        // A started Write is not carried on here.
        CloseLink();
        gActionCode = ActNone;
        sim::pumpEvents(20);
        DialogHooks::reset();
        DialogHooks::setNoModal(true);
        gGsmDevice = false;
        resetWriteBytes();
    }
}

} // namespace qv::test
