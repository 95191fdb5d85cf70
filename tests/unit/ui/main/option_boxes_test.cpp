// The station option pairs of the main window (read column undone, write column stored into the write
// byte), the station generation choice, the enabling per mode and station kind, and the extended protocol's
// hover help picture.
#include "app/language.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "receiver/receiver_globals.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "support/main_window_fixture.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"
#include "unit/ui/main/mode_choice_support.h"

#include <QCheckBox>
#include <QKeyEvent>

using namespace qv;

namespace {

// Every option byte the tests change, put back afterwards.
struct SavedBytes
{
    std::array<uint8_t*, 26> ptrs{&gAutoSendRead,
                                  &gAutoSendWrite,
                                  &gExtProtRead,
                                  &gExtProtWrite,
                                  &gRtcRead,
                                  &gRtcWrite,
                                  &gCard6mit192Read,
                                  &gCard6mit192Write,
                                  &gPunchTimingModeRead,
                                  &gPunchTimingModeWrite,
                                  &gAllNewRadioStampRead,
                                  &gAllNewRadioStampWrite,
                                  &gRadioStampRead,
                                  &gRadioStampWrite,
                                  &gRadioAppmemRead,
                                  &gRadioAppmemWrite,
                                  &gEcoModeRead,
                                  &gEcoModeWrite,
                                  &gBackupCtrlRead,
                                  &gBackupCtrlWrite,
                                  &gSprint4msRead,
                                  &gSprint4msWrite,
                                  &gAutoReadCardsRead,
                                  &gAutoReadCardsWrite,
                                  &gExtProtUsed,
                                  &gModeCode};
    std::array<uint8_t, 26> values{};
    bool zok = gZokDevice;
    bool gsm = gGsmDevice;
    int16_t connMode = gConnMode;
    uint8_t modeCodeSet = gModeCodeSet;

    SavedBytes()
    {
        for (size_t i = 0; i < ptrs.size(); ++i)
            values[i] = *ptrs[i];
    }
    void restore() const
    {
        for (size_t i = 0; i < ptrs.size(); ++i)
            *ptrs[i] = values[i];
        gZokDevice = zok;
        gGsmDevice = gsm;
        gConnMode = connMode;
        gModeCodeSet = modeCodeSet;
    }
};

class OptionBoxesTest : public test::MainWindowTest
{
  protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        gZokDevice = false;
        gGsmDevice = false;
        for (uint8_t* p : m_saved.ptrs)
            *p = 0;
        gModeCode = 2;
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        m_saved.restore();
    }

  private:
    SavedBytes m_saved;
};

// A user's click on a box; the box is made clickable first where the test is about its handling only.
void click(CheckBox& box)
{
    box.setVisible(true);
    box.setEnabled(true);
    box.checkBox()->click();
}

struct OptionPair
{
    const char* name;
    ControlArray<CheckBox> FrmMain::*boxes;
    uint8_t* read;
    uint8_t* write;
};

const OptionPair kOptions[] = {
    {"chkCPC", &FrmMain::chkCPC, &gAutoSendRead, &gAutoSendWrite},
    {"chkCPC0", &FrmMain::chkCPC0, &gExtProtRead, &gExtProtWrite},
    {"chkFCG", &FrmMain::chkFCG, &gRtcRead, &gRtcWrite},
    {"chkQv6mit192", &FrmMain::chkQv6mit192, &gCard6mit192Read, &gCard6mit192Write},
    {"chkPunchTimingMode", &FrmMain::chkPunchTimingMode, &gPunchTimingModeRead, &gPunchTimingModeWrite},
    {"chkAllNewRadio_stamp", &FrmMain::chkAllNewRadio_stamp, &gAllNewRadioStampRead, &gAllNewRadioStampWrite},
    {"chkRadio_stamp", &FrmMain::chkRadio_stamp, &gRadioStampRead, &gRadioStampWrite},
    {"chkRadio_appmem", &FrmMain::chkRadio_appmem, &gRadioAppmemRead, &gRadioAppmemWrite},
    {"chkSpeed", &FrmMain::chkSpeed, &gEcoModeRead, &gEcoModeWrite},
    {"chk4ms", &FrmMain::chk4ms, &gSprint4msRead, &gSprint4msWrite},
    {"chkBackupCtrl", &FrmMain::chkBackupCtrl, &gBackupCtrlRead, &gBackupCtrlWrite},
};

void sendKey(QWidget* w, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

} // namespace

TEST_F(OptionBoxesTest, AReadColumnClickShowsTheStationsValueAgain)
{
    FrmMain& f = startWindow();
    for (const OptionPair& o : kOptions) {
        SCOPED_TRACE(o.name);
        CheckBox& box = (f.*o.boxes)(0);
        for (uint8_t station : {uint8_t(0), uint8_t(1)}) {
            *o.read = station;
            box.setValue(station);
            f.Aktion().setText(QStringLiteral("range message"));
            click(box);
            EXPECT_EQ(box.Value(), station);
            EXPECT_EQ(f.Aktion().Text(), QString());
        }
    }
    // Reading cards automatically follows the user's click in the read column too.
    f.chkCPC7(0).setValue(vbUnchecked);
    f.Aktion().setText(QStringLiteral("x"));
    click(f.chkCPC7(0));
    EXPECT_EQ(f.chkCPC7(0).Value(), vbChecked);
    EXPECT_EQ(f.Aktion().Text(), QString());
    // The radio module's read boxes show what the module reported.
    gKuvSendCardRead = 1;
    f.chkQVMKUV_ReadCard(0).setValue(vbChecked);
    click(f.chkQVMKUV_ReadCard(0));
    EXPECT_EQ(f.chkQVMKUV_ReadCard(0).Value(), vbChecked);
    gKuvSendCardRead = 0;
}

TEST_F(OptionBoxesTest, AWriteColumnClickSetsTheWriteByte)
{
    FrmMain& f = startWindow();
    // Start allows 4 ms sprint timing; reading out cards allows backup control.
    test::chooseMode(f, 3);
    for (const OptionPair& o : kOptions) {
        SCOPED_TRACE(o.name);
        if (o.write == &gBackupCtrlWrite)
            test::chooseMode(f, 5);
        CheckBox& box = (f.*o.boxes)(1);
        const uint8_t readBefore = *o.read;
        const int first = box.Value() == vbChecked ? vbUnchecked : vbChecked;
        for (int expected : {first, 1 - first}) {
            click(box);
            EXPECT_EQ(box.Value(), expected);
            EXPECT_EQ(*o.write, expected);
        }
        EXPECT_EQ(*o.read, readBefore);
    }
    click(f.chkCPC7(1));
    EXPECT_EQ(gAutoReadCardsWrite, 1);
}

TEST_F(OptionBoxesTest, ModeRulesUndoClicksTheModeDoesNotAllow)
{
    FrmMain& f = startWindow();
    struct Case
    {
        int mode;
        ControlArray<CheckBox> FrmMain::*boxes;
        uint8_t* write;
        bool enabled;
    };
    const Case cases[] = {
        {2, &FrmMain::chk4ms, &gSprint4msWrite, false},
        {7, &FrmMain::chk4ms, &gSprint4msWrite, false},
        {2, &FrmMain::chkBackupCtrl, &gBackupCtrlWrite, false},
        // Printout enables backup control, but only a read-out station keeps it.
        {11, &FrmMain::chkBackupCtrl, &gBackupCtrlWrite, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        test::chooseMode(f, c.mode);
        CheckBox& box = (f.*c.boxes)(1);
        EXPECT_EQ(box.Enabled(), c.enabled);
        box.setValue(vbChecked);
        EXPECT_EQ(box.Value(), vbUnchecked);
        EXPECT_EQ(*c.write, 0);
    }
    // In the printout mode, clearing auto send or the extended protocol ticks them again.
    test::chooseMode(f, 11);
    f.chkCPC(1).setValue(vbUnchecked);
    f.chkCPC0(1).setValue(vbUnchecked);
    EXPECT_EQ(f.chkCPC(1).Value(), vbChecked);
    EXPECT_EQ(f.chkCPC0(1).Value(), vbChecked);
    EXPECT_FALSE(f.chkCPC0(1).Enabled());
}

TEST_F(OptionBoxesTest, RadioOptionsExcludeEachOtherOnTheWriteSideOnly)
{
    FrmMain& f = startWindow();
    gAllNewRadioStampRead = 1;
    gRadioStampRead = 1;
    gRadioAppmemRead = 1;
    click(f.chkAllNewRadio_stamp(1));
    click(f.chkRadio_stamp(1));
    EXPECT_EQ(f.chkAllNewRadio_stamp(1).Value(), vbUnchecked);
    EXPECT_EQ(gAllNewRadioStampWrite, 0);
    EXPECT_EQ(gRadioStampWrite, 1);
    click(f.chkRadio_appmem(1));
    EXPECT_EQ(f.chkRadio_stamp(1).Value(), vbUnchecked);
    EXPECT_EQ(gRadioStampWrite, 0);
    EXPECT_EQ(gRadioAppmemWrite, 1);
    // What the station reported stays as read.
    EXPECT_EQ(gAllNewRadioStampRead, 1);
    EXPECT_EQ(gRadioStampRead, 1);
    EXPECT_EQ(gRadioAppmemRead, 1);
    // Clearing one clears nothing else.
    click(f.chkAllNewRadio_stamp(1));
    EXPECT_EQ(gRadioAppmemWrite, 0);
    EXPECT_EQ(gAllNewRadioStampWrite, 1);
    click(f.chkAllNewRadio_stamp(1));
    EXPECT_EQ(gAllNewRadioStampWrite, 0);
    EXPECT_EQ(gRadioStampWrite, 0);
    EXPECT_EQ(gRadioAppmemWrite, 0);
}

TEST_F(OptionBoxesTest, KeysOnTheExtendedProtocolBoxPassTheUsersChoice)
{
    FrmMain& f = startWindow();
    CheckBox& box = f.chkCPC0(1);
    box.setVisible(true);
    box.setEnabled(true);
    box.SetFocus();
    sendKey(box.checkBox(), Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(box.Value(), vbChecked);
    EXPECT_EQ(gExtProtWrite, 1);
    EXPECT_EQ(gExtProtUsed, 1);
    // Any key counts as the toggle's value, even one that does not toggle.
    sendKey(box.checkBox(), Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(box.Value(), vbChecked);
    EXPECT_EQ(gExtProtUsed, 0);
    // A mouse click is the user's choice as well; a change by code is not.
    click(box);
    EXPECT_EQ(gExtProtUsed, 0);
    box.setValue(vbChecked);
    EXPECT_EQ(gExtProtUsed, 0);
}

TEST_F(OptionBoxesTest, EcoModeReadBoxFollowsTheWriteChoice)
{
    FrmMain& f = startWindow();
    click(f.chkSpeed(1));
    click(f.chkSpeed(0));
    EXPECT_EQ(f.chkSpeed(0).Value(), f.chkSpeed(1).Value());
    EXPECT_EQ(gEcoModeWrite, 1);
}

TEST_F(OptionBoxesTest, GenerationBoxesExcludeEachOther)
{
    FrmMain& f = startWindow();
    gConnMode = ConnDirect;
    f.chkAlt(0).setValue(vbChecked);
    EXPECT_FALSE(f.mnuSetBaud.Visible());
    EXPECT_FALSE(f.mnuSetDefault.Enabled());
    EXPECT_EQ(f.chkAlt(0).Top(), -80);
    // The ZOK box clears box 0 without its handling: the menus stay as box 0 left them.
    f.chkAlt(2).setValue(vbChecked);
    EXPECT_EQ(f.chkAlt(0).Value(), vbUnchecked);
    EXPECT_FALSE(f.mnuSetBaud.Visible());
    EXPECT_FALSE(f.mnuSetDefault.Enabled());
    // Box 1 clears the ZOK box and box 0, each with its handling.
    f.chkAlt(1).setValue(vbChecked);
    EXPECT_EQ(f.chkAlt(2).Value(), vbUnchecked);
    EXPECT_TRUE(f.mnuSetBaud.Visible());
    EXPECT_TRUE(f.mnuSetDefault.Enabled());
    // Clearing box 1 ticks nothing.
    f.chkAlt(1).setValue(vbUnchecked);
    EXPECT_EQ(f.chkAlt(0).Value(), vbUnchecked);
    EXPECT_EQ(f.chkAlt(2).Value(), vbUnchecked);
    // While the station's speed changes, any run empties the mode box first.
    gActionCode = ActSetBaud;
    f.chkAlt(1).setValue(vbChecked);
    EXPECT_EQ(f.coMO.Text(), QString());
    gActionCode = ActNone;
}

TEST_F(OptionBoxesTest, ZokBoxShowsTheRadioOptionsOnlyInABeaconMode)
{
    struct Case
    {
        int mode;
        bool zok;
        bool radio;
        bool extProt;
        bool switchShown;
    };
    const Case cases[] = {
        {2, false, false, true, false},
        {19, false, true, false, true},
        {19, true, true, false, false},
        {2, true, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " zok " << c.zok);
        FrmMain& f = startWindow();
        f.coMO.setText(GetLangText(gLangIndex, kModeTextBase + c.mode, QString()));
        gZokDevice = c.zok;
        f.chkAlt(2).setValue(vbUnchecked);
        f.piSwitch(0).setVisible(false);
        f.chkAlt(2).setValue(vbChecked);
        for (int i = 0; i <= 1; ++i) {
            EXPECT_EQ(f.chkRadio_appmem(i).Visible(), c.radio) << i;
            EXPECT_EQ(f.chkPunchTimingMode(i).Visible(), c.radio) << i;
            EXPECT_EQ(f.chkSpeed(i).Visible(), c.radio) << i;
            EXPECT_FALSE(f.chkBeacon(i).Visible());
            EXPECT_EQ(f.chkCPC0(i).Visible(), c.extProt) << i;
            EXPECT_EQ(f.chk4ms(i).Enabled(), !c.radio) << i;
        }
        EXPECT_EQ(f.mnuRadio_stamp.Visible(), c.radio);
        EXPECT_EQ(f.piSwitch(0).Visible(), c.switchShown);
        const QString heading =
            c.radio ? QStringLiteral("        beacon options") : QStringLiteral("classic options");
        EXPECT_EQ(f.Label1(0).Caption(), heading);
        EXPECT_EQ(f.Label1(6).Caption(), heading);
        closeWindow();
    }
}

TEST_F(OptionBoxesTest, EveryModeChoiceEnablesTheOptionsForTheStationKind)
{
    struct Case
    {
        int mode;
        bool gsm;
        bool beacon;
        bool sprint;
        bool backup;
    };
    const Case cases[] = {
        {2, false, false, false, false}, {3, false, false, true, false},  {5, false, false, false, true},
        {11, false, false, true, true},  {18, false, true, false, false}, {20, false, true, true, false},
        {2, true, false, false, false},  {19, true, true, true, false},
    };
    FrmMain& f = startWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " gsm " << c.gsm);
        gGsmDevice = c.gsm;
        test::chooseMode(f, c.mode);
        for (int i = 0; i <= 1; ++i) {
            EXPECT_EQ(f.chkCPC(i).Visible(), !c.gsm && !c.beacon) << i;
            EXPECT_EQ(f.chkPunchTimingMode(i).Visible(), c.beacon) << i;
            EXPECT_EQ(f.chkQv6mit192(i).Enabled(), !c.beacon) << i;
        }
        EXPECT_EQ(f.mnuRadio_appmem.Visible(), c.beacon);
        EXPECT_EQ(f.cmdSwitch.Caption(), c.beacon ? QStringLiteral("^") : QStringLiteral("_"));
        EXPECT_EQ(f.chk4ms(1).Enabled(), c.sprint);
        EXPECT_EQ(f.chkBackupCtrl(1).Enabled(), c.backup);
    }
}

TEST_F(OptionBoxesTest, HoverPictureShowsAfterTheWaitAndNotWhenThePointerMovesOn)
{
    FrmMain& f = startWindow();
    // Over the tick box itself nothing waits; the other column's picture goes.
    f.piErwProt(0).setVisible(true);
    f.chkCPC0_MouseMove(1, 0, 0, 150, 100);
    EXPECT_FALSE(f.piErwProt(0).Visible());
    EXPECT_FALSE(f.tmrHover.running());

    // On the caption: nothing before the wait ends, the picture after it.
    f.chkCPC0_MouseMove(1, 0, 0, 900, 100);
    EXPECT_TRUE(f.tmrHover.running());
    EXPECT_EQ(f.tmrHover.Interval(), 600);
    EXPECT_FALSE(f.piErwProt(1).Visible());
    f.tmrHover.Tick();
    EXPECT_TRUE(f.piErwProt(1).Visible());
    EXPECT_FALSE(f.tmrHover.running());
    EXPECT_TRUE(f.cmdErwProtOK(1).Cancel());
    EXPECT_FALSE(f.cmdErwProtOK(0).Cancel());

    // The OK button closes it.
    f.cmdErwProtOK(1).setValue(true);
    EXPECT_FALSE(f.piErwProt(1).Visible());

    // Moving onto the 4 ms box within the wait: no picture.
    f.chkCPC0_MouseMove(1, 0, 0, 900, 100);
    f.chk4ms(1).onMouseMove(0, 0, 10, 10);
    EXPECT_FALSE(f.tmrHover.running());
    f.tmrHover.Tick();
    EXPECT_FALSE(f.piErwProt(1).Visible());

    // On a ZOK device the picture is filled but stays hidden.
    gZokDevice = true;
    f.chkCPC0_MouseMove(0, 0, 0, 900, 100);
    f.tmrHover.Tick();
    EXPECT_FALSE(f.piErwProt(0).Visible());
    EXPECT_EQ(f.lblPicCard(0).Caption(), GetLangText(gLangIndex, 1946, QString()));
}

TEST_F(OptionBoxesTest, HoverPictureRowsFollowTheModeAndAutoSend)
{
    FrmMain& f = startWindow();
    test::chooseMode(f, 11);
    f.chkCPC0_MouseMove(1, 0, 0, 900, 100);
    f.tmrHover.Tick();
    EXPECT_EQ(f.lblPicMo(1).Caption(), f.lblMO(1).Caption() + QStringLiteral(":Printout"));
    EXPECT_EQ(f.lblPic1Txt(0).Caption(), GetLangText(gLangIndex, 1941, QString()));
    EXPECT_TRUE(f.lblPic1Txt(1).Visible());
    EXPECT_EQ(f.lblPic1Txt(1).Caption(), GetLangText(gLangIndex, 1942, QString()));
    EXPECT_FALSE(f.lblPic1Txt(2).Visible());
    EXPECT_FALSE(f.chkPic1(3).Visible());
    for (int k = 0; k <= 3; ++k)
        EXPECT_EQ(f.chkPic1(k).Value(), vbChecked) << k;

    // Without a mode: the general view over read-out and control stations.
    f.coMO.setText(QString());
    f.chkCPC0_MouseMove(1, 0, 0, 900, 100);
    f.tmrHover.Tick();
    EXPECT_TRUE(f.lblPic1Txt(2).Visible());
    EXPECT_TRUE(f.chkPic0(3).Visible());
    EXPECT_EQ(f.lblPic0Txt(0).Caption(),
              gModeTextReadout + QStringLiteral(", ") + GetLangText(gLangIndex, 1941, QString()));
    EXPECT_EQ(f.lblPic1Txt(2).Caption(), GetLangText(gLangIndex, 1560, QString()) + QStringLiteral(", ") +
                                             GetLangText(gLangIndex, 1943, QString()));

    // A picture that would reach below the window's inner area is moved up to end at its bottom.
    f.resize(f.width(), 300);
    f.chkCPC0_MouseMove(1, 0, 0, 900, 100);
    f.tmrHover.Tick();
    EXPECT_EQ(f.piErwProt(1).Top() + f.piErwProt(1).Height(), f.ScaleHeight());
}

TEST_F(OptionBoxesTest, ThePicturesBoxesSetTheOptionItself)
{
    FrmMain& f = startWindow();
    test::chooseMode(f, 2);
    click(f.chkPic1(2));
    EXPECT_EQ(f.chkCPC0(1).Value(), vbChecked);
    EXPECT_EQ(gExtProtWrite, 1);
    for (int k = 0; k <= 3; ++k)
        EXPECT_EQ(f.chkPic1(k).Value(), vbChecked) << k;
    // The read column's picture shows the station's value and takes no clicks.
    gExtProtRead = 1;
    f.chkCPC0(0).setValue(vbChecked);
    for (int k = 0; k <= 3; ++k) {
        EXPECT_EQ(f.chkPic0(k).Value(), vbChecked) << k;
        EXPECT_FALSE(f.chkPic0(k).Enabled()) << k;
    }
}
