// Links against the link layer and the layers below it only: frames and their CRC need no window. Without
// a window the oldest-generation box reads as not ticked, so a command of the extended protocol gets the
// extended form: wake-up byte, STX, command, length 0, the CRC of command and length, ETX.
#include "link/crc16.h"
#include "link/frame.h"

#include <QByteArray>

int main()
{
    const QByteArray frame = qv::BuildFrame(uint8_t(0xF5));
    const int32_t crc = qv::CalcCrc16(QByteArray("\xF5\x00", 2));
    return frame == QByteArray("\xFF\x02\xF5\x00\xF5\x00\x03", 7) && crc == 0xF500 ? 0 : 1;
}
