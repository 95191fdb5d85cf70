// Frames of the station protocol: the frame form of a command and the frame builder.
#include "link/frame.h"

#include "link/crc16.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "platform/runtime/vberror.h"

namespace qv {

bool IsExtendedCommandFor(uint8_t cmd, bool oldestTicked)
{
    switch (cmd) {
    case CmdReadCardA:
    case CmdReadCardB:
    case CmdCardInsertedA:
    case CmdCardInsertedB:
    case CmdCardRemoved:
    case CmdReadCardC:
    case CmdSetBaud:
        // Card reading and the baud change speak the extended form on every generation.
        return true;
    default:
        return cmd >= 0x80 && cmd != CmdBackupDataLegacy && !oldestTicked;
    }
}

bool IsExtendedCommand(uint8_t cmd)
{
    // Only a plain tick counts; a greyed box does not.
    return IsExtendedCommandFor(cmd, linkWindow().oldestGenerationBoxValue() == 1);
}

QByteArray BuildFrame(uint8_t command)
{
    return BuildFrame(QByteArray(1, static_cast<char>(command)));
}

QByteArray BuildFrame(const QByteArray& request)
{
    const qsizetype n = request.size();
    if (n > 255)
        throw VbError(ErrOverflow);
    gExpectedLen = static_cast<uint8_t>(n);
    if (n == 0)
        throw VbError(ErrSubscriptOutOfRange);

    const auto cmd = static_cast<uint8_t>(request.at(0));
    QByteArray frame;
    if (IsExtendedCommand(cmd)) {
        frame.reserve(n + 6);
        QByteArray crcInput;
        crcInput.reserve(n + 1);
        crcInput.append(static_cast<char>(cmd));
        crcInput.append(static_cast<char>(n - 1));
        crcInput.append(request.constData() + 1, n - 1);
        const int32_t crc = CalcCrc16(crcInput);
        frame.append(static_cast<char>(LinkWakeUp));
        frame.append(static_cast<char>(LinkStx));
        frame.append(crcInput);
        frame.append(static_cast<char>((crc >> 8) & 0xFF));
        frame.append(static_cast<char>(crc & 0xFF));
        frame.append(static_cast<char>(LinkEtx));
        return frame;
    }

    gExpectedLen = gReplyLengthTable[cmd];
    frame.reserve(2 * n + 3);
    frame.append(static_cast<char>(LinkWakeUp));
    frame.append(static_cast<char>(LinkStx));
    frame.append(static_cast<char>(cmd));
    for (qsizetype i = 1; i < n; ++i) {
        const auto b = static_cast<uint8_t>(request.at(i));
        if (b < 0x20)
            frame.append(static_cast<char>(LinkDle));
        frame.append(static_cast<char>(b));
    }
    frame.append(static_cast<char>(LinkEtx));
    return frame;
}

void InitReplyLengthTable()
{
    gReplyLengthTable.fill(0);
    gReplyLengthTable[CmdWriteMemoryLegacy] = 17;
    gReplyLengthTable[CmdReadMemoryLegacy] = 17;
    gReplyLengthTable[CmdClearBackupLegacy] = 2;
    gReplyLengthTable[CmdSetTimeLegacy] = 8;
    gReplyLengthTable[CmdGetTimeLegacy] = 8;
    gReplyLengthTable[CmdTurnOffLegacy] = 3;
    gReplyLengthTable[CmdBackupDataLegacy] = 0;
}

} // namespace qv
