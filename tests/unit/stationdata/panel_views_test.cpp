// Station panel layouts for classic, GSM and short-range-radio stations in the standard and the expert view.
#include "stationdata/panel_views.h"
#include "stationdata_test_support.h"

using namespace qv;
using namespace qv::test;

namespace {

class PanelViews : public StationDataTest
{
  protected:
    // A memory-read reply of `size` positions with the GSM work time (minutes) at positions 131 and 132.
    static QByteArray replyWithWorkTime(int size, int high, int low)
    {
        QByteArray f(size, '\0');
        if (size > 0)
            f[0] = char(0x83);
        if (size > 132) {
            f[131] = char(high);
            f[132] = char(low);
        }
        return f;
    }
};
QV_BOTH_LOCALES(PanelViews);

TEST_P(PanelViews, ClassicStationInBothViews)
{
    MainWindowReadState w;
    PanelLayout p = ShowVEKLayout(w);
    EXPECT_EQ(p.beaconSwitch, false);
    EXPECT_EQ(p.apnFramesVisible, false);
    EXPECT_FALSE(p.apnFramesAtClockOption);
    EXPECT_EQ(p.modeChoiceEnabled, true);
    EXPECT_EQ(p.modeChoiceVisible, true);
    EXPECT_EQ(p.writeCodeNumberEnabled, true);
    EXPECT_EQ(p.protocolBoxesVisible, true);
    EXPECT_EQ(p.expertBoxesVisible, false);
    EXPECT_EQ(p.speedBoxesEnabled, true);
    EXPECT_EQ(p.radioFramesLeft, kFrameOutOfSight);
    EXPECT_FALSE(p.hardwareText.has_value());
    EXPECT_FALSE(p.request.has_value());
    EXPECT_FALSE(p.switchPicturesVisible.has_value()); // stays as the settings decode left it

    w.expertView = true;
    p = ShowVEKLayout(w);
    EXPECT_EQ(p.expertBoxesVisible, true);
    EXPECT_EQ(p.protocolBoxesVisible, true);
}

TEST_P(PanelViews, ModeWithoutCodeNumberAndZokDevice)
{
    MainWindowReadState w;
    w.modeChoiceText = gModeTextBcFinish2;
    EXPECT_EQ(ShowVEKLayout(w).writeCodeNumberEnabled, false);
    gZokDevice = true;
    const PanelLayout p = ShowVEKLayout({});
    EXPECT_EQ(p.speedBoxesEnabled, false); // disabled, not hidden
    EXPECT_EQ(p.writeCodeNumberEnabled, true);
}

TEST_P(PanelViews, GsmStationInTheExpertView)
{
    gGsmDevice = true;
    gProductType = 0x9D;
    MainWindowReadState w;
    w.expertView = true;
    const PanelLayout p = ShowVEKLayout(w);
    EXPECT_EQ(p.beaconSwitch, true);
    EXPECT_EQ(p.expertBoxesVisible, false); // the GSM station has no expert options
    EXPECT_EQ(p.protocolBoxesVisible, false);
    EXPECT_TRUE(p.apnFramesAtClockOption);
    EXPECT_FALSE(p.apnFramesVisible.has_value());
    EXPECT_TRUE(p.clearModeChoice);
    EXPECT_TRUE(p.clearWriteCodeNumber);
    EXPECT_TRUE(p.clearCodeNumbers);
    EXPECT_EQ(p.writeWorkTime, QStringLiteral("10:00:00"));
    EXPECT_EQ(p.modeChoiceEnabled, false);
    EXPECT_EQ(p.modeChoiceVisible, true);
    EXPECT_EQ(p.writeCodeNumberEnabled, false);
    EXPECT_EQ(p.switchPicturesVisible, false);
    EXPECT_EQ(p.hardwareText, QStringLiteral("QVGSM, KUV"));
    EXPECT_FALSE(p.request.has_value()); // laid out only, nothing sent
    EXPECT_EQ(p.radioFramesLeft, kFrameOutOfSight);
}

TEST_P(PanelViews, GsmDataRequestsTheSecondHalf)
{
    gProductType = 0x9D;
    const PanelLayout p = ShowVEKWDataLayout();
    ASSERT_TRUE(p.request.has_value());
    EXPECT_EQ(*p.request, bytes({0x83, 0x80, 0x80}));
    EXPECT_EQ(p.readWorkTime, QString()); // emptied
    EXPECT_TRUE(p.clearStationFields);
    EXPECT_EQ(gConnMode, ConnDirect);
    EXPECT_FALSE(ShowVEKWDataLayout(true).request.has_value());
}

TEST_P(PanelViews, GsmWorkTimeFromTheLastFrame)
{
    gWorkTimeSeconds = 77;
    gRxFrame = replyWithWorkTime(135, 0x01, 0x2C);
    PanelLayout p = ShowVEKWDataLayout(true);
    EXPECT_EQ(gWorkTimeSeconds, 18000);
    EXPECT_EQ(p.readWorkTime, QStringLiteral("05:00:00"));

    gWorkTimeSeconds = 77;
    for (int size : {0, 132, 133}) {
        gRxFrame = replyWithWorkTime(size, 0x01, 0x2C);
        p = ShowVEKWDataLayout(true);
        EXPECT_EQ(gWorkTimeSeconds, 77) << size;
        EXPECT_EQ(p.readWorkTime, QString()) << size;
    }
}

TEST_P(PanelViews, ShortRangeRadioFramesComeIntoView)
{
    const PanelLayout p = ShowKUVLayout();
    EXPECT_EQ(p.radioFramesLeft, 10);
    ASSERT_TRUE(p.radioFramesWidth.has_value());
    EXPECT_EQ((*p.radioFramesWidth)[0], 4900);
    EXPECT_EQ((*p.radioFramesWidth)[1], 4900);
    EXPECT_EQ((*p.radioFramesWidth)[2], 4980);
    EXPECT_EQ(p.switchPicturesVisible, false);
    // The next ordinary layout moves them out of sight again.
    EXPECT_EQ(ShowVEKLayout({}).radioFramesLeft, kFrameOutOfSight);
    EXPECT_TRUE(ClearAndBeginLayout().clearIdentityFields);
}

} // namespace
