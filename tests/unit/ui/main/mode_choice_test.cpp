// The operating-mode choice of the write column: what each mode does to the code number, the work time and
// the option boxes, in English and in German, and the round trips between modes.
#include "app/language.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "support/main_window_fixture.h"
#include "ui/main/main_module.h"
#include "unit/ui/main/mode_choice_support.h"

#include <QCheckBox>
#include <QDomDocument>

using namespace qv;

namespace {

// The device flags, option bytes and kept values that a mode choice changes, put back after each test.
struct SavedModeState
{
    bool zok = gZokDevice;
    bool gsm = gGsmDevice;
    bool beaconMode = gBeaconMode;
    int16_t codeNo = gCodeNo;
    uint8_t modeCode = gModeCode;
    uint8_t modeCodeSet = gModeCodeSet;
    uint8_t modeCodeShown = gModeCodeShown;
    std::array<uint8_t, 8> bytes{
        gAutoSendWrite,        gExtProtWrite,         gSprint4msWrite,      gBackupCtrlWrite,
        gPunchTimingModeWrite, gAutoSendPrintoutSave, gExtProtPrintoutSave, gRtcWrite};
    bool codeNoTyped = gCodeNoTyped;

    void restore() const
    {
        gZokDevice = zok;
        gGsmDevice = gsm;
        gBeaconMode = beaconMode;
        gCodeNo = codeNo;
        gModeCode = modeCode;
        gModeCodeSet = modeCodeSet;
        gModeCodeShown = modeCodeShown;
        gAutoSendWrite = bytes[0];
        gExtProtWrite = bytes[1];
        gSprint4msWrite = bytes[2];
        gBackupCtrlWrite = bytes[3];
        gPunchTimingModeWrite = bytes[4];
        gAutoSendPrintoutSave = bytes[5];
        gExtProtPrintoutSave = bytes[6];
        gRtcWrite = bytes[7];
        gCodeNoTyped = codeNoTyped;
    }
};

class ModeChoiceTest : public test::MainWindowTest
{
  protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        gZokDevice = false;
        gGsmDevice = false;
        gBeaconMode = false;
        gCodeNoTyped = false;
        gAutoSendPrintoutSave = 0;
        gExtProtPrintoutSave = 0;
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        m_saved.restore();
    }

    // A started window in the given language whose remembered write values are those of `settings`.
    FrmMain& startWith(const QString& settings, bool german = false)
    {
        writeSettings(QStringLiteral("[STATION]\r\n") + settings);
        if (german)
            gCommandLine = QStringLiteral("de");
        FrmMain& f = startWindow();
        EXPECT_TRUE(gMainFormReady);
        return f;
    }

  private:
    SavedModeState m_saved;
};

// A user's click on a box (a disabled box takes none).
void click(CheckBox& box)
{
    box.checkBox()->click();
}

// What the write column shows after a mode choice.
struct ModeRow
{
    int mode;
    bool codeNoEnabled;
    int codeNoMax; // 0: no range check runs
    bool workTimeRaised;
    bool printoutLock; // auto send and extended protocol ticked and disabled
    int punchTiming;   // value of chkPunchTimingMode(1), -1: as before
    bool punchTimingEnabled;
    bool switchShown; // the classic/beacon switch
    bool specialFrame;
    bool sprintKept; // gSprint4msWrite stays 1
    bool sprintEnabled;
    bool backupEnabled;
};

const ModeRow kModeRows[] = {
    // mode code   max  raise  print  ptm ptmEn  switch special sprint 4msEn backupEn
    // Choosing Instruction marks the device as the ZOK kind, whose generation handling enables 4 ms and
    // backup control; a click on them is still undone by their own rules.
    {0, true, 1023, false, false, -1, true, false, false, false, true, true},
    {1, false, 127, false, false, -1, true, false, true, false, false, false},
    {2, true, 1023, false, false, -1, true, false, false, false, false, false},
    {3, true, 511, false, false, -1, true, false, false, true, true, false},
    {4, true, 511, false, false, -1, true, false, false, true, true, false},
    {5, true, 1023, false, false, -1, true, false, false, false, false, true},
    {7, true, 1023, false, false, -1, true, false, false, false, false, false},
    {10, true, 1023, false, false, -1, true, false, false, false, false, false},
    {11, true, 1023, false, true, -1, true, false, false, true, true, true},
    {12, true, 511, false, false, -1, true, false, false, true, true, false},
    {13, true, 511, false, false, -1, true, false, false, true, true, false},
    {18, true, 511, true, false, 1, true, true, false, false, false, false},
    {19, true, 511, true, false, 1, false, true, false, true, true, false},
    {20, true, 511, true, false, 1, false, true, false, true, true, false},
    {31, false, 0, true, false, -1, true, false, false, true, false, false},
};

class ModeRowTest : public ModeChoiceTest, public ::testing::WithParamInterface<std::tuple<ModeRow, bool>>
{
};

} // namespace

TEST_P(ModeRowTest, WriteColumnFollowsTheMode)
{
    const auto [row, german] = GetParam();
    test::ScopedLocale locale(german ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
    FrmMain& f = startWith(QStringLiteral("lastSprint4ms=1\r\nlastWorkTime=02:00:00\r\n"), german);
    ASSERT_EQ(f.chk4ms(1).Value(), vbChecked);
    // A code number beyond every range but 1023's, as the last write left it.
    gCodeNo = 600;
    const uint8_t punchBefore = static_cast<uint8_t>(f.chkPunchTimingMode(1).Value());

    test::chooseMode(f, row.mode);

    const QString modeName = GetLangText(gLangIndex, kModeTextBase + row.mode, QString());
    EXPECT_EQ(f.coMO.Text(), modeName);
    EXPECT_EQ(gModeCode, row.mode);
    EXPECT_EQ(gModeCodeSet, row.mode);
    EXPECT_EQ(f.txtCodeNo(1).Enabled(), row.codeNoEnabled);
    if (row.mode == 31) {
        EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("300"));
        EXPECT_TRUE(f.frLeer(0).Visible());
        EXPECT_TRUE(f.frLeer(1).Visible());
        EXPECT_EQ(f.Aktion().Text(), QString());
    } else {
        EXPECT_FALSE(f.frLeer(1).Visible());
        EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("600"));
        const QString outside = GetLangText(gLangIndex, 1830, QString()) + QStringLiteral(" 1 - ") +
                                QString::number(row.codeNoMax);
        EXPECT_EQ(f.Aktion().Text(), row.codeNoMax == 1023 ? QString() : outside);
    }
    EXPECT_EQ(f.txtWtime(1).Text(),
              row.workTimeRaised ? QStringLiteral("12:00:00") : QStringLiteral("02:00:00"));

    EXPECT_EQ(f.chkCPC(1).Enabled(), !row.printoutLock);
    EXPECT_EQ(f.chkCPC0(1).Enabled(), !row.printoutLock);
    EXPECT_EQ(f.chkCPC(1).Value(), row.printoutLock ? vbChecked : vbUnchecked);
    EXPECT_EQ(f.chkCPC0(1).Value(), row.printoutLock ? vbChecked : vbUnchecked);
    EXPECT_EQ(gAutoSendWrite, 0);
    EXPECT_EQ(gExtProtWrite, 0);

    EXPECT_EQ(f.chkPunchTimingMode(1).Value(), row.punchTiming < 0 ? punchBefore : row.punchTiming);
    EXPECT_EQ(gPunchTimingModeWrite, f.chkPunchTimingMode(1).Value());
    EXPECT_EQ(f.chkPunchTimingMode(1).Enabled(), row.punchTimingEnabled);
    EXPECT_EQ(f.piSwitch(1).Visible(), row.switchShown);
    EXPECT_EQ(f.frVEK_QVEL_Func.Visible(), row.specialFrame);
    if (row.specialFrame) {
        EXPECT_EQ(f.frVEK_QVEL_Func.Top(), f.lblCodeNo(1).Top());
        EXPECT_EQ(f.txtCodeNo(1).ForeColor(), f.txtSerNo.ForeColor());
    }

    EXPECT_EQ(gSprint4msWrite, row.sprintKept ? 1 : 0);
    if (row.mode != 31) {
        EXPECT_EQ(f.chk4ms(1).Value(), gSprint4msWrite);
        EXPECT_EQ(f.chk4ms(1).Enabled(), row.sprintEnabled);
        EXPECT_EQ(f.chkBackupCtrl(1).Enabled(), row.backupEnabled);
        EXPECT_EQ(f.chkBackupCtrl(1).Value(), gBackupCtrlWrite);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryMode, ModeRowTest,
                         ::testing::Combine(::testing::ValuesIn(kModeRows), ::testing::Bool()),
                         [](const auto& info) {
                             return QStringLiteral("Mode%1_%2")
                                 .arg(std::get<0>(info.param).mode)
                                 .arg(std::get<1>(info.param) ? QStringLiteral("DEU") : QStringLiteral("ENU"))
                                 .toStdString();
                         });

TEST_F(ModeChoiceTest, PrintoutThenControlGivesBackTheUsersBoxes)
{
    FrmMain& f = startWith(QStringLiteral("lastSprint4ms=1\r\n"));
    test::chooseMode(f, 2);
    click(f.chkCPC(1));
    ASSERT_EQ(gAutoSendWrite, 1);
    ASSERT_EQ(f.chkCPC0(1).Value(), vbUnchecked);

    test::chooseMode(f, 11);
    EXPECT_EQ(f.chkCPC(1).Value(), vbChecked);
    EXPECT_EQ(f.chkCPC0(1).Value(), vbChecked);
    EXPECT_FALSE(f.chkCPC(1).Enabled());
    EXPECT_FALSE(f.chkCPC0(1).Enabled());
    EXPECT_EQ(gAutoSendWrite, 0);
    EXPECT_EQ(gExtProtWrite, 0);
    // A click on the locked box changes nothing.
    click(f.chkCPC(1));
    EXPECT_EQ(f.chkCPC(1).Value(), vbChecked);

    test::chooseMode(f, 2);
    EXPECT_TRUE(f.chkCPC(1).Enabled());
    EXPECT_TRUE(f.chkCPC0(1).Enabled());
    EXPECT_EQ(f.chkCPC(1).Value(), vbChecked);
    EXPECT_EQ(f.chkCPC0(1).Value(), vbUnchecked);
    EXPECT_EQ(gAutoSendWrite, 1);
    EXPECT_EQ(gExtProtWrite, 0);
    EXPECT_EQ(gSprint4msWrite, 0);
}

TEST_F(ModeChoiceTest, BeaconModesRaiseAShortWorkTimeAndGiveItBack)
{
    struct Case
    {
        const char* before;
        const char* raised;
    };
    for (const Case& c : {Case{"02:00:00", "12:00:00"}, Case{"13:30:00", "13:30:00"}}) {
        SCOPED_TRACE(c.before);
        FrmMain& f = startWith(QStringLiteral("lastWorkTime=") + QString::fromLatin1(c.before) +
                               QStringLiteral("\r\n"));
        ASSERT_EQ(f.txtWtime(1).Text(), QString::fromLatin1(c.before));
        test::chooseMode(f, 19);
        EXPECT_EQ(f.txtWtime(1).Text(), QString::fromLatin1(c.raised));
        test::chooseMode(f, 20);
        EXPECT_EQ(f.txtWtime(1).Text(), QString::fromLatin1(c.raised));
        test::chooseMode(f, 2);
        EXPECT_EQ(f.txtWtime(1).Text(), QString::fromLatin1(c.before));
        closeWindow();
    }
}

TEST_F(ModeChoiceTest, BeaconFinishSetsTheModeInUseSoThatCode300Passes)
{
    FrmMain& f = startWith(QString());
    test::chooseMode(f, 1);
    test::chooseMode(f, 31);
    EXPECT_EQ(gModeCode, 31);
    EXPECT_EQ(gModeCodeSet, 31);
    // The write's range check passes the fixed code number of this mode.
    EXPECT_EQ(CheckCodeNumber(f.txtCodeNo(1).Text()), QString());
    EXPECT_EQ(gCodeNo, 300);
}

TEST_F(ModeChoiceTest, EscapeShowsTheModeLastFound)
{
    FrmMain& f = startWith(QStringLiteral("lastMode=4\r\n"));
    auto escape = [&f] {
        int key = 27;
        f.coMO.setText(QStringLiteral("typed"));
        f.coMO_KeyPress(key);
        return f.coMO.Text();
    };
    EXPECT_EQ(escape(), QStringLiteral("Finish"));
    test::chooseMode(f, 3);
    EXPECT_EQ(escape(), QStringLiteral("Start"));
    test::chooseMode(f, 31);
    EXPECT_EQ(escape(), QStringLiteral("BC Finish"));
    // A text that names no mode leaves the mode shown before.
    test::chooseMode(f, 11);
    f.coMO.setText(QStringLiteral("no such mode"));
    f.coMO_Click();
    EXPECT_EQ(gModeCode, 11);
    EXPECT_EQ(gModeCodeSet, 0);
    EXPECT_EQ(escape(), QStringLiteral("Printout"));
}

TEST_F(ModeChoiceTest, AnEmptyTextMatchesNoUnnamedMode)
{
    FrmMain& f = startWith(QString());
    test::chooseMode(f, 3);
    // A language file without a name for mode 6.
    QDomElement messages = gXmlDoc.documentElement().firstChildElement(QStringLiteral("WithoutForm"));
    messages.removeChild(messages.firstChildElement(QStringLiteral("s1306")));
    ASSERT_EQ(GetLangText(gLangIndex, 1306, QString()), QString());
    f.coMO.setText(QString());
    f.coMO_Click();
    EXPECT_EQ(gModeCode, 3);
    EXPECT_EQ(gModeCodeSet, 0);
    // The empty text raises the work time as the beacon modes do and ticks punch timing.
    EXPECT_EQ(f.txtWtime(1).Text(), QStringLiteral("12:00:00"));
    EXPECT_EQ(f.chkPunchTimingMode(1).Value(), vbChecked);
}

TEST_F(ModeChoiceTest, ARunningOperationKeepsItsCode)
{
    FrmMain& f = startWith(QString());
    gActionCode = ActRead;
    f.Timer1.setInterval(60000);
    f.Timer1.setEnabled(true);
    test::chooseMode(f, 3);
    EXPECT_EQ(gActionCode, ActRead);
    EXPECT_EQ(gModeCode, 3);
    f.Timer1.setEnabled(false);
    // Idle, a choice clears a code that an ended operation left behind.
    test::chooseMode(f, 4);
    EXPECT_EQ(gActionCode, ActNone);
}

TEST_F(ModeChoiceTest, SpecialFunctionsCheckTheirOwnRange)
{
    FrmMain& f = startWith(QString());
    gCodeNo = 200;
    test::chooseMode(f, 1);
    EXPECT_EQ(f.Aktion().Text(), GetLangText(gLangIndex, 1830, QString()) + QStringLiteral(" 1 - 127"));
    EXPECT_FALSE(f.txtCodeNo(1).Enabled());
    // A double click on the frame hides it; the label above the mode box re-evaluates the column.
    f.frVEK_QVEL_Func_DblClick();
    EXPECT_FALSE(f.frVEK_QVEL_Func.Visible());
    f.lblHelpMO_DblClick();
    EXPECT_EQ(f.Aktion().Text(), QString());
    EXPECT_FALSE(f.txtCodeNo(1).Enabled());
}

TEST_F(ModeChoiceTest, ATenDashLineIsEmptied)
{
    FrmMain& f = startWith(QString());
    f.coMO.setText(QString(10, u'-'));
    EXPECT_EQ(f.coMO.Text(), QString());
    f.coMO.setText(QString(9, u'-'));
    EXPECT_EQ(f.coMO.Text(), QString(9, u'-'));
}

TEST_F(ModeChoiceTest, LeavingTheBoxTakesTheListEntryOrComesBack)
{
    FrmMain& f = startWith(QString());
    f.Show();
    f.coMO.SetFocus();
    f.coMO.setText(QStringLiteral("Start"));
    f.txtCodeNo(1).SetFocus();
    EXPECT_EQ(f.coMO.List(f.coMO.ListIndex()), QStringLiteral("Start"));
    EXPECT_EQ(gModeCode, 3);
    // The choice leads on to the write button; a text that is no mode keeps the focus in the box.
    f.coMO.SetFocus();
    f.coMO.setText(QStringLiteral("Star"));
    f.txtCodeNo(1).SetFocus();
    EXPECT_EQ(Control::focusedControl(), &f.coMO);
    f.coMO.ShowDropDown(false);
}

TEST_F(ModeChoiceTest, ConnectionModeWithAndWithoutTheDongle)
{
    FrmMain& f = startWith(QString());
    struct Case
    {
        bool dongle;
        int chosen;
        int16_t connMode;
        int32_t timeout;
    };
    for (const Case& c : {Case{false, 0, ConnRemote, 3000}, Case{false, 1, ConnDirect, 2500},
                          Case{true, 0, ConnDirect, 2500}}) {
        SCOPED_TRACE(c.dongle);
        gDongleHardware = c.dongle;
        f.coMode.setListIndex(1 - c.chosen);
        f.coMode.setListIndex(c.chosen);
        EXPECT_EQ(gConnMode, c.connMode);
        EXPECT_EQ(f.coMode.ListIndex(), c.connMode - 1);
        EXPECT_EQ(gReplyTimeout, c.timeout);
    }
    gDongleHardware = false;

    // A changed text is centred again; while cards are read out the menus and the time-out stay.
    gConnMode = ConnRemote;
    gReplyTimeout = 1234;
    gActionCode = ActReadCards;
    f.coMode.setText(QStringLiteral("x"));
    EXPECT_EQ(f.coMode.Text().trimmed(), gConnModeNames[1]);
    EXPECT_EQ(gReplyTimeout, 1234);
    gActionCode = ActNone;
    f.coMode.setText(QStringLiteral("y"));
    EXPECT_EQ(gReplyTimeout, 3000);
}

TEST_F(ModeChoiceTest, TheCodeNumberListBrowser)
{
    FrmMain& f = startWith(QString());
    test::chooseMode(f, 2);
    gCodeNoList = {QString(), QStringLiteral("31"), QStringLiteral("32"), QStringLiteral("33")};
    gCodeNoIndex = 1;
    f.HScroll1.setMin(0);
    f.HScroll1.setMax(10);
    for (int v : {1, 2, 3}) {
        f.HScroll1.setValue(v);
        EXPECT_EQ(gCodeNoIndex, v);
        EXPECT_EQ(f.txtCodeNo(1).Text(), gCodeNoList.at(v));
    }
    f.HScroll1.setValue(7);
    EXPECT_EQ(f.HScroll1.Value(), 3);
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("33"));
    // The special functions keep their code while the list is browsed.
    test::chooseMode(f, 1);
    f.txtCodeNo(1).setText(QStringLiteral("125"));
    f.HScroll1.setValue(2);
    EXPECT_EQ(gCodeNoIndex, 2);
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("125"));
}

TEST_F(ModeChoiceTest, AltPRestoresTheReadExtendedProtocol)
{
    FrmMain& f = startWith(QString());
    gExtProtRead = 1;
    struct Case
    {
        int shift;
        int expected;
    };
    // Alt alone restores; P alone, Ctrl+Alt and Shift+Alt do nothing.
    for (const Case& c : {Case{0, 0}, Case{4 | 2, 0}, Case{4 | 1, 0}, Case{4, 1}}) {
        f.chkCPC0(0).setValue(vbUnchecked);
        int key = 0x50;
        f.Form_KeyUp(key, c.shift);
        EXPECT_EQ(f.chkCPC0(0).Value(), c.expected) << c.shift;
    }
    gExtProtRead = 0;
}
