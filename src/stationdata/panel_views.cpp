// Layouts of the main window's station panel for classic, beacon, GSM and short-range-radio stations.
#include "stationdata/panel_views.h"

#include "app/settings.h"
#include "link/link_globals.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

namespace qv {

namespace {

// A GSM station keeps its work time in minutes at memory 0x7E-0x7F, frame
// positions 131 and 132 of the reply to the read of the second half.
constexpr int kGsmWorkTimeHigh = 131;
constexpr int kGsmWorkTimeLow = 132;
const QString kGsmWorkTime = QStringLiteral("10:00:00");

} // namespace

PanelLayout ShowVEKWDataLayout(bool keinBlock)
{
    PanelLayout p;
    p.model = BuildModelNameView();
    p.hardwareText = p.model->text;
    p.clearCodeNumbers = true;
    p.protocolBoxesVisible = false;
    p.expertBoxesVisible = false;
    p.apnFramesAtClockOption = true;
    p.clearStationFields = true;
    p.readWorkTime = QString();
    p.modeChoiceEnabled = false;
    p.writeCodeNumberEnabled = false;
    p.switchPicturesVisible = false;
    if (gRxFrame.size() > kGsmWorkTimeLow + 1) {
        gWorkTimeSeconds =
            (uint8_t(gRxFrame[kGsmWorkTimeHigh]) * 256 + uint8_t(gRxFrame[kGsmWorkTimeLow])) * 60;
        p.readWorkTime = FormatSeconds(QString::number(gWorkTimeSeconds));
    }
    if (!keinBlock)
        p.request = QByteArray::fromHex("838080"); // read memory 0x80, 0x80 bytes: the second half
    return p;
}

PanelLayout ShowVEKLayout(const MainWindowReadState& window)
{
    const bool gsm = gGsmDevice;
    PanelLayout p;
    if (gsm) {
        p = ShowVEKWDataLayout(true);
        p.clearModeChoice = true;
        p.clearWriteCodeNumber = true;
        p.writeWorkTime = kGsmWorkTime;
    } else {
        p.modeChoiceEnabled = true;
        p.writeCodeNumberEnabled = window.modeChoiceText != gModeTextBcFinish2;
    }
    p.beaconSwitch = gsm;
    // The GSM layout shows the APN frames in place of the clock option.
    if (!gsm)
        p.apnFramesVisible = false;
    const bool expert = window.expertView && !gsm;
    p.protocolBoxesVisible = !gsm;
    p.expertBoxesVisible = expert;
    p.speedBoxesEnabled = !gZokDevice;
    p.modeChoiceVisible = true;
    p.radioFramesLeft = kFrameOutOfSight;
    return p;
}

PanelLayout ShowKUVLayout()
{
    PanelLayout p;
    p.radioFramesLeft = 10;
    p.radioFramesWidth = std::array<int, 3>{4900, 4900, 4980};
    p.switchPicturesVisible = false;
    return p;
}

PanelLayout ClearAndBeginLayout()
{
    PanelLayout p;
    p.clearIdentityFields = true;
    return p;
}

} // namespace qv
