// The decoders' results in the window's controls: the settings read, the battery display and the panel views.
#include "link/link_globals.h"
#include "stationdata_test_support.h"
#include "ui/main/frm_main.h"
#include "ui/main/read_column_apply.h"

#include <QApplication>
#include <cmath>

using namespace qv;
using namespace qv::test;

namespace {

// The main window itself, loaded afresh for each test and unloaded after it.
class ReadColumn : public StationDataTest
{
  protected:
    void SetUp() override
    {
        StationDataTest::SetUp();
        gStationFunctions = true;
        w = &frmMain();
        if (w->coMode.ListCount() < 2) {
            w->coMode.Clear();
            w->coMode.AddItem(QStringLiteral("remote"));
            w->coMode.AddItem(QStringLiteral("direct"));
        }
        w->lblConsumption(0).setCaption(QStringLiteral("%"));
        w->lblConsumption(1).setCaption(QStringLiteral("%"));
        // The program's own services, with the requests and the conversation
        // recorded instead of sent, and the view switch as the window makes it.
        services = programServices([this](int byChange) {
            zeigExpertCalls.append(byChange);
            w->mnuViewExpert.setChecked(byChange == 1 || (byChange != 2 && !w->mnuViewExpert.Checked()));
            if (!gZokDevice)
                ShowVEK(*w, services);
        });
        services.sendRequest = [this](const QByteArray& request) { sent.append(request); };
        services.beginStationAction = [this] { ++begun; };
    }
    void TearDown() override
    {
        Unload(frmMain());
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        StationDataTest::TearDown();
    }
    // The widths of the consumption bars as the window lays them out.
    int readBarFull() const { return w->lblConsumptionDes(1).Width() + w->lblConsumptionDes(0).Width() - 25; }
    int expectedBarFull() const { return w->lblConsumptionGreen(0).Width() - 25; }

    FrmMain* w = nullptr;
    MainWindowServices services;
    QList<int> zeigExpertCalls;
    QList<QByteArray> sent;
    int begun = 0;
};
QV_BOTH_LOCALES(ReadColumn);

TEST_P(ReadColumn, SettingsReadOfABeaconStation)
{
    gActionCode = ActRead;
    gSelectiveRead = 1;
    gBattCapacity = 1000;
    gBattUsed = 100;
    gBattConsumption = 10;
    gK1 = 75;
    w->txtWtime(1).setText(QStringLiteral("05:00:00"));
    w->lblConsumption(0).setCaption(QStringLiteral("10%"));
    gSysBlock7 =
        requestBlock(16, {{0, 0x00}, {1, 0xD3}, {2, 0x7B}, {3, 0xC0}, {4, 0x02}, {14, 0x00}, {15, 0x78}});
    DecodeSystemData(*w, services);

    EXPECT_EQ(w->chkSelective(0).Value(), 1);
    EXPECT_EQ(w->chkAllNewRadio_stamp(0).Value(), 1);
    EXPECT_EQ(w->chkRadio_stamp(0).Value(), 0);
    EXPECT_EQ(w->cmdSwitch.Caption(), QStringLiteral("_"));
    EXPECT_TRUE(w->opClassic(0).Value());
    EXPECT_TRUE(w->piSwitch(0).Visible());
    EXPECT_TRUE(w->piSwitch(1).Visible());
    EXPECT_EQ(w->txtCodeNo(0).Text(), QStringLiteral("891"));
    EXPECT_EQ(w->chkCPC(0).Value(), 1);
    EXPECT_EQ(w->chkCPC0(0).Value(), 0);
    EXPECT_FALSE(w->chkCPC0(0).Visible()); // older board
    EXPECT_EQ(w->txtWtime(0).Text(), QStringLiteral("02:00:00"));
    EXPECT_FALSE(w->frLeer(0).Visible());
    // The write column's estimate and the status text follow.
    EXPECT_EQ(w->lblConsumption(1).Caption(), QStringLiteral("47%"));
    EXPECT_TRUE(w->lblConsumptionRot(1).Visible());
    EXPECT_EQ(w->lblConsumptionRot(1).Width(), std::lround(expectedBarFull() * 0.37));
    EXPECT_EQ(w->lblConsumptionRot(1).Left(),
              w->lblConsumptionRot(0).Left() + w->lblConsumptionRot(0).Width());
    EXPECT_EQ(w->txtStatus.HelpContextID(), 430);
    EXPECT_TRUE(zeigExpertCalls.isEmpty());
}

TEST_P(ReadColumn, OptionsOfANewerBoardSwitchToTheExpertView)
{
    gActionCode = ActWrite; // no estimate: the write follows
    gModelFlag = true;
    w->coMO.setText(QStringLiteral("Control"));
    gSysBlock7 = requestBlock(16, {{1, 2}, {4, 0x08}}); // 4 ms sprint timing only
    DecodeSystemData(*w, services);
    EXPECT_EQ(zeigExpertCalls, QList<int>{1});
    EXPECT_TRUE(w->mnuViewExpert.Checked());
    EXPECT_EQ(w->chk4ms(0).Value(), 1);
    // The boxes set after the switch follow the expert view.
    EXPECT_TRUE(w->chkBackupCtrl(0).Visible());
    EXPECT_TRUE(w->chkQv6mit192(0).Visible());
    EXPECT_TRUE(w->chkCPC0(0).Visible());
    EXPECT_EQ(w->lblConsumption(1).Caption(), QStringLiteral("%")); // untouched

    // The extended protocol asks for the expert view too, except in the printout mode.
    zeigExpertCalls.clear();
    w->coMO.setText(gModeTextPrintout);
    gSysBlock7 = requestBlock(16, {{1, 11}, {4, 0x01}});
    DecodeSystemData(*w, services);
    EXPECT_TRUE(zeigExpertCalls.isEmpty());
    w->coMO.setText(QString()); // then the mode read counts
    DecodeSystemData(*w, services);
    EXPECT_EQ(zeigExpertCalls, QList<int>{1});
}

TEST_P(ReadColumn, StandardViewOfAnOlderBoardKeepsExpertBoxesHidden)
{
    gActionCode = ActRead;
    w->chk4ms(0).setVisible(true);
    gSysBlock7 = requestBlock(16, {{1, 31}});
    DecodeSystemData(*w, services);
    EXPECT_FALSE(w->chk4ms(0).Visible());
    EXPECT_FALSE(w->chkQv6mit192(0).Visible());
    // Mode 31 covers the option block.
    EXPECT_TRUE(w->frLeer(0).Visible());
    EXPECT_EQ(w->frLeer(0).Left(), w->Label1(0).Left());
    EXPECT_EQ(w->frLeer(0).Width(), w->Label1(0).Width());
}

TEST_P(ReadColumn, ShortSettingsBlockChangesNothing)
{
    w->txtCodeNo(0).setText(QStringLiteral("31"));
    gSysBlock7 = requestBlock(16, {{2, 0x7B}}).left(12);
    EXPECT_THROW(DecodeSystemData(*w, services), VbError);
    EXPECT_EQ(w->txtCodeNo(0).Text(), QStringLiteral("31"));
}

TEST_P(ReadColumn, BatteryDisplay)
{
    gSysBlock1 = requestBlock(14, {{5, 15}, {6, 2}, {7, 30}, {8, 0x00}, {9, 0x36}, {10, 0xEE}, {11, 0x80}});
    ShowBatteryData(*w);
    EXPECT_EQ(w->txtBDate.Text(), byLocale("02.03.2015", "3/2/2015"));
    EXPECT_EQ(w->txtCap.Text(), QStringLiteral("1000 mAh"));

    gSysBlock3 = requestBlock(8, {{4, 0x00}, {5, 0x1B}, {6, 0x77}, {7, 0x40}}); // 500 mAh used
    ShowBatteryStatus(*w, services);
    EXPECT_EQ(w->lblConsumption(0).Caption(), QStringLiteral("50%"));
    EXPECT_EQ(w->lblConsumptionDes(0).Caption(), QStringLiteral("50%  "));
    EXPECT_TRUE(w->lblConsumptionRot(0).Visible());
    EXPECT_EQ(w->lblConsumptionRot(0).Left(), w->lblConsumptionDes(0).Left());
    EXPECT_EQ(w->lblConsumptionRot(0).Width(), std::lround(readBarFull() * 0.5));
    EXPECT_EQ(w->lblConsumptionRot(0).BackColor(), RGB(255, 0, 0));
    EXPECT_EQ(w->lblConsumptionGreen(0).BackColor(), RGB(0, 255, 0));
    EXPECT_TRUE(w->lblConsumptionDes(0).Enabled());

    gSysBlock3 = requestBlock(8, {{4, 0xFF}}); // no used capacity
    ShowBatteryStatus(*w, services);
    EXPECT_EQ(w->lblConsumption(0).Caption(), QStringLiteral("??? %"));
    EXPECT_EQ(w->lblConsumptionRot(0).Width(), readBarFull());
    EXPECT_EQ(w->lblConsumptionRot(0).BackColor(), RGB(255, 192, 192));
    EXPECT_EQ(w->lblConsumptionGreen(0).BackColor(), RGB(192, 255, 192));
    EXPECT_FALSE(w->lblConsumptionDes(0).Enabled());

    w->txtWtime(1).setText(QStringLiteral("04:00:00"));
    ShowBatteryConsumption(*w, 0);
    EXPECT_EQ(w->lblConsumption(1).Caption(), QStringLiteral("??? %"));
    EXPECT_FALSE(w->lblConsumptionRot(1).Visible());

    gModelFlag = true;
    ShowBatteryConsumption(*w);
    EXPECT_EQ(w->lblConsumption(1).Caption(), QStringLiteral("######"));
    EXPECT_EQ(w->lblConsumptionDes(1).Caption(), QString());
}

TEST_P(ReadColumn, Card192OptionSwitchesToTheExpertView)
{
    gSysBlock3 = requestBlock(8, {{3, 0xFF}});
    ShowBatteryStatus(*w, services);
    EXPECT_EQ(w->chkQv6mit192(0).Value(), 1);
    EXPECT_EQ(zeigExpertCalls, QList<int>{1});
    EXPECT_TRUE(w->chkQv6mit192(1).Visible()); // the expert layout shows the option
}

TEST_P(ReadColumn, ModelNameEffects)
{
    gProductType = 0x8A;
    EXPECT_EQ(BuildModelName(*w, services), QStringLiteral("VEKR JOX reader QV-GOLF"));
    EXPECT_TRUE(gZokDevice);
    EXPECT_EQ(w->chkAlt(2).Value(), 1);
    EXPECT_FALSE(w->cmdBatt.Enabled());

    gProductType = 0xF1;
    BuildModelName(*w, services);
    EXPECT_EQ(w->coMode.ListIndex(), 1); // direct connection
    EXPECT_TRUE(w->cmdBatt.Enabled());

    gProductType = 0x85;
    BuildModelName(*w, services);
    EXPECT_EQ(w->lblConsumption(0).Caption(), QStringLiteral("######"));
}

TEST_P(ReadColumn, ClassicPanelInBothViews)
{
    ShowVEK(*w, services);
    EXPECT_EQ(w->cmdSwitch.Caption(), QStringLiteral("_"));
    EXPECT_TRUE(w->opClassic(0).Value());
    for (int i : {0, 1}) {
        EXPECT_TRUE(w->chkCPC(i).Visible());
        EXPECT_TRUE(w->chkCPC0(i).Visible());
        EXPECT_FALSE(w->chk4ms(i).Visible());
        EXPECT_FALSE(w->frAPN_Data(i).Visible());
        EXPECT_TRUE(w->chkSpeed(i).Enabled());
    }
    EXPECT_TRUE(w->coMO.Enabled());
    EXPECT_TRUE(w->txtCodeNo(1).Enabled());

    w->mnuViewExpert.setChecked(true);
    ShowVEK(*w, services);
    for (int i : {0, 1}) {
        EXPECT_TRUE(w->chk4ms(i).Visible());
        EXPECT_TRUE(w->chkQv6mit192(i).Visible());
        EXPECT_TRUE(w->chkBackupCtrl(i).Visible());
    }
}

TEST_P(ReadColumn, BeaconLayoutOfAZokDevice)
{
    gZokDevice = true;
    gActionCode = ActWrite;
    w->coMO.setText(gModeTextBcFinish);
    gSysBlock7 = requestBlock(16, {{1, 2}});
    DecodeSystemData(*w, services);
    EXPECT_EQ(w->cmdSwitch.Caption(), QStringLiteral("^"));
    EXPECT_TRUE(w->opBeacon(0).Value());
    EXPECT_FALSE(w->piSwitch(0).Visible());
    w->chkSpeed(0).setVisible(true);
    ShowVEK(*w, services);
    EXPECT_FALSE(w->chkSpeed(0).Enabled());
    EXPECT_FALSE(w->chkSpeed(1).Enabled());
    EXPECT_TRUE(w->chkSpeed(0).Visible()); // disabled, not hidden
}

TEST_P(ReadColumn, GsmPanelInTheExpertView)
{
    gGsmDevice = true;
    gProductType = 0x9D;
    w->mnuViewExpert.setChecked(true);
    w->txtCodeNo(1).setText(QStringLiteral("31"));
    w->coMO.setText(QStringLiteral("Control"));
    ShowVEK(*w, services);
    EXPECT_EQ(w->cmdSwitch.Caption(), QStringLiteral("^"));
    EXPECT_TRUE(w->opBeacon(0).Value());
    EXPECT_EQ(w->txtHardware.Text(), QStringLiteral("QVGSM, KUV"));
    EXPECT_EQ(w->coMO.Text(), QString());
    EXPECT_FALSE(w->coMO.Enabled());
    EXPECT_TRUE(w->coMO.Visible());
    EXPECT_EQ(w->txtCodeNo(1).Text(), QString());
    EXPECT_FALSE(w->txtCodeNo(1).Enabled());
    EXPECT_EQ(w->txtWtime(1).Text(), QStringLiteral("10:00:00"));
    for (int i : {0, 1}) {
        EXPECT_FALSE(w->chkCPC(i).Visible());
        EXPECT_FALSE(w->chk4ms(i).Visible()); // no expert options on a GSM station
        EXPECT_FALSE(w->chkQv6mit192(i).Visible());
        EXPECT_TRUE(w->frAPN_Data(i).Visible());
        EXPECT_EQ(w->frAPN_Data(i).Container(), w->chkFCG(i).Container());
        EXPECT_EQ(w->frAPN_Data(i).Left(), w->chkFCG(i).Left() - 110);
        EXPECT_EQ(w->frAPN_Data(i).Top(), w->chkFCG(i).Top());
    }
    EXPECT_FALSE(w->piSwitch(0).Visible());
    EXPECT_EQ(gConnMode, ConnDirect);
    EXPECT_TRUE(sent.isEmpty());

    // The first half of the system data asks for the second.
    ShowVEKW_Data(*w, services);
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0], bytes({0x83, 0x80, 0x80}));

    // Back to an ordinary station: the APN frames go, the options come back.
    gGsmDevice = false;
    ShowVEK(*w, services);
    EXPECT_FALSE(w->frAPN_Data(0).Visible());
    EXPECT_TRUE(w->chkCPC(0).Visible());
    EXPECT_TRUE(w->coMO.Enabled());
}

TEST_P(ReadColumn, ShortRangeRadioAndClearing)
{
    ShowKUV(*w, services);
    EXPECT_EQ(w->frQVMKUV(0).Left(), 10);
    EXPECT_EQ(w->frQVMKUV(2).Width(), 4980);
    EXPECT_FALSE(w->piSwitch(1).Visible());
    ShowVEK(*w, services);
    EXPECT_EQ(w->frQVMKUV(1).Left(), kFrameOutOfSight);

    w->txtHardware.setText(QStringLiteral("VEKO3"));
    w->txtCap.setText(QStringLiteral("1000 mAh"));
    w->lblConsumption(1).setCaption(QStringLiteral("47%"));
    w->chkFCG(0).setVisible(true);
    ClearAndBeginAction(*w, services);
    EXPECT_EQ(w->txtHardware.Text(), QString());
    EXPECT_EQ(w->txtCap.Text(), QString());
    EXPECT_EQ(w->lblConsumption(1).Caption(), QStringLiteral("%"));
    EXPECT_FALSE(w->chkFCG(0).Visible());
    EXPECT_FALSE(w->chkCPC0(0).Visible());
    EXPECT_EQ(begun, 1);
}

TEST_P(ReadColumn, TheProgramsProceduresWriteTheMainWindow)
{
    gActionCode = ActRead;
    gProductType = 0x43;
    gProductFamily = 0x01;
    frmMain().txtHardware.setText(BuildModelName());
    EXPECT_EQ(frmMain().txtHardware.Text(), QStringLiteral("VEKO3 RTC BVT"));
    gSysBlock1 = requestBlock(14, {{5, 15}, {6, 2}, {7, 3}, {10, 0x36}, {11, 0xEE}, {12, 0x80}});
    ShowBatteryData();
    EXPECT_EQ(frmMain().txtBDate.Text(), byLocale("03.02.2015", "2/3/2015"));
    gSysBlock3 = requestBlock(8, {{4, 0xFF}});
    ShowBatteryStatus();
    EXPECT_EQ(frmMain().lblConsumption(0).Caption(), QStringLiteral("??? %"));
    gSysBlock7 = requestBlock(16, {{1, 2}, {2, 0x1F}, {15, 0x3C}});
    DecodeSystemData();
    EXPECT_EQ(frmMain().txtCodeNo(0).Text(), QStringLiteral("31"));
    EXPECT_EQ(frmMain().txtWtime(0).Text(), QStringLiteral("01:00:00"));
    ShowStatusFlags(0x29);
    EXPECT_EQ(frmMain().txtStatus.Text(), QStringLiteral("CardPasswordMode"));
    EXPECT_EQ(frmMain().txtStatus.HelpContextID(), 0);
}

} // namespace
