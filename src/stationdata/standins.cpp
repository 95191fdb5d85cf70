// Stand-ins for helpers of other subsystems that the station decoders use, until their owners land.
#include "stationdata/standins.h"

namespace qv::sdaux {

void AppendLogLine(const QString& text)
{
    gLogLines.append(text);
}

int16_t DecodeCodeNumber(const QByteArray& bytes, bool mask)
{
    if (bytes.size() == 1)
        return uint8_t(bytes[0]);
    if (bytes.size() < 2)
        return 0;
    uint8_t hi = uint8_t(bytes[0]);
    if (mask)
        hi &= 0x7F;
    return int16_t((hi / 128) * 512 + ((hi % 128) / 64) * 256 + uint8_t(bytes[1]));
}

QString GetFuncCodeCaption(int16_t)
{
    return QString();
}

} // namespace qv::sdaux
