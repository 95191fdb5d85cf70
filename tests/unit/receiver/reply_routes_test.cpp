// Routing of accepted reply frames and the trace line breaks of long replies.
#include "receiver/reply_routes.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct RouteCase
{
    uint8_t command;
    uint8_t byte1;
    int count;
    ReplyRoute route;
};

TEST(ReplyRoutes, EachRowOfTheTableInItsOrder)
{
    const RouteCase cases[] = {
        {0xFB, 0, 3, ReplyRoute::ReadoutAck},
        {0xF9, 0, 5, ReplyRoute::Signal},
        {0xA7, 0, 3, ReplyRoute::CodeA7},
        {0xF0, 1, 7, ReplyRoute::ModeSelect},
        {0x70, 'M', 3, ReplyRoute::ModeSelect},
        {0x82, 3, 7, ReplyRoute::WriteReply},
        {0x72, 0x10, 19, ReplyRoute::WriteReply},
        {0x83, 0x83, 135, ReplyRoute::ReadReply},
        {0x73, 0x1F, 19, ReplyRoute::ReadReply},
        {0xF5, 2, 6, ReplyRoute::ClearBackupReply},
        {0x75, 2, 2, ReplyRoute::ClearBackupReply},
        {0xF6, 0, 13, ReplyRoute::SetTimeReply},
        {0x76, 0, 8, ReplyRoute::SetTimeReply},
        {0xF7, 0, 13, ReplyRoute::GetTimeReply},
        {0x77, 0, 8, ReplyRoute::GetTimeReply},
        {0xF8, 0, 7, ReplyRoute::SwitchOffReply},
        {0x78, 0, 3, ReplyRoute::SwitchOffReply},
        {0xFE, 0, 7, ReplyRoute::BaudChangeReply},
        {0x7E, 0, 3, ReplyRoute::BaudChangeReply},
        {0x81, 0, 140, ReplyRoute::BackupBlock},
        {0x87, 0, 8, ReplyRoute::BackupStart},
        {0xD3, 0, 15, ReplyRoute::PunchRecord},
        {0x53, 0, 9, ReplyRoute::PunchRecord},
        {0x54, 0, 9, ReplyRoute::PunchRecord},
        {0x56, 0, 9, ReplyRoute::PunchRecord},
        {0xE7, 0, 12, ReplyRoute::CardRemoved},
        {0x46, 'O', 4, ReplyRoute::CardRemoved},
        {0xE5, 0, 12, ReplyRoute::CardInsertedOldest},
        {0xE6, 0, 12, ReplyRoute::CardInserted60},
        {0xE8, 0, 12, ReplyRoute::CardInsertedNewer},
        {0xEB, 0, 12, ReplyRoute::AirCardStatus},
        {0xEA, 0, 6, ReplyRoute::AirCardConfig},
        {0x46, 'I', 4, ReplyRoute::CardInsertedLegacy},
        {0x66, 0, 6, ReplyRoute::CardInserted60Legacy},
        {0xC3, 0, 6, ReplyRoute::CodeC3},
        {0xB1, 0, 133, ReplyRoute::CardImageOldest},
        {0x31, 0, 131, ReplyRoute::CardImageOldest},
        {0xEF, 0, 135, ReplyRoute::CardBlockNewer},
        {0xE1, 0, 135, ReplyRoute::CardBlock60},
        {0x61, 0, 131, ReplyRoute::CardBlock60},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyReply(c.command, c.byte1, c.count, 128), c.route)
            << std::hex << int(c.command) << " count " << std::dec << c.count;
}

TEST(ReplyRoutes, FramesThatMeetNoTestAreDropped)
{
    const RouteCase cases[] = {
        {0x46, 'X', 4, ReplyRoute::None}, // neither 'O' nor 'I'
        {0xEF, 0, 128, ReplyRoute::None}, // a card block of exactly 128 bytes
        {0xB1, 0, 100, ReplyRoute::None}, // a short card image
        {0x61, 0, 128, ReplyRoute::None},
        {0xC4, 0, 100, ReplyRoute::None}, // a legacy backup block of another length
        {0x00, 0, 3, ReplyRoute::None},
        {0x99, 0, 3, ReplyRoute::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyReply(c.command, c.byte1, c.count, 128), c.route) << std::hex << int(c.command);
}

TEST(ReplyRoutes, LegacyBackupBlockByItsLength)
{
    EXPECT_EQ(ClassifyReply(0xC4, 0, 133, 128), ReplyRoute::LegacyBackupBlock);
    EXPECT_EQ(ClassifyReply(0xC4, 0, 125, 120), ReplyRoute::LegacyBackupBlock);
    EXPECT_EQ(ClassifyReply(0xC4, 0, 6, 120), ReplyRoute::LegacyBackupBlock); // the start reply
    EXPECT_EQ(ClassifyReply(0xC4, 0, 133, 120), ReplyRoute::None);
}

TEST(ReplyRoutes, EveryRouteHasAName)
{
    for (int r = int(ReplyRoute::None); r <= int(ReplyRoute::CardBlock60); ++r)
        EXPECT_FALSE(ReplyRouteName(ReplyRoute(r)).isEmpty()) << r;
}

TEST(ReplyRoutes, TraceRowWidthsThatDependOnTheReadOut)
{
    EXPECT_EQ(RxTraceRowFor(0xC4, 120, false).width, 12);
    EXPECT_EQ(RxTraceRowFor(0xC4, 128, false).width, 16);
    EXPECT_EQ(RxTraceRowFor(0x81, 128, false).width, 12);
    EXPECT_EQ(RxTraceRowFor(0x81, 120, true).width, 16);
    EXPECT_EQ(RxTraceRowFor(0xF0, 128, true).width, 0); // short replies stay on one line
}

} // namespace
} // namespace qv
