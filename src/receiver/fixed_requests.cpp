// The fixed station requests that the reply handlers send at set steps of the station operations.
#include "receiver/fixed_requests.h"

#include "app/settings.h"
#include "link/link_globals.h"
#include "receiver/receiver_globals.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

QByteArray bytes(std::initializer_list<uint8_t> values)
{
    QByteArray out;
    out.reserve(qsizetype(values.size()));
    for (uint8_t v : values)
        out.append(static_cast<char>(v));
    return out;
}

// Four data bytes of a held pattern; missing ones count as 0.
QByteArray fourBytes(const QByteArray& data)
{
    QByteArray out = data.left(4);
    out.append(QByteArray(4 - out.size(), '\0'));
    return out;
}

} // namespace

QByteArray MakeReadSystemRequest()
{
    return bytes({CmdReadMemory, 0x00, 0x80});
}

QByteArray MakeLegacyReadRequest()
{
    return bytes({CmdReadMemoryLegacy, 0x00});
}

QByteArray MakeModeSelectPayload()
{
    return bytes(
        {gUseExtCommands ? CmdSetMsMode : CmdSetMsModeLegacy, uint8_t(gConnMode == ConnDirect ? 'M' : 'S')});
}

QByteArray MakeRequest74()
{
    return bytes({CmdReadBackupLegacy, 0x00, 0x00, static_cast<uint8_t>(gReadRequestLen)});
}

QByteArray MakeRequest74FF()
{
    return bytes({CmdReadBackupLegacy, 0xFF, 0xFF, 0x01});
}

QByteArray MakeWrite70Payload()
{
    return bytes({gUseExtCommands ? CmdWriteMemory : CmdWriteMemoryLegacy, 0x70, 0x29});
}

QByteArray MakeEA74Command()
{
    return bytes({CmdAirCardConfig, 't'}) + fourBytes(gAirBrdData);
}

QByteArray MakeEA6DCommand()
{
    return bytes({CmdAirCardConfig, 'm'}) + fourBytes(gAirCmdMData);
}

void PrepareEA7ECommand()
{
    gSendBuffer = bytes({CmdAirCardConfig, '~', 0x05, 0x05, 0x05, 0x05});
    gAirCmd7E05Pending = true;
}

} // namespace qv
