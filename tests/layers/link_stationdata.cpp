// Links against the station-data layer and the layers below it only: the settings-block decoder needs no
// window. Mode byte 0xD3 is mode 19 (a beacon mode) however the program around it is built.
#include "stationdata/settings_block.h"

#include <QByteArray>

int main()
{
    QByteArray block(18, '\0');
    block[3] = char(0xD3);
    const qv::SettingsBlockView v = qv::DecodeSettingsBlock(block, qv::SettingsBlockContext{});
    return v.modeCode == 19 && v.beaconModeRead ? 0 : 1;
}
