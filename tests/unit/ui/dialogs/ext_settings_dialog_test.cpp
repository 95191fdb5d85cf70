// The extended settings dialog on its own: what it shows for each kind of station, the sliders' ranges and
// marks in each mode, the radio constants it computes, and when OK has nothing to write. The writes
// themselves are checked against the simulated station in the end-to-end tests.
#include "app/language.h"
#include "app/settings.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "receiver/receiver_globals.h"
#include "receiver/write_replies.h"
#include "stationdata/station_data.h"
#include "support/layout_check.h"
#include "support/main_window_fixture.h"
#include "ui/dialogs/frm_ext_set.h"

using namespace qv;

namespace {

class ExtSettingsDialogTest : public test::MainWindowTest
{
  protected:
    void SetUp() override
    {
        test::MainWindowTest::SetUp();
        closeWindow();
        gCommandLine = commandLine();
        FrmMain& f = startWindow();
        ASSERT_TRUE(f.startupCompleted());
        gActionCode = ActExtSettings;
        // A station of the newer board in the standard mode, beep and LED on.
        gModelFlag = true;
        gZokDevice = false;
        gBeepSet = gLedSet = true;
        gLed2Set = false;
        gActTime = 1310;
        gStbTime = 32760;
        gExtOpMode = 2;
        gK1 = 75;
        gK2 = 8;
        gSysBlock1 = test::blockImage(0x10, 0x01);
        gSysBlock2 = test::blockImage(0x20, 0x21);
        gSysBlock3 = test::blockImage(0x30, 0x31);
        gSysBlock4 = test::blockImage(0x40, 0x41);
        gSysBlock6 = test::blockImage(0x40, 0x41).mid(2) + test::blockImage(0x50, 0x51).mid(2) +
                     test::blockImage(0x60, 0x61).mid(2);
        gSysBlock7 = test::blockImage(0x70, 0x71);
    }
    void TearDown() override
    {
        if (FormInstance<FrmExtSet>::loaded())
            Unload(frmExtSet());
        test::MainWindowTest::TearDown();
    }
    FrmExtSet& open()
    {
        FrmExtSet& d = frmExtSet();
        d.Show();
        return d;
    }
    virtual QString commandLine() const { return QStringLiteral("en"); }
    // OK with no station port: a request that goes out asks about the port that cannot open.
    bool okSendsSomething(FrmExtSet& d)
    {
        DialogHooks::reset();
        DialogHooks::queue(DialogAnswer::press(vbOK));
        d.OKButton_Click();
        const bool sent = !DialogHooks::asked().isEmpty();
        DialogHooks::reset();
        return sent;
    }

    test::ScopedLocale locale{QStringLiteral("en_US")};
};

} // namespace

TEST_F(ExtSettingsDialogTest, ANewerStationShowsItsModeTimesAndFeedback)
{
    gTraceOn = true;
    FrmExtSet& d = open();
    EXPECT_TRUE(d.frMode.Visible());
    EXPECT_TRUE(d.opMode(2).Value());
    EXPECT_FALSE(d.picSet.Visible()); // standard has fixed times
    EXPECT_FALSE(d.lblWarning.Visible());
    EXPECT_FALSE(d.chkLED2.Visible());
    EXPECT_FALSE(d.lblVekR_T.Visible());
    EXPECT_EQ(d.chkBeep.Value(), vbChecked);
    EXPECT_EQ(d.chkLED.Value(), vbChecked);
    EXPECT_EQ(d.slAct.Value(), 40);
    EXPECT_EQ(d.slSTB.Value(), 1000);
    EXPECT_EQ(d.lblAct.Caption(), QStringLiteral("Act:40ms"));
    EXPECT_EQ(d.lblSTB.Caption(), QStringLiteral("STB:1s"));
    EXPECT_TRUE(d.lblK1K2.Visible());
    EXPECT_EQ(d.lblK1K2.Caption(), QStringLiteral("K1=75 K2=8"));
    EXPECT_EQ(d.opMode(2).ToolTipText(),
              GetLangText(gLangIndex, 1930, QString()) + QStringLiteral(" Act=40ms STB=1s  K1=75 K2=8"));
    EXPECT_LT(d.frMode.Top(), d.frFeedBack.Top());
}

TEST_F(ExtSettingsDialogTest, WhatEachKindOfStationShows)
{
    // The ZOK kind: three feedback boxes, the second LED under the first, no mode frame.
    gZokDevice = true;
    gLed2Set = true;
    {
        FrmExtSet& d = open();
        EXPECT_FALSE(d.frMode.Visible());
        EXPECT_FALSE(d.lblWarning.Visible());
        EXPECT_TRUE(d.chkLED2.Visible());
        EXPECT_TRUE(d.lblVekR_T.Visible());
        EXPECT_EQ(d.chkLED2.Left(), d.chkLED.Left());
        EXPECT_GT(d.chkLED2.Top(), d.chkLED.Top());
        EXPECT_EQ(d.chkLED2.Caption(), QStringLiteral("&2.") + QString(d.chkLED.Caption()).remove(u'&'));
        EXPECT_EQ(d.chkLED2.Value(), vbChecked);
        EXPECT_EQ(d.frFeedBack.Top(), d.frMode.Top());
        Unload(d);
    }
    // An older board with auto send off in the read column: the feedback cannot be changed, and says why.
    gZokDevice = false;
    gModelFlag = false;
    gAutoSendRead = 0;
    frmMain().chkCPC(0).setValue(vbUnchecked);
    {
        FrmExtSet& d = open();
        EXPECT_FALSE(d.frMode.Visible());
        EXPECT_FALSE(d.chkLED2.Visible());
        EXPECT_FALSE(d.chkBeep.Enabled());
        EXPECT_FALSE(d.chkLED.Enabled());
        EXPECT_EQ(d.lblHinweis.Caption(), GetLangText(gLangIndex, 1875, QString()));
        EXPECT_EQ(d.frFeedBack.Top(), d.frMode.Top());
        Unload(d);
    }
    gAutoSendRead = 1;
    frmMain().chkCPC(0).setValue(vbChecked);
    FrmExtSet& d = open();
    EXPECT_TRUE(d.chkBeep.Enabled());
    EXPECT_TRUE(d.lblHinweis.Caption().isEmpty());
}

TEST_F(ExtSettingsDialogTest, EachModeSetsTheSliderRangesAndMarks)
{
    gActTime = 786;   // 24 ms: sprint
    gStbTime = 40960; // 1250 ms
    gExtOpMode = 1;
    FrmExtSet& d = open();
    // The mode read from the station: its range, no marks moved.
    EXPECT_EQ(d.slAct.Min(), 12);
    EXPECT_EQ(d.slAct.Max(), 40);
    EXPECT_EQ(d.slAct.Value(), 24);
    EXPECT_EQ(d.slSTB.Min(), 100);
    EXPECT_EQ(d.slSTB.Max(), 2000);
    EXPECT_EQ(d.lblAct.Caption(), QStringLiteral("Act:24ms"));
    EXPECT_EQ(d.lblSTB.Caption(), QStringLiteral("STB:1.25s"));
    EXPECT_TRUE(d.picSet.Visible());
    EXPECT_TRUE(d.lblWarning.Visible());
    EXPECT_EQ(gK1, 125);
    EXPECT_EQ(gK2, 7);

    d.opMode(3).setValue(true);
    EXPECT_EQ(gExtOpMode, 3);
    EXPECT_EQ(d.slAct.Min(), 40);
    EXPECT_EQ(d.slAct.Max(), 100);
    EXPECT_EQ(d.slAct.Value(), 40); // the station's 24 ms lies below economy
    EXPECT_EQ(d.slAct.SelStart(), 80);
    EXPECT_EQ(d.slSTB.SelStart(), 2000);

    d.opMode(2).setValue(true);
    EXPECT_FALSE(d.picSet.Visible());
    EXPECT_FALSE(d.lblWarning.Visible());
    EXPECT_EQ(d.slAct.Value(), 40);
    EXPECT_EQ(d.slSTB.Value(), 1000);
    EXPECT_EQ(d.slAct.SelStart(), 40);
    EXPECT_EQ(d.slSTB.SelStart(), 1000);
    EXPECT_EQ(gK1, 75);
    EXPECT_EQ(gK2, 8);

    d.slSTB.setValue(500);
    EXPECT_EQ(gK2, 8); // the standard mode keeps its constants whatever the sliders hold

    d.opMode(1).setValue(true);
    EXPECT_EQ(d.slAct.Max(), 40);
    EXPECT_EQ(d.slAct.Value(), 24); // back to the station's value
    EXPECT_EQ(d.slSTB.Value(), 1250);
}

TEST_F(ExtSettingsDialogTest, SlidersRecomputeTheConstantsAsTheyMove)
{
    gActTime = 786;
    gStbTime = 40960;
    gExtOpMode = 1;
    FrmExtSet& d = open();
    const std::tuple<int, int, int, int> cases[] = {
        {12, 100, 250, 25}, {40, 1000, 75, 8}, {20, 2000, 150, 6}};
    for (const auto& [act, stb, k1, k2] : cases) {
        d.slAct.setValue(act);
        d.slSTB.setValue(stb);
        EXPECT_EQ(gK1, k1);
        EXPECT_EQ(gK2, k2);
        EXPECT_EQ(d.lblK1K2.Caption(), QStringLiteral("K1=%1 K2=%2").arg(k1).arg(k2));
        EXPECT_EQ(d.lblAct.Caption(), QStringLiteral("Act:%1ms").arg(act));
    }
}

TEST_F(ExtSettingsDialogTest, AModeOutsideTheThreeSelectsNone)
{
    gExtOpMode = 0;
    FrmExtSet& d = open();
    EXPECT_FALSE(d.opMode(1).Value());
    EXPECT_FALSE(d.opMode(2).Value());
    EXPECT_FALSE(d.opMode(3).Value());
}

TEST_F(ExtSettingsDialogTest, OkWithNothingChangedSendsNothingOnEveryKindOfStation)
{
    struct Kind
    {
        const char* name;
        bool modelFlag, zok;
        int32_t act, stb;
    };
    // 1311 ticks are the 40 ms of the standard mode shown on the slider, 32767 its second.
    const Kind kinds[] = {{"newer board", true, false, 1310, 32760},
                          {"a tick away from standard", true, false, 1311, 32767},
                          {"sprint a tick away", true, false, 787, 40961},
                          {"ZOK", false, true, 1310, 32760},
                          {"older board", false, false, 1310, 32760}};
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.name);
        gModelFlag = k.modelFlag;
        gZokDevice = k.zok;
        gActTime = k.act;
        gStbTime = k.stb;
        gExtOpMode = k.act < 1178 ? 1 : 2;
        const QByteArray block1 = gSysBlock1, block4 = gSysBlock4, block7 = gSysBlock7;
        gActionCode = ActExtSettings;
        FrmExtSet& d = open();
        EXPECT_FALSE(okSendsSomething(d));
        EXPECT_FALSE(gExtTimingChanged);
        EXPECT_FALSE(gExtFlagsChanged);
        EXPECT_EQ(gActionCode, ActNone);
        EXPECT_FALSE(FormInstance<FrmExtSet>::loaded());
        EXPECT_EQ(gSysBlock1, block1);
        EXPECT_EQ(gSysBlock4, block4);
        EXPECT_EQ(gSysBlock7, block7);
        // The station's own values stay: nothing was written.
        EXPECT_EQ(gActTime, k.act);
        EXPECT_EQ(gStbTime, k.stb);
    }
}

TEST_F(ExtSettingsDialogTest, ASecondLedCopyFromAnEarlierStationIsNotTakenForAChange)
{
    // A ZOK station with its second LED on was edited before; this station is not of that kind.
    gZokDevice = true;
    gLed2Set = true;
    Unload(open());
    gZokDevice = false;
    gLed2Set = false;
    FrmExtSet& d = open();
    EXPECT_FALSE(okSendsSomething(d));
    EXPECT_FALSE(gExtFlagsChanged);
}

TEST_F(ExtSettingsDialogTest, ChangesPatchTheImagesTheWriteIsMadeOf)
{
    FrmExtSet& d = open();
    d.chkBeep.setValue(vbUnchecked);
    d.opMode(1).setValue(true);
    d.slAct.setValue(24);
    d.slSTB.setValue(1500);
    EXPECT_TRUE(okSendsSomething(d));
    EXPECT_TRUE(gExtFlagsChanged);
    EXPECT_TRUE(gExtTimingChanged);
    EXPECT_EQ(gActTime, 786);
    EXPECT_EQ(gStbTime, 49152);
    EXPECT_EQ(gSysBlock4.mid(10, 4), test::bytes({0x03, 0x12, 0xC0, 0x00}));
    EXPECT_EQ(gSysBlock1.mid(2, 2), test::bytes({125, 7}));
    // Beep (bit 2) off, LED (bit 0) kept, the second LED (bit 1) of another kind never touched.
    EXPECT_EQ(uint8_t(gSysBlock7.at(5)), uint8_t(((0x71 + 3) & ~0x04) | 0x01));
    // Without a port the write cannot go out: the operation ends with the message.
    EXPECT_EQ(gActionCode, ActNone);
}

class ExtSettingsDialogLayout : public ExtSettingsDialogTest,
                                public ::testing::WithParamInterface<const char*>
{
  protected:
    QString commandLine() const override
    {
        return QString::fromLatin1(GetParam()) == QLatin1String("DEU") ? QStringLiteral("de")
                                                                       : QStringLiteral("en");
    }
};

TEST_P(ExtSettingsDialogLayout, NoCaptionCutOffAndNothingOverlapsForEachKindOfStation)
{
    const std::pair<bool, bool> kinds[] = {{true, false}, {false, true}, {false, false}};
    for (const auto& [modelFlag, zok] : kinds) {
        gModelFlag = modelFlag;
        gZokDevice = zok;
        gExtOpMode = 1;
        gActTime = 786;
        FrmExtSet& d = open();
        QApplication::processEvents();
        for (const QString& pair : test::overlappingControls(d, {}))
            ADD_FAILURE() << "overlap: " << pair.toStdString();
        for (const QString& caption : test::captionsThatDoNotFit(d))
            ADD_FAILURE() << caption.toStdString();
        Unload(d);
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ExtSettingsDialogLayout, ::testing::Values("ENU", "DEU"));
