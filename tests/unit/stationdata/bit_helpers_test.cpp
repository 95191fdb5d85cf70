// Bit, flag and text helpers: bits, bit texts, hex bytes, card characters, status flags, activity timing.
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vberror.h"
#include "platform/system/codepage.h"
#include "stationdata/bit_helpers.h"
#include "stationdata_test_support.h"

using namespace qv;
using namespace qv::test;

namespace {

class BitHelpers : public StationDataTest
{
};
QV_BOTH_LOCALES(BitHelpers);

TEST_P(BitHelpers, TestAndSetBits)
{
    EXPECT_TRUE(IsBitSet(7, 0x80));
    EXPECT_FALSE(IsBitSet(0, 0x80));
    EXPECT_FALSE(IsBitSet(8, 0xFF));
    EXPECT_FALSE(IsBitSet(-1, 0xFF));
    EXPECT_EQ(SetBit(0, 0xFF, false), 0xFE);
    EXPECT_EQ(SetBit(7, 0x00, true), 0x80);
    EXPECT_EQ(SetBit(3, 0x00, false), 0x00); // clearing a clear bit changes nothing
    EXPECT_EQ(SetBit(3, 0x08, true), 0x08);
    EXPECT_EQ(SetBit(9, 0x5A, true), 0x5A);
    EXPECT_EQ(LowByte(-1), 255);
    EXPECT_EQ(LowByte(0x1234), 0x34);
    EXPECT_EQ(LowByte(511), 255);
}

TEST_P(BitHelpers, BitTexts)
{
    EXPECT_EQ(ByteToBitText(0x5A), QStringLiteral("01011010"));
    EXPECT_EQ(ByteToBitText(0xA5), QStringLiteral("10100101"));
    EXPECT_EQ(ByteToBitText(-1), QStringLiteral("11111111"));
    EXPECT_EQ(ConvertToBitString(bytes({0xA5, 0x5A})), QStringLiteral("1010010101011010"));
    EXPECT_EQ(ConvertToBitString(QByteArray(9, char(0x81))), QStringLiteral("10000001").repeated(9));
    EXPECT_EQ(DialogHooks::asked().size(), 0);
}

TEST_P(BitHelpers, TooManyBytesForABitTextAreRefused)
{
    DialogHooks::queue(DialogAnswer::press(vbOK));
    EXPECT_EQ(ConvertToBitString(QByteArray(10, '\0')), QString());
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked()[0].prompt, QStringLiteral("ConvertToBitString to long"));
    EXPECT_EQ(DialogHooks::asked()[0].style, vbOKOnly);
}

TEST_P(BitHelpers, CardCharsetToWindowsLetters)
{
    EXPECT_EQ(ConvertCardCharset(QStringLiteral("Gr}n")), QStringLiteral("Grün"));
    EXPECT_EQ(ConvertCardCharset(QStringLiteral("Stra~e")), QStringLiteral("Straße"));
    EXPECT_EQ(ConvertCardCharset(cp1252ToString(bytes({0x8E, 0x81}))), QStringLiteral("Äü"));
    // Every row of the table, in a text that keeps its length.
    const QByteArray dos = bytes({0x8E, 0x99, 0x9A, 0x84, 0x94, 0x81, 0x9E, 0x82, 0x8A});
    EXPECT_EQ(ConvertCardCharset(cp1252ToString(dos)), QStringLiteral("ÄÖÜäöüßéè"));
    EXPECT_EQ(ConvertCardCharset(QStringLiteral("[\\]{|}~")), QStringLiteral("ÄÖÜäöüß"));
    EXPECT_EQ(ConvertCardCharset(QStringLiteral("Meier-Ost 12")), QStringLiteral("Meier-Ost 12"));
}

struct FlagCase
{
    uint8_t flags;
    int32_t timerMark;
    StatusFlagsDecision::Kind kind;
    int prefix;
    int help;
};

TEST_P(BitHelpers, StatusFlagTexts)
{
    using K = StatusFlagsDecision::Kind;
    // The clock stands on Wednesday 08:42:17 = 3 * 86400 + 31337 s of the week.
    const int32_t pcWeek = 3 * 86400 + 31337;
    const FlagCase cases[] = {
        {0x29, kNoTime, K::CardPassword, 0, 0}, // although bits 3 and 5 are set
        {0x20, kNoTime, K::Protocol, 0, 420},
        {0x88, kNoTime, K::Normal, 1257, 430}, // bit 7 wins over bit 3
        {0x08, kNoTime, K::Normal, 1253, 430},
        {0x40, kNoTime, K::Normal, 1256, 430},
        {0x10, kNoTime, K::Normal, 1254, 430},
        {0x00, kNoTime, K::Normal, 0, 430},
        {0x00, 86400, K::Normal, 1258, 430},      // the work time ended on Monday
        {0x08, pcWeek - 1, K::Normal, 1258, 430}, // ended a second ago, on a weekday
        {0x08, pcWeek + 1, K::Normal, 1253, 430}, // ends in a second
        {0x88, 0, K::Normal, 1257, 430},
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << int(c.flags) << std::dec << " mark " << c.timerMark);
        const StatusFlagsDecision d = DecideStatusFlags(c.flags, c.timerMark, m_now);
        EXPECT_EQ(d.kind, c.kind);
        EXPECT_EQ(d.prefixId, c.prefix);
        EXPECT_EQ(d.helpContextId, c.help);
    }
}

TEST_P(BitHelpers, StatusTextsAreBuiltFromTheDecision)
{
    EXPECT_EQ(StatusFlagsText(0x29, kNoTime, m_now).text, QStringLiteral("CardPasswordMode"));
    // No language file: the texts are empty, the separators stand.
    EXPECT_EQ(StatusFlagsText(0x20, kNoTime, m_now).text, QStringLiteral(" / "));
    EXPECT_EQ(StatusFlagsText(0x88, kNoTime, m_now).text, QStringLiteral(" / "));
    EXPECT_EQ(StatusFlagsText(0x00, kNoTime, m_now).text, QString());
    gTimerMark = 86400;
    EXPECT_EQ(ShowStatusFlagsValues(0x00).helpContextId, 430);
    EXPECT_EQ(ShowStatusFlagsValues(0x00).text, QStringLiteral(" / "));
}

TEST_P(BitHelpers, StatusTextsFromTheLanguageFile)
{
    ScopedLanguageTexts texts;
    EXPECT_EQ(StatusFlagsText(0x20, kNoTime, m_now).text, QStringLiteral("Protocol / Extended"));
    EXPECT_EQ(StatusFlagsText(0x88, kNoTime, m_now).text, QStringLiteral("Bit7 / Normal"));
    EXPECT_EQ(StatusFlagsText(0x50, kNoTime, m_now).text, QStringLiteral("Bit6 / Normal"));
    EXPECT_EQ(StatusFlagsText(0x00, 86400, m_now).text, QStringLiteral("Over / Normal"));
    EXPECT_EQ(StatusFlagsText(0x00, kNoTime, m_now).text, QStringLiteral("Normal"));
}

TEST_P(BitHelpers, ActivityAndStandbyTimes)
{
    const std::pair<QByteArray, int> cases[] = {{bytes({0x04, 0x99, 0, 0}), 1},
                                                {bytes({0x04, 0x9A, 0, 0}), 2},
                                                {bytes({0x05, 0xA2, 0, 0}), 2},
                                                {bytes({0x05, 0xA3, 0, 0}), 3}};
    for (const auto& [b, mode] : cases)
        EXPECT_EQ(DecodeActStb(b), mode) << b.toHex().constData();
    EXPECT_EQ(DecodeActStb(bytes({0x12, 0x34, 0xFF, 0xFE, 0x99})), 3);
    EXPECT_EQ(gActTime, 0x1234);
    EXPECT_EQ(gStbTime, 0xFFFE);
    EXPECT_THROW(DecodeActStb(bytes({1, 2, 3})), VbError);
    EXPECT_EQ(gActTime, 0x1234); // unchanged by the short array
}

} // namespace
