// Card type and layout detection: GetCardTypeCode, DetectCardLayout, GetLayoutCardType, IsValidCardBlock.
#include "card_test_support.h"
#include "cards/card_detect.h"
#include "stationdata/station_time.h"

namespace qv::test {
namespace {

class CardDetect : public CardTest
{
};
QV_CARD_LOCALES(CardDetect);

TEST_P(CardDetect, CardTypeCodeTable)
{
    struct Case
    {
        int series;
        int32_t number;
        int firmware;
        int16_t action;
        QByteArray signature;
        int code;
    };
    const QByteArray sig("\x01\x01\x01\x02", 4);
    constexpr int16_t kDumpFile = -1; // not an operation: a card dump file is being evaluated
    const Case cases[] = {
        {0x10, 16000001, 600, ActReadCards, {}, 0x61},
        {0x10, 16000001, 500, ActReadCards, {}, 0x60},
        {0x10, 16000001, 500, ActCardsFile, {}, 0x61},
        {0x10, 16000001, 500, kDumpFile, {}, 0x61},
        {0x10, 16000001, 500, ActSwitchOff, {}, 0x60}, // switching a station off evaluates no dump
        {0x00, 16000000, 551, ActReadCards, {}, 0x61},
        {0x00, 15999999, 551, ActReadCards, {}, 0x60},
        {0x00, 12345, 551, ActReadCards, sig, 0x61},
        {0x00, 12345, 550, ActReadCards, sig, 0x60},
        {0x00, 12345, 551, ActReadCards, sig.left(3), 0x60},
        {0x00, 12345, 551, ActReadCards, QByteArray("\x01\x01\x01\x03", 4), 0x60},
        {2, 2000000, 0, 0, {}, 0x80},
        {4, 4000000, 0, 0, {}, 0xA0},
        {6, 6000000, 0, 0, {}, 0xB0},
        {3, 1, 0, 0, {}, 0x90},
        {1, 1, 0, 0, {}, 0x90},
        {0x8F, 7000000, 0, 0, {}, 0xF7},
        {15, 7999999, 0, 0, {}, 0xF7},
        {15, 8000000, 0, 0, {}, 0xA1},
        {15, 8999999, 0, 0, {}, 0xA1},
        {15, 9000000, 0, 0, {}, 0xF9},
        {15, 16777215, 0, 0, {}, 0xA1},
        {15, 123, 0, 0, {}, 0xF9},
    };
    for (const Case& c : cases) {
        gFirmware = int16_t(c.firmware);
        gEvaluatingDumpFile = c.action == kDumpFile;
        gActionCode = c.action == kDumpFile ? int16_t(ActNone) : c.action;
        EXPECT_EQ(GetCardTypeCode(int16_t(c.series), c.number, c.signature), c.code)
            << "series " << c.series << " number " << c.number << " firmware " << c.firmware;
    }
    gEvaluatingDumpFile = false;
}

TEST_P(CardDetect, LayoutTable)
{
    struct Case
    {
        QByteArray image;
        int16_t layout;
    };
    const Case cases[] = {
        {CardBlock(0).set(4, {0xED, 0xED, 0xED, 0xED}).text(112, "qvel"), kLayout60}, // first test wins
        {CardBlock(0).set(4, {0xEA, 0xEA, 0xEA, 0xEA}), kLayoutNewFirst},
        {CardBlock(0).set(44, {0xEB, 0xEB, 0xEB, 0xEB}), kLayoutBlock1},
        {CardBlock(0).set(124, {0xEC, 0xEC, 0xEC, 0xEC}), kLayoutBlock2},
        {CardBlock(0).text(112, "qvel"), kLayoutAirBlock3},
        {CardBlock(0).text(112, "QVEL"), kLayoutUnknown},
        {CardBlock(0).set(4, {0xED, 0xED, 0xED, 0xEE}), kLayoutUnknown},
        {CardBlock(0xED, 63), kLayoutUnknown}, // too short for any test
        {CardBlock(0xEC, 64), kLayoutUnknown}, // bytes 124-127 lie beyond a 64-byte image
        {CardBlock(0, 114).text(112, "qv"), kLayoutUnknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DetectCardLayout(c.image), c.layout) << c.image.toHex().left(40).constData();
}

TEST_P(CardDetect, LayoutCardType)
{
    const std::pair<int, int> cases[] = {{1, 0x90},    {0x12, 0x80}, {4, 0xA0}, {6, 0xB0},
                                         {0xFF, 0xA1}, {3, 0},       {0, 0}};
    for (auto [b24, code] : cases)
        EXPECT_EQ(GetLayoutCardType(CardBlock(0).set(24, {b24})), code) << b24;
    EXPECT_EQ(GetLayoutCardType(CardBlock(1, 27)), 0);
}

TEST_P(CardDetect, MarkerBytesStayInsideTheImage)
{
    EXPECT_TRUE(HasMarkerBytes(CardBlock(0xAB, 8), 0xAB, 4));
    EXPECT_FALSE(HasMarkerBytes(CardBlock(0xAB, 8), 0xAB, 5));
    EXPECT_FALSE(HasMarkerBytes(CardBlock(0xAB, 7), 0xAB, 0));
    EXPECT_FALSE(HasMarkerBytes(CardBlock(0xAB, 128), 0xAB, 255));
}

CardBlock oldestFirstBlock(int series, int number, int checkByte)
{
    return CardBlock(0)
        .set(4, {number >> 8, number & 0xFF, series})
        .set(17, {0x10, 0x20})
        .set(28, {0x30, checkByte});
}

TEST_P(CardDetect, ValidOldestBlockTable)
{
    struct Case
    {
        QByteArray image;
        bool valid;
        const char* why;
    };
    const Case cases[] = {
        {oldestFirstBlock(4, 1, 0x60), true, "series 4, check byte right"},
        {oldestFirstBlock('U', 65000, 0x60), true, "series U, highest number"},
        {oldestFirstBlock('R', 300, 0x60), true, "series R"},
        {oldestFirstBlock(4, 1, 0x61), false, "wrong check byte"},
        {oldestFirstBlock(4, 65001, 0x60), false, "number above 65000"},
        {oldestFirstBlock(4, 0, 0x60), false, "number 0"},
        {oldestFirstBlock(5, 1, 0x60), false, "series 5"},
        {CardBlock(oldestFirstBlock(4, 1, 0x60)).set(124, {0xEE, 0xEE, 0xEE, 0xEE}), false, "erased block"},
        {CardBlock(oldestFirstBlock(4, 1, 0x60)).set(44, {0xEB, 0xEB, 0xEB, 0xEB}), false, "block 1 marker"},
        {CardBlock(oldestFirstBlock(4, 1, 0x60)).set(124, {0xEC, 0xEC, 0xEC, 0xEC}), false, "block 2 marker"},
        {CardBlock(oldestFirstBlock(4, 1, 0x60)).text(112, "qvel"), false, "air card block 3"},
        {oldestFirstBlock(4, 1, 0x60).bytes().left(127), false, "127 bytes"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidCardBlock(c.image), c.valid) << c.why;

    // Layouts 234 and 237 go on to the series test: their series byte 6 is the marker.
    const QByteArray ea = CardBlock(oldestFirstBlock(4, 1, 0x60)).set(4, {0xEA, 0xEA, 0xEA, 0xEA});
    const QByteArray ed = CardBlock(oldestFirstBlock(4, 1, 0x60)).set(4, {0xED, 0xED, 0xED, 0xED});
    EXPECT_EQ(DetectCardLayout(ea), kLayoutNewFirst);
    EXPECT_FALSE(IsValidCardBlock(ea));
    EXPECT_FALSE(IsValidCardBlock(ed));
}

} // namespace
} // namespace qv::test
