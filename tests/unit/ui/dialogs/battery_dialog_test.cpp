// The battery dialog on its own: what it shows from the main window, how it marks and refuses values, when OK
// can be pressed, and the write-back images it patches. The station conversation around it is in the
// end-to-end tests.
#include "app/language.h"
#include "link/link_globals.h"
#include "platform/controls/screen.h"
#include "receiver/air_card.h"
#include "receiver/battery_dialog.h"
#include "stationdata/modes.h"
#include "stationdata/settings_write.h"
#include "stationdata/station_data.h"
#include "support/layout_check.h"
#include "support/main_window_fixture.h"
#include "ui/dialogs/frm_batt.h"

using namespace qv;

namespace {

class BatteryDialogTest : public test::MainWindowTest
{
  protected:
    void SetUp() override
    {
        test::MainWindowTest::SetUp();
        // A main window an earlier test left loaded would not run the start-up again.
        closeWindow();
        gCommandLine = commandLine();
        FrmMain& f = startWindow();
        ASSERT_TRUE(f.startupCompleted());
        // The station's values as a battery read leaves them in the read column.
        f.txtCap.setText(QStringLiteral("2400 mAh"));
        f.txtBDate.setText(QStringLiteral("4/2/2025"));
        gCapacityMax = 2400;
        gActionCode = ActBattery;
        gStationFunctions = true;
        gSysBlock1 = test::blockImage(0x10, 0x01);
        gSysBlock2 = test::blockImage(0x20, 0x21);
        gSysBlock3 = test::blockImage(0x30, 0x31);
    }
    void TearDown() override
    {
        if (FormInstance<FrmBatt>::loaded())
            Unload(frmBatt());
        test::MainWindowTest::TearDown();
    }
    // The dialog loaded in the mode of the action set, shown without waiting on it.
    FrmBatt& open()
    {
        FrmBatt& d = frmBatt();
        d.Show();
        return d;
    }
    virtual QString commandLine() const { return QStringLiteral("en"); }
    static bool red(const TextBox& box) { return box.ForeColor() == vbRed; }
    QString status() { return frmMain().Aktion().Text(); }

    test::ScopedLocale locale{QStringLiteral("en_US")};
};

} // namespace

TEST_F(BatteryDialogTest, OpensWithTheStationsValuesAndANewBatteryThatHasUsedNothing)
{
    FrmBatt& d = open();
    EXPECT_EQ(d.txtCap.Text(), QStringLiteral("2400"));
    EXPECT_EQ(d.txtConsumption.Text(), QStringLiteral("0"));
    EXPECT_EQ(d.txtBdat(0).Text(), QStringLiteral("12/9/2026"));
    EXPECT_EQ(d.txtBdat(1).Text(), QStringLiteral("4/2/2025"));
    EXPECT_TRUE(d.optBdat(0).Value());
    EXPECT_FALSE(red(d.txtCap));
    EXPECT_TRUE(d.txtCap.Visible() && d.txtConsumption.Visible());
    EXPECT_FALSE(d.lblCardNo.Visible() || d.lblVolt.Visible());
    // The consumption box now differs from what was loaded: a change to write.
    EXPECT_TRUE(d.cmdOK.Enabled());
}

TEST_F(BatteryDialogTest, CapacityIsMarkedAgainstTheRatedOneAndRefusedWhenTheStationCannotHoldIt)
{
    FrmBatt& d = open();
    struct Case
    {
        const char* typed;
        const char* shown;
        bool red;
        QString status;
    };
    const QString check = QStringLiteral("Check the battery capacity! ");
    const Case cases[] = {
        {"2400", "2400", false, QString()},
        {"2000", "2000", true, check},
        {"0", "2400", true, check},
        {"-50", "2400", true, check},
        {"596523", "596523", true, check},
        // 596524 mAh is more milliampere-seconds than the four bytes of the station's field hold.
        {"596524", "596524", true, gTextInvalid},
        {"1e12", "1e12", true, gTextInvalid},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        d.txtCap.setText(QStringLiteral("1")); // a change from whatever the previous case left
        d.txtCap.setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(d.txtCap.Text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(red(d.txtCap), c.red);
        EXPECT_EQ(status(), c.status);
        if (c.red) {
            EXPECT_EQ(d.lblCap.Caption(), QStringLiteral("mAh capacity (rated 2400)"));
        }
    }
}

TEST_F(BatteryDialogTest, ConsumptionAboveAHundredOrBelowZeroIsInvalid)
{
    FrmBatt& d = open();
    const struct
    {
        const char* typed;
        bool invalid;
    } cases[] = {{"100", false},  {"0", false}, {"55.5", false},
                 {"100.5", true}, {"-1", true}, {"-0.01", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const int beeps = BeepCount();
        d.txtConsumption.setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(red(d.txtConsumption), c.invalid);
        EXPECT_EQ(status(), c.invalid ? gTextInvalid : QString());
        EXPECT_EQ(BeepCount(), beeps + (c.invalid ? 1 : 0));
    }
}

TEST_F(BatteryDialogTest, ATypedDateIsCheckedAndFormattedWhenTheBoxIsLeft)
{
    FrmBatt& d = open();
    d.txtBdat(0).setText(QStringLiteral("31.02.2026"));
    EXPECT_TRUE(red(d.txtBdat(0)));
    EXPECT_EQ(status(), gTextInvalid);
    d.txtBdat_LostFocus(0);
    EXPECT_FALSE(d.cmdOK.Enabled());
    // A date after this year is no battery date.
    d.txtBdat(0).setText(QStringLiteral("1/5/2027"));
    EXPECT_TRUE(red(d.txtBdat(0)));
    d.txtBdat(0).setText(QStringLiteral("2026-11-30"));
    EXPECT_FALSE(red(d.txtBdat(0)));
    EXPECT_EQ(status(), QString());
    d.txtBdat_LostFocus(0);
    EXPECT_EQ(d.txtBdat(0).Text(), QStringLiteral("11/30/2026"));
    EXPECT_TRUE(d.cmdOK.Enabled());
}

TEST_F(BatteryDialogTest, OkPatchesTheBatteryFieldsOfTheImagesAndTheReadColumn)
{
    // The bytes written are checked against the station in the end-to-end tests; here what the dialog leaves
    // in the images and the main window when the port cannot open.
    FrmBatt& d = open();
    d.txtCap.setText(QStringLiteral("1800"));
    d.txtConsumption.setText(QStringLiteral("25"));
    const QByteArray block2 = gSysBlock2;
    DialogHooks::queue(DialogAnswer::press(vbOK)); // no station port here
    d.cmdOK_Click();
    EXPECT_EQ(gSysBlock1.mid(10, 4), test::bytes({0x00, 0x62, 0xE0, 0x80}));
    EXPECT_EQ(gSysBlock1.mid(7, 3), test::bytes({26, 12, 9}));
    EXPECT_EQ(gSysBlock1.left(7), test::blockImage(0x10, 0x01).left(7));
    // 25 % of 1800 mAh: 450 mAh, 1,620,000 mAs.
    EXPECT_EQ(gSysBlock3.mid(6, 4), test::bytes({0x00, 0x18, 0xB8, 0x20}));
    EXPECT_EQ(gSysBlock3.mid(3, 2), test::bytes({0, 0}));
    EXPECT_EQ(gSysBlock3.at(5), char(0x31 + 3));
    EXPECT_EQ(gSysBlock2, block2);
    EXPECT_EQ(gBattCapacity, 1800);
    EXPECT_FLOAT_EQ(gBattConsumption, 25);
    EXPECT_EQ(gBattUsed, 450);
    FrmMain& f = frmMain();
    EXPECT_EQ(f.txtCap.Text(), QStringLiteral("1800 mAh"));
    EXPECT_EQ(f.txtBDate.Text(), QStringLiteral("12/9/2026"));
    EXPECT_EQ(f.lblConsumption(0).Caption(), QStringLiteral("25%"));
    EXPECT_FALSE(FormInstance<FrmBatt>::loaded() && frmBatt().Visible());
}

TEST_F(BatteryDialogTest, KeepingTheOldDateWritesItAndALargeCapacityHasNoBlankBeforeTheUnit)
{
    FrmBatt& d = open();
    d.optBdat(1).setValue(true);
    EXPECT_TRUE(d.txtBdat(0).Locked());
    d.txtCap.setText(QStringLiteral("12000"));
    DialogHooks::queue(DialogAnswer::press(vbOK)); // no station port here
    d.cmdOK_Click();
    EXPECT_EQ(gSysBlock1.mid(7, 3), test::bytes({25, 4, 2}));
    EXPECT_EQ(frmMain().txtBDate.Text(), QStringLiteral("4/2/2025"));
    EXPECT_EQ(frmMain().txtCap.Text(), QStringLiteral("12000mAh"));
}

TEST_F(BatteryDialogTest, ARefusedOkChangesNothing)
{
    // Values the station's fields cannot take, and an old date that is no date: refused before any value of
    // the program or the main window changes, the offending box red.
    struct Case
    {
        const char* name;
        const char* cap;
        const char* consumption;
        const char* oldDate;
        TextBox FrmBatt::*red;
    };
    const Case cases[] = {
        {"negative consumption", "2400", "-10", "4/2/2025", &FrmBatt::txtConsumption},
        {"capacity beyond four bytes", "900000", "0", "4/2/2025", &FrmBatt::txtCap},
        {"old date no date", "2000", "0", "no date", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frmMain().txtBDate.setText(QString::fromLatin1(c.oldDate));
        FrmBatt& d = open();
        d.txtCap.setText(QString::fromLatin1(c.cap));
        d.txtConsumption.setText(QString::fromLatin1(c.consumption));
        if (!c.red)
            d.optBdat(1).setValue(true);
        const QByteArray b1 = gSysBlock1, b3 = gSysBlock3;
        gBattCapacity = 7;
        gSendBuffer.clear();
        d.cmdOK_Click();
        EXPECT_EQ(gSysBlock1, b1);
        EXPECT_EQ(gSysBlock3, b3);
        EXPECT_EQ(gBattCapacity, 7);
        EXPECT_TRUE(gSendBuffer.isEmpty());
        EXPECT_EQ(frmMain().txtCap.Text(), QStringLiteral("2400 mAh"));
        EXPECT_EQ(status(), gTextInvalid);
        if (c.red) {
            EXPECT_TRUE(red(d.*c.red));
        }
        EXPECT_TRUE(FormInstance<FrmBatt>::loaded());
        Unload(d);
    }
}

TEST_F(BatteryDialogTest, TheMobileNetworkStationsBatteryIsShownButNotWritten)
{
    // Its blocks 0x20 and 0x30 are not read: OK stays off whatever is typed.
    gGsmDevice = true;
    FrmBatt& d = open();
    EXPECT_FALSE(d.cmdOK.Enabled());
    d.txtCap.setText(QStringLiteral("2000"));
    EXPECT_FALSE(d.cmdOK.Enabled());
}

TEST_F(BatteryDialogTest, AirCardOkNeedsACardRecordAndADate)
{
    gActionCode = ActAirCardBattery;
    FrmBatt& d = open();
    EXPECT_TRUE(d.lblCardNo.Visible());
    EXPECT_FALSE(d.txtCap.Visible());
    EXPECT_EQ(d.txtBdat(1).Text(), QString());
    EXPECT_EQ(gVoltCaption, QStringLiteral("Volt "));
    // No card read yet.
    EXPECT_FALSE(d.cmdOK.Enabled());
    // The card's record and old date arrive as the card replies leave them.
    gAirCardInserted = true;
    gAirCardBattery = test::bytes({24, 5, 17, 0x5A});
    d.txtBdat(1).setText(QStringLiteral("5/17/2024"));
    EXPECT_TRUE(d.cmdOK.Enabled());
    // Keeping an old date that is none: nothing to send.
    d.optBdat(1).setValue(true);
    d.txtBdat(1).setText(QStringLiteral("   "));
    EXPECT_FALSE(d.cmdOK.Enabled());
    gAirCardBattery.clear();
    d.txtBdat(1).setText(QStringLiteral("5/17/2024"));
    EXPECT_FALSE(d.cmdOK.Enabled());
    gSendBuffer.clear();
    d.cmdOK_Click();
    EXPECT_TRUE(gSendBuffer.isEmpty());
}

TEST_F(BatteryDialogTest, ClosingTheAirCardDialogGivesTheUsersConnectionBack)
{
    gActionCode = ActAirCardBattery;
    gSavedConnMode = ConnRemote;
    gConnMode = ConnDirect;
    FrmBatt& d = open();
    d.cmdCancel_Click();
    EXPECT_EQ(gConnMode, ConnRemote);
    EXPECT_EQ(frmMain().coMode.Text().trimmed(), gConnModeNames[ConnRemote]);
}

class BatteryDialogLayout : public BatteryDialogTest, public ::testing::WithParamInterface<const char*>
{
  protected:
    QString commandLine() const override
    {
        return QString::fromLatin1(GetParam()) == QLatin1String("DEU") ? QStringLiteral("de")
                                                                       : QStringLiteral("en");
    }
};

TEST_P(BatteryDialogLayout, NoCaptionCutOffAndNothingOverlapsInEitherMode)
{
    for (const int16_t action : {ActBattery, ActAirCardBattery}) {
        gActionCode = action;
        FrmBatt& d = open();
        // The capacity caption at its longest: with the rated capacity.
        d.txtCap.setText(QStringLiteral("1"));
        QApplication::processEvents();
        for (const QString& pair : test::overlappingControls(d, {}))
            ADD_FAILURE() << "overlap: " << pair.toStdString();
        for (const QString& caption : test::captionsThatDoNotFit(d))
            ADD_FAILURE() << caption.toStdString();
        Unload(d);
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, BatteryDialogLayout, ::testing::Values("ENU", "DEU"));
