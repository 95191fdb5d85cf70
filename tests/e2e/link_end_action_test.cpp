// The end of a station operation: signal or close, the duration line, the protocol record and the status
// text.
#include "link/end_action.h"
#include "link/link_globals.h"
#include "link/protocol_file.h"
#include "link/sender.h"
#include "link_support.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/textfile.h"
#include "receiver/receiver_globals.h"
#include "stationdata/station_data.h"

#include <QTemporaryDir>

namespace qv::test {
namespace {

class EndActionTest : public LinkE2E
{
  protected:
    void SetUp() override
    {
        LinkE2E::SetUp();
        ASSERT_TRUE(dir.isValid());
        gProtocolPath = dir.filePath("Protocol.CSV");
        ASSERT_EQ(OpenProtocolFile(), 1);
        FrmMain& f = frmMain();
        f.rtbox(0).setText(QString());
        f.coMode.setListIndex(0);
        f.MSComm1.setPortOpen(true);
        fake.setAutoStep(0);
    }

    // The fields of the protocol file's last record (date and time first).
    QStringList lastRecord()
    {
        const QStringList lines = readTextLines(gProtocolPath);
        return lines.size() < 2 ? QStringList() : lines.back().split(';');
    }
    int records() { return int(readTextLines(gProtocolPath).size()) - 1; }

    void fillReadColumn()
    {
        FrmMain& f = frmMain();
        f.txtSerNo.setText("123456");
        f.txtHardware.setText("HW 2");
        f.txtSoftware.setText("590");
        f.txtBMS.setText("BMS");
        f.txtBDate.setText("01.02.2026");
        f.txtCap.setText("1000 mAh");
        f.lblConsumption(0).setCaption("12 %");
        f.lblVolt.setCaption(" 3.1 V ");
        f.txtCodeNo(0).setText("31");
        f.txtMO.setText("Control");
        f.txtWtime(0).setText("02:00:00");
        // As a Read does: the station's bytes first, then the boxes that show them.
        for (uint8_t* read : readBytes())
            *read = 1;
        f.chkFCG(0).setValue(1);
        f.chkCPC(0).setValue(1);
        f.chkCPC0(0).setValue(1);
        f.chkQv6mit192(0).setValue(1);
        f.chkRadio_stamp(0).setValue(1);
        f.chkSpeed(0).setValue(1);
    }

    void TearDown() override
    {
        for (uint8_t* read : readBytes())
            *read = 0;
        LinkE2E::TearDown();
    }

    static std::array<uint8_t*, 6> readBytes()
    {
        return {&gRtcRead, &gAutoSendRead, &gExtProtRead, &gCard6mit192Read, &gRadioStampRead, &gEcoModeRead};
    }

    QTemporaryDir dir;
};

TEST_F(EndActionTest, ReadEndsWithTheFullRecordTheDurationAndAClosedPort)
{
    FrmMain& f = frmMain();
    fillReadColumn();
    gTraceOn = true;
    gActionCode = ActRead;
    gActionStart = TimerMs();
    fake.advance(1234);
    EndStationAction();

    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_EQ(gActionCode, ActNone);
    EXPECT_EQ(f.Aktion().Text(), "Read");
    // An empty line, the seconds, then the final status text.
    EXPECT_EQ(f.rtbox(0).Text(), "\r\n1.234 s\r\nRead\r\n");
    EXPECT_EQ(f.lblProgress(1).Height(), f.lblProgress(0).Height() - 30);

    const QStringList r = lastRecord();
    ASSERT_EQ(r.size(), 25);
    const QStringList expected = {
        "123456", "HW 2",      "590",     "BMS",      "remote",    "01.02.2026",    "1000 mAh", "12 %",
        "3.1 V",  "31",        "Control", "02:00:00", "Use_RTC",   "Use_auto_send", "-",        "Ext.Prot.",
        "-",      "Card6_192", "-",       "-",        "-+EcoMode", "Read"};
    EXPECT_EQ(r.mid(2, 22), expected);
}

TEST_F(EndActionTest, ZokAndBeaconStationsRecordTheirRadioMode)
{
    fillReadColumn();
    gZokDevice = true;
    gActionCode = ActBattery;
    frmMain().chkOff.setValue(1);
    EndStationAction();
    const QStringList r = lastRecord();
    ASSERT_EQ(r.size(), 25);
    EXPECT_EQ(r.mid(14, 10), (QStringList{"-", "Use_auto_send", "-", "-", "-", "-", "-", "-",
                                          "LastTime+EcoMode", "New battery"}));
}

TEST_F(EndActionTest, GsmStationRecordsItsNetworkDataAndNoOptions)
{
    FrmMain& f = frmMain();
    fillReadColumn();
    f.txtMO.setText(QString());
    f.txtPIN(0).setText("1234");
    f.txtAPN(0).setText("web;apn");
    f.txtUser(0).setText("user");
    f.txtPass(0).setText("pw");
    gGsmDevice = true;
    gActionCode = ActRead;
    EndStationAction();
    const QStringList r = lastRecord();
    ASSERT_EQ(r.size(), 25);
    // The access point as the field holds it, the PIN, the user and the password masked.
    EXPECT_EQ(r[12], "***web,apn,***,***");
    EXPECT_EQ(r.mid(14, 9), QStringList(9, QString()));
}

TEST_F(EndActionTest, WriteLetsTheStationSignalUnlessTurnOffIsTicked)
{
    FrmMain& f = frmMain();
    gActionCode = ActWrite;
    EndStationAction();
    ASSERT_TRUE(stationReceived(1));
    EXPECT_EQ(sim.station.received().front().command, 0xF9);
    EXPECT_EQ(sim.station.received().front().data, QByteArray("\x01"));
    EXPECT_TRUE(f.MSComm1.PortOpen());
    EXPECT_TRUE(f.Timer1.running());
    EXPECT_EQ(lastRecord().value(23), "Write");

    f.Timer1.setEnabled(false);
    f.chkOff.setValue(1);
    gActionCode = ActClearBackup;
    EndStationAction();
    sim::pumpEvents(50);
    EXPECT_EQ(sim.station.received().size(), 1);
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_EQ(lastRecord().value(23), "Clear Backup");
    EXPECT_EQ(lastRecord().value(6), "remote");
}

TEST_F(EndActionTest, SetTimeAndTestTimeRecords)
{
    frmMain().txtSerNo.setText("777");
    gActionCode = ActSetTime;
    gTestTime = "10:11:12";
    EndStationAction();
    QStringList r = lastRecord();
    EXPECT_EQ(r[2], "777");
    EXPECT_EQ(r[23], "Set time");
    EXPECT_EQ(gTestTime, "");
    EXPECT_EQ(frmMain().Aktion().Text(), ": " + gProtocolPath); // no status text of its own

    gActionCode = ActTestTime;
    gTestTime = "10:11:12";
    EndStationAction();
    r = lastRecord();
    EXPECT_EQ(r[2], "");
    EXPECT_EQ(r[6], "remote");
    EXPECT_EQ(r[23], "Testime 10:11:12");
    EXPECT_EQ(gTestTime, "");
}

TEST_F(EndActionTest, BackupReadWithoutBackupShowsTheFirstPane)
{
    FrmMain& f = frmMain();
    f.rtbox(1).setVisible(true);
    f.rtbox(0).setVisible(false);
    gTraceDefault = false;
    gTraceOn = true;
    gBackupText = "  collected  ";
    gBackupPointer = 0;
    gActionCode = ActReadBackup;
    EndStationAction();
    EXPECT_EQ(lastRecord().value(23), "no Backup");
    EXPECT_FALSE(f.rtbox(1).Visible());
    EXPECT_FALSE(gTraceOn);
    EXPECT_TRUE(f.rtbox(0).Text().contains("  collected  \r\n"));

    gBackupPointer = 0x1234;
    gActionCode = ActReadBackup;
    EndStationAction();
    EXPECT_EQ(lastRecord().value(23), "Backup memory read ");
}

TEST_F(EndActionTest, CardOperationsWriteNoRecordButTheirEndText)
{
    gTraceOn = true;
    const int before = records();
    const std::pair<int16_t, const char*> cases[] = {{ActReadCards, "End Read Cards"},
                                                     {ActViewPunch, "End View Punch"},
                                                     {ActConfigAirCard, "End Config QVEL"}};
    for (const auto& [action, text] : cases) {
        frmMain().rtbox(0).setText(QString());
        gActionCode = action;
        EndStationAction();
        EXPECT_EQ(frmMain().rtbox(0).Text(), QString(text) + "\r\n");
        EXPECT_EQ(frmMain().Aktion().Text(), text);
    }
    EXPECT_EQ(records(), before);
}

TEST_F(EndActionTest, OtherActionsAndTheBaudChange)
{
    gActionCode = ActSetBaud;
    EndStationAction();
    EXPECT_EQ(lastRecord().value(23), "Set Baud");
    // The card list opened over a file holds no station operation: no record.
    gActionCode = ActCardsFile;
    EndStationAction();
    EXPECT_EQ(lastRecord().value(23), "Set Baud");
    gActionCode = ActSwitchOff;
    EndStationAction();
    EXPECT_EQ(lastRecord().value(23), "Turn off station");
    gActionCode = ActExtSettings;
    EndStationAction();
    EXPECT_EQ(lastRecord().value(23), "Read Extended Settings");
}

// An operation without an end text of its own ends with its name in words, in the status bar, the log and
// the protocol file, never with a bare number.
TEST_F(EndActionTest, OperationsWithoutAnEndTextOfTheirOwnAreNamed)
{
    const std::pair<int16_t, const char*> cases[] = {
        {ActExtSettingsWrite, "Extended settings"}, {ActSetDefaults, "Write default settings"},
        {ActPasswordClear, "Station password"},     {ActAirCardBattery, "New battery of a radio card"},
        {ActAirCardList, "Radio card list"},        {14, "Station operation 14"},
    };
    for (const auto& [action, name] : cases) {
        frmMain().rtbox(0).setText(QString());
        gActionCode = action;
        EndStationAction();
        EXPECT_EQ(frmMain().Aktion().Text(), name);
        EXPECT_EQ(lastRecord().value(23), name);
        EXPECT_TRUE(frmMain().rtbox(0).Text().contains(QLatin1String(name)))
            << frmMain().rtbox(0).Text().toStdString();
    }
}

TEST_F(EndActionTest, DurationAcrossMidnightIsPositive)
{
    gTraceOn = true;
    fake.set(QDate(2026, 12, 9), QTime(23, 59, 59, 500));
    gActionCode = ActRead;
    gActionStart = TimerMs();
    fake.set(QDate(2026, 12, 10), QTime(0, 0, 0, 750));
    EndStationAction();
    EXPECT_EQ(frmMain().rtbox(0).Text(), "\r\n1.25 s\r\nRead\r\n");
}

TEST_F(EndActionTest, RepeatedCardIsRefusedWithAMessage)
{
    FrmMain& f = frmMain();
    EXPECT_FALSE(IsRepeatedCard(" 12345 "));
    EXPECT_EQ(gDeletedCards, ";   12345;");
    EXPECT_FALSE(IsRepeatedCard("7"));
    EXPECT_EQ(gDeletedCards, ";   12345;       7;");

    DialogHooks::queue(DialogAnswer::press(vbOK));
    EXPECT_TRUE(IsRepeatedCard("12345"));
    EXPECT_EQ(f.Aktion().Text(), "12345 multiple read out");
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked().front().prompt, "12345 multiple read out");
    // The station got its acknowledge, and the port is open again.
    EXPECT_TRUE(f.MSComm1.PortOpen());
    EXPECT_EQ(gDeletedCards, ";   12345;       7;");
}

} // namespace
} // namespace qv::test
