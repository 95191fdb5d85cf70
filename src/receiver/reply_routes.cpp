// The ordered tests that route an accepted reply frame to its handler.
#include "receiver/reply_routes.h"

namespace qv {

namespace {

// Card images and blocks carry 128 data bytes plus their header.
constexpr int kCardFrameMinimum = 128;

} // namespace

ReplyRoute ClassifyReply(uint8_t command, uint8_t byte1, int rxCount, int readRequestLen)
{
    switch (command) {
    case 0xFB:
        return ReplyRoute::ReadoutAck;
    case 0xF9:
        return ReplyRoute::Signal;
    case 0xA7:
        return ReplyRoute::CodeA7;
    case 0x70:
    case 0xF0:
        return ReplyRoute::ModeSelect;
    case 0x72:
    case 0x82:
        return ReplyRoute::WriteReply;
    case 0x73:
    case 0x83:
        return ReplyRoute::ReadReply;
    case 0x75:
    case 0xF5:
        return ReplyRoute::ClearBackupReply;
    case 0x76:
    case 0xF6:
        return ReplyRoute::SetTimeReply;
    case 0x77:
    case 0xF7:
        return ReplyRoute::GetTimeReply;
    case 0x78:
    case 0xF8:
        return ReplyRoute::SwitchOffReply;
    case 0x7E:
    case 0xFE:
        return ReplyRoute::BaudChangeReply;
    case 0x81:
        return ReplyRoute::BackupBlock;
    case 0x87:
        return ReplyRoute::BackupStart;
    case 0xC4:
        if (rxCount == readRequestLen + 5 || rxCount == 6)
            return ReplyRoute::LegacyBackupBlock;
        return ReplyRoute::None;
    case 0xD3:
    case 0x53:
    case 0x54:
    case 0x56:
        return ReplyRoute::PunchRecord;
    case 0xE7:
        return ReplyRoute::CardRemoved;
    case 0x46:
        if (byte1 == 'O')
            return ReplyRoute::CardRemoved;
        if (byte1 == 'I')
            return ReplyRoute::CardInsertedLegacy;
        return ReplyRoute::None;
    case 0xE5:
        return ReplyRoute::CardInsertedOldest;
    case 0xE6:
        return ReplyRoute::CardInserted60;
    case 0xE8:
        return ReplyRoute::CardInsertedNewer;
    case 0xEB:
        return ReplyRoute::AirCardStatus;
    case 0xEA:
        return ReplyRoute::AirCardConfig;
    case 0x66:
        return ReplyRoute::CardInserted60Legacy;
    case 0xC3:
        return ReplyRoute::CodeC3;
    case 0x31:
    case 0xB1:
        return rxCount > kCardFrameMinimum ? ReplyRoute::CardImageOldest : ReplyRoute::None;
    case 0xEF:
        return rxCount > kCardFrameMinimum ? ReplyRoute::CardBlockNewer : ReplyRoute::None;
    case 0x61:
    case 0xE1:
        return rxCount > kCardFrameMinimum ? ReplyRoute::CardBlock60 : ReplyRoute::None;
    default:
        return ReplyRoute::None;
    }
}

QString ReplyRouteName(ReplyRoute route)
{
    switch (route) {
    case ReplyRoute::None:
        return QStringLiteral("unknown reply");
    case ReplyRoute::ReadoutAck:
        return QStringLiteral("read-out acknowledge");
    case ReplyRoute::Signal:
        return QStringLiteral("signal");
    case ReplyRoute::CodeA7:
        return QStringLiteral("code A7");
    case ReplyRoute::ModeSelect:
        return QStringLiteral("mode select");
    case ReplyRoute::WriteReply:
        return QStringLiteral("memory write");
    case ReplyRoute::ReadReply:
        return QStringLiteral("memory read");
    case ReplyRoute::ClearBackupReply:
        return QStringLiteral("clear backup");
    case ReplyRoute::SetTimeReply:
        return QStringLiteral("set time");
    case ReplyRoute::GetTimeReply:
        return QStringLiteral("get time");
    case ReplyRoute::SwitchOffReply:
        return QStringLiteral("switch off");
    case ReplyRoute::BaudChangeReply:
        return QStringLiteral("baud change");
    case ReplyRoute::BackupBlock:
        return QStringLiteral("backup block");
    case ReplyRoute::BackupStart:
        return QStringLiteral("backup read-out start");
    case ReplyRoute::LegacyBackupBlock:
        return QStringLiteral("legacy backup block");
    case ReplyRoute::PunchRecord:
        return QStringLiteral("punch record");
    case ReplyRoute::CardRemoved:
        return QStringLiteral("card taken out");
    case ReplyRoute::CardInsertedOldest:
    case ReplyRoute::CardInserted60:
    case ReplyRoute::CardInsertedNewer:
    case ReplyRoute::CardInsertedLegacy:
    case ReplyRoute::CardInserted60Legacy:
        return QStringLiteral("card put in");
    case ReplyRoute::AirCardStatus:
        return QStringLiteral("air-card status");
    case ReplyRoute::AirCardConfig:
        return QStringLiteral("air-card configuration");
    case ReplyRoute::CodeC3:
        return QStringLiteral("code C3");
    case ReplyRoute::CardImageOldest:
        return QStringLiteral("card image");
    case ReplyRoute::CardBlockNewer:
    case ReplyRoute::CardBlock60:
        return QStringLiteral("card block");
    }
    return QString();
}

RxTraceRow RxTraceRowFor(uint8_t command, int readRequestLen, bool wideBackupRows)
{
    switch (command) {
    case 0xC4:
        return {5, 5, readRequestLen == 128 ? 16 : 12};
    case 0x31:
    case 0x61:
    case 0x72:
        return {3, 3, 16};
    case 0xB1:
        return {4, 4, 16};
    case 0xE1:
    case 0xEF:
    case 0x83:
        return {5, 5, 16};
    case 0x82:
        return {5, 4, 16};
    case 0x81:
        return {7, 7, wideBackupRows ? 16 : 12};
    default:
        return {};
    }
}

} // namespace qv
