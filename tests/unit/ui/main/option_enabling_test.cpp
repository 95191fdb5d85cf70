// Which station options the main window enables and shows for the mode, the device kind and the classic or
// beacon option set, and the layout switch between the two sets.
#include "app/settings.h"
#include "link/link_globals.h"
#include "stationdata/modes.h"
#include "support/main_window_fixture.h"

#include <QPushButton>

using namespace qv;

namespace {

// The device flags and remembered write bytes that the tests and the start-up change, put back afterwards.
struct SavedOptionState
{
    bool zok = gZokDevice;
    bool gsm = gGsmDevice;
    bool beaconMode = gBeaconMode;
    uint8_t sprint4ms = gSprint4msWrite;
    uint8_t backupCtrl = gBackupCtrlWrite;

    void restore() const
    {
        gZokDevice = zok;
        gGsmDevice = gsm;
        gBeaconMode = beaconMode;
        gSprint4msWrite = sprint4ms;
        gBackupCtrlWrite = backupCtrl;
    }
};

class OptionEnablingTest : public test::MainWindowTest
{
  protected:
    void TearDown() override
    {
        test::MainWindowTest::TearDown();
        m_saved.restore();
    }

    // A started window showing the given mode names in the read (txtMO) and write (coMO) column.
    FrmMain& windowShowing(const QString& readMode, const QString& writeMode)
    {
        FrmMain& f = startWindow();
        EXPECT_TRUE(gMainFormReady);
        showModes(f, readMode, writeMode);
        return f;
    }
    static void showModes(FrmMain& f, const QString& readMode, const QString& writeMode)
    {
        f.txtMO.setText(readMode);
        f.coMO.setText(writeMode);
    }

  private:
    SavedOptionState m_saved;
};

// The option set the window shows, read from every place that tells it.
void expectOptionSet(FrmMain& f, bool beacon)
{
    EXPECT_EQ(f.cmdSwitch.Caption(), beacon ? QStringLiteral("^") : QStringLiteral("_"));
    EXPECT_EQ(f.opBeacon(0).Value(), beacon);
    EXPECT_EQ(f.opClassic(0).Value(), !beacon);
    for (int i = 0; i <= 1; ++i) {
        EXPECT_EQ(f.chkPunchTimingMode(i).Visible(), beacon) << i;
        EXPECT_EQ(f.chkRadio_stamp(i).Visible(), beacon) << i;
        EXPECT_EQ(f.chkSpeed(i).Visible(), beacon) << i;
        EXPECT_EQ(f.chkCPC(i).Visible(), !beacon) << i;
        EXPECT_EQ(f.chkCPC0(i).Visible(), !beacon) << i;
        EXPECT_EQ(f.chkQv6mit192(i).Enabled(), !beacon) << i;
    }
    EXPECT_EQ(f.mnuRadio_appmem.Visible(), beacon);
    EXPECT_EQ(f.mnuPunchTimingMode.Visible(), beacon);
    const QString heading = QStringLiteral("        ") +
                            (beacon ? QStringLiteral("beacon options") : QStringLiteral("classic options"));
    EXPECT_EQ(f.Label1(0).Caption(), heading);
    EXPECT_EQ(f.Label1(6).Caption(), heading);
    EXPECT_FALSE(f.mEnablingGuard);
}

} // namespace

TEST_F(OptionEnablingTest, WriteModeDecidesTheOptionSetAndTheInstructionDevice)
{
    FrmMain& f = startWindow();
    const OleColor normal = f.coMO.ForeColor();
    struct Case
    {
        const char* mode;
        OleColor color;
        bool zokBefore;
        bool beacon;
        bool zokAfter;
    };
    const Case cases[] = {
        {"", normal, false, false, false},
        {"", normal, true, false, true},
        {"BC START", normal, false, true, false},
        {"BC Control", normal, false, true, false},
        {"BC FINISH", normal, false, true, false},
        // A red mode box holds no valid choice, whatever its text.
        {"BC START", vbRed, false, false, false},
        // Names compare exactly; mode 31 is no beacon mode.
        {"bc start", normal, false, false, false},
        {"BC Finish", normal, false, false, false},
        {"Instruction", normal, false, false, true},
        {"Control", normal, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        // Start from the other set, so that every state below was set by this call.
        f.SetEnabledZOK(!c.beacon);
        f.coMO.setText(QString::fromLatin1(c.mode));
        f.coMO.setForeColor(c.color);
        gZokDevice = c.zokBefore;
        f.SetEnabledZOK();
        expectOptionSet(f, c.beacon);
        EXPECT_EQ(gZokDevice, c.zokAfter);
    }
    f.coMO.setForeColor(normal);
}

TEST_F(OptionEnablingTest, BeaconSetLocksTheWriteColumnsBeaconChoices)
{
    FrmMain& f = startWindow();
    // A beacon mode, so that the generation box ticked below shows the beacon rows as well.
    f.coMO.setText(QStringLiteral("BC START"));
    f.chkFCG(1).setValue(vbChecked);
    f.chkAlt(2).setValue(vbUnchecked);
    gBeaconMode = true;
    gZokDevice = false;
    f.SetEnabledZOK(true);
    EXPECT_EQ(f.chkAlt(2).Value(), vbChecked);
    EXPECT_EQ(f.chkFCG(1).Value(), vbUnchecked);
    EXPECT_FALSE(f.chkSelective(1).Enabled());
    EXPECT_FALSE(f.chkBeacon(1).Enabled());
    EXPECT_FALSE(f.chkCPC(0).Enabled());
    EXPECT_TRUE(f.chkRadio_appmem(0).Enabled());
    // A station in beacon mode offers punch timing only on the ZOK device.
    EXPECT_FALSE(f.chkPunchTimingMode(0).Enabled());
    gZokDevice = true;
    f.SetEnabledZOK(true);
    EXPECT_TRUE(f.chkPunchTimingMode(0).Enabled());

    f.SetEnabledZOK(false);
    EXPECT_TRUE(f.chkCPC(0).Enabled());
    EXPECT_FALSE(f.chkRadio_appmem(0).Enabled());
}

TEST_F(OptionEnablingTest, SprintAndBackupBoxesFollowTheModeOfTheColumnAskedAbout)
{
    struct Case
    {
        const char* who;
        const char* readMode;
        const char* writeMode;
        uint8_t remembered;
        bool allowed;
    };
    const Case sprint[] = {
        {"read", "Control", "Start", 1, false},  {"read", "Start", "Control", 1, true},
        {"write", "Start", "Control", 1, false}, {"", "Control", "Finish with time trigger", 0, true},
        {"", "Control", "BC FINISH", 0, true},   {"", "Control", "Printout", 1, true},
        {"", "Control", "BC Control", 1, false},
    };
    FrmMain& f = startWindow();
    // The checks alone: the boxes' own Click handling would apply the same rules again.
    f.chk4ms.onClick = nullptr;
    f.chkBackupCtrl.onClick = nullptr;
    for (const Case& c : sprint) {
        SCOPED_TRACE(std::string(c.who) + "/" + c.readMode + "/" + c.writeMode);
        showModes(f, QString::fromLatin1(c.readMode), QString::fromLatin1(c.writeMode));
        // The box to write shows the opposite of the remembered value, so a change shows.
        const int before = c.remembered ? vbUnchecked : vbChecked;
        f.chk4ms(1).setValue(before);
        f.chk4ms(0).setValue(vbUnchecked);
        EXPECT_EQ(f.pruef4msEnabled(c.remembered, QString::fromLatin1(c.who)), c.allowed);
        // Whichever column was asked about, only the write column's box goes back to the remembered value.
        EXPECT_EQ(f.chk4ms(1).Value(), c.allowed ? before : c.remembered);
        EXPECT_EQ(f.chk4ms(0).Value(), vbUnchecked);
    }

    const Case backup[] = {
        {"read", "Read QV cards", "Control", 1, true},
        {"", "Read QV cards", "Printout", 1, true},
        {"", "Printout", "Start", 1, false},
        {"read", "Start", "Read QV cards", 1, false},
    };
    for (const Case& c : backup) {
        SCOPED_TRACE(std::string(c.who) + "/" + c.readMode + "/" + c.writeMode);
        showModes(f, QString::fromLatin1(c.readMode), QString::fromLatin1(c.writeMode));
        f.chkBackupCtrl(1).setValue(vbUnchecked);
        EXPECT_EQ(f.pruefBackupCtrlEnabled(c.remembered, QString::fromLatin1(c.who)), c.allowed);
        EXPECT_EQ(f.chkBackupCtrl(1).Value(), c.allowed ? vbUnchecked : vbChecked);
    }
}

TEST_F(OptionEnablingTest, RememberedByteBeyondTheBoxStatesShowsTicked)
{
    // A settings file may hold any byte; the start-up must not fail on it.
    writeSettings(QStringLiteral("[STATION]\r\nlastSprint4ms=7\r\nlastBackupCtrl=200\r\n"));
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    EXPECT_EQ(f.chk4ms(1).Value(), vbChecked);
    EXPECT_FALSE(f.chk4ms(1).Enabled());
    // Backup control is kept only by a station that reads out cards; the remembered mode is Control.
    EXPECT_EQ(f.chkBackupCtrl(1).Value(), vbUnchecked);
    EXPECT_EQ(gBackupCtrlWrite, 0);
    // A greyed value stays greyed (the check alone, without the box's own Click handling).
    f.chk4ms.onClick = nullptr;
    EXPECT_FALSE(f.pruef4msEnabled(vbGrayed));
    EXPECT_EQ(f.chk4ms(1).Value(), vbGrayed);
}

TEST_F(OptionEnablingTest, PrintoutForcesAutoSendAndExtendedProtocolAndKeepsBackupControl)
{
    FrmMain& f = windowShowing(QString(), QStringLiteral("Printout"));
    f.chkCPC(1).setValue(vbUnchecked);
    f.chkCPC0(1).setValue(vbUnchecked);
    f.chkCPC(1).setEnabled(f.pruefCPCEnabled());
    f.chkCPC0(1).setEnabled(f.pruefCPC0Enabled());
    f.SetEnabledZOK();
    for (CheckBox* box : {&f.chkCPC(1), &f.chkCPC0(1)}) {
        EXPECT_EQ(box->Value(), vbChecked) << box->Name().toStdString();
        EXPECT_FALSE(box->Enabled()) << box->Name().toStdString();
    }
    EXPECT_TRUE(f.chkBackupCtrl(1).Enabled());
    EXPECT_TRUE(f.chk4ms(1).Enabled());
    expectOptionSet(f, false);

    // Any other mode leaves both boxes as they are and allows them.
    f.coMO.setText(QStringLiteral("Control"));
    f.chkCPC(1).setValue(vbUnchecked);
    EXPECT_TRUE(f.pruefCPCEnabled());
    EXPECT_TRUE(f.pruefCPC0Enabled());
    EXPECT_EQ(f.chkCPC(1).Value(), vbUnchecked);
    EXPECT_EQ(f.chkCPC0(1).Value(), vbChecked);
}

TEST_F(OptionEnablingTest, StartUpShowsTheClassicSetWithTheModeDependentBoxesDisabled)
{
    // The mode combo starts empty, so no mode allows the sprint timing or the backup control yet.
    writeSettings(QStringLiteral("[STATION]\r\nlastMode=19\r\nlastSprint4ms=1\r\nlastBackupCtrl=0\r\n"
                                 "lastAutoSend=1\r\n"));
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    ASSERT_TRUE(f.coMO.Text().isEmpty());
    EXPECT_EQ(f.cmdSwitch.Caption(), QStringLiteral("_"));
    EXPECT_TRUE(f.opClassic(0).Value());
    EXPECT_FALSE(f.chkPunchTimingMode(1).Visible());
    EXPECT_FALSE(f.mnuRadio_stamp.Visible());
    EXPECT_TRUE(f.chkCPC(1).Visible());
    EXPECT_TRUE(f.chkCPC(1).Enabled());
    EXPECT_EQ(f.chkCPC(1).Value(), vbChecked);
    EXPECT_TRUE(f.chkCPC0(1).Enabled());
    for (ControlArray<CheckBox>* arr : {&f.chk4ms, &f.chkBackupCtrl}) {
        EXPECT_FALSE((*arr)(0).Enabled()) << (*arr)(0).Name().toStdString();
        EXPECT_FALSE((*arr)(1).Enabled()) << (*arr)(1).Name().toStdString();
    }
    EXPECT_EQ(f.chk4ms(1).Value(), vbChecked);
    EXPECT_EQ(f.chkBackupCtrl(1).Value(), vbUnchecked);
    // The option heading is written only once the window is ready.
    EXPECT_TRUE(f.Label1(0).Caption().isEmpty());
    EXPECT_FALSE(f.mEnablingGuard);
}

TEST_F(OptionEnablingTest, GsmStationHidesAutoSendAndExtendedProtocolInBothSets)
{
    FrmMain& f = startWindow();
    gGsmDevice = true;
    for (bool beacon : {false, true}) {
        f.SetEnabledZOK(beacon);
        for (int i = 0; i <= 1; ++i) {
            EXPECT_FALSE(f.chkCPC(i).Visible()) << beacon << i;
            EXPECT_FALSE(f.chkCPC0(i).Visible()) << beacon << i;
        }
    }
    gGsmDevice = false;
    f.SetEnabledZOK(false);
    EXPECT_TRUE(f.chkCPC(1).Visible());
    EXPECT_TRUE(f.chkCPC0(0).Visible());
}

TEST_F(OptionEnablingTest, GuardSwallowsExactlyOneCall)
{
    FrmMain& f = windowShowing(QString(), QStringLiteral("BC START"));
    f.SetEnabledZOK(false);
    expectOptionSet(f, false);

    f.mEnablingGuard = true;
    f.SetEnabledZOK();
    EXPECT_FALSE(f.mEnablingGuard);
    EXPECT_EQ(f.cmdSwitch.Caption(), QStringLiteral("_"));
    f.SetEnabledZOK();
    expectOptionSet(f, true);
}

TEST_F(OptionEnablingTest, ChoosingClassicFromTheOptionButtonsClickReturnsAtOnce)
{
    // The classic button's click chooses the classic set again; that nested call meets the guard.
    FrmMain& f = windowShowing(QString(), QStringLiteral("Control"));
    f.SetEnabledZOK(true);
    int nested = 0;
    bool guardSeen = false;
    f.opClassic.onClick = [&](int Index) {
        if (Index != 0)
            return;
        ++nested;
        guardSeen = f.mEnablingGuard;
        f.SetEnabledZOK(false);
    };
    f.SetEnabledZOK(false);
    f.opClassic.onClick = nullptr;
    EXPECT_EQ(nested, 1);
    EXPECT_TRUE(guardSeen);
    expectOptionSet(f, false);
}

TEST_F(OptionEnablingTest, BeforeTheWindowIsReadyTheReadColumnAndHeadingAreLeftAlone)
{
    FrmMain& f = windowShowing(QString(), QStringLiteral("Control"));
    f.chkCPC(0).setEnabled(false);
    f.Label1(6).setCaption(QStringLiteral("kept"));
    gMainFormReady = false;
    f.SetEnabledZOK(false);
    gMainFormReady = true;
    EXPECT_FALSE(f.chkCPC(0).Enabled());
    EXPECT_TRUE(f.Label1(0).Caption().isEmpty());
    EXPECT_EQ(f.Label1(6).Caption(), QStringLiteral("kept"));
    EXPECT_FALSE(f.mEnablingGuard);
    EXPECT_TRUE(f.opClassic(0).Value());
}

TEST_F(OptionEnablingTest, SwitchButtonTogglesBetweenTheSetsAndBack)
{
    FrmMain& f = windowShowing(QString(), QStringLiteral("Control"));
    f.SetEnabledZOK();
    expectOptionSet(f, false);
    f.cmdSwitch.button()->click();
    expectOptionSet(f, true);
    f.cmdSwitch.button()->click();
    expectOptionSet(f, false);
}

TEST_F(OptionEnablingTest, ModeNamesComeFromTheChosenLanguage)
{
    gCommandLine = QStringLiteral("de");
    FrmMain& f = windowShowing(QStringLiteral("Ausdruck"), QStringLiteral("BC START"));
    f.SetEnabledZOK();
    EXPECT_EQ(f.cmdSwitch.Caption(), QStringLiteral("_"));
    EXPECT_EQ(f.Label1(0).Caption(), QStringLiteral("        klassische Optionen"));
    f.coMO.setText(QStringLiteral("BC Start"));
    f.SetEnabledZOK();
    EXPECT_EQ(f.cmdSwitch.Caption(), QStringLiteral("^"));
    EXPECT_TRUE(f.pruefBackupCtrlEnabled(0, QStringLiteral("read")));
    EXPECT_TRUE(f.pruef4msEnabled(0));
}
