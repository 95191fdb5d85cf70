// Windows-1252 conversion: every byte survives, unknown characters become "?".
#include "platform/system/codepage.h"

#include <QSet>
#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(SystemCodePage, EveryByteSurvivesTheRoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = cp1252ToString(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(stringToCp1252(text), all);
    // 256 distinct characters: no two bytes share one.
    QSet<QChar> distinct(text.begin(), text.end());
    EXPECT_EQ(distinct.size(), 256);
}

TEST(SystemCodePage, BytesMapToTheirCharacters)
{
    struct Case
    {
        unsigned char byte;
        char16_t unicode;
    };
    const Case cases[] = {
        {0x41, u'A'},      {0x80, u'\u20AC'}, {0x81, u'\u0081'}, {0x8D, u'\u008D'},
        {0x8F, u'\u008F'}, {0x90, u'\u0090'}, {0x9D, u'\u009D'}, {0x8A, u'\u0160'},
        {0x9F, u'\u0178'}, {0xA0, u'\u00A0'}, {0xE4, u'\u00E4'}, {0xFF, u'\u00FF'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.byte));
        EXPECT_EQ(cp1252ToUnicode(c.byte), c.unicode);
        EXPECT_EQ(unicodeToCp1252(c.unicode), int(c.byte));
    }
}

TEST(SystemCodePage, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    // U+0080 is a control character the code page does not hold (its byte 0x80 is the euro sign).
    EXPECT_EQ(stringToCp1252(QString::fromUtf8("a\u4E2D\u0080b")), QByteArray("a??b"));
    // A character beyond the basic plane is one "?", not two.
    EXPECT_EQ(stringToCp1252(QString::fromUtf8("x\U0001F600y")), QByteArray("x?y"));
    // A lone surrogate half is one unknown character.
    EXPECT_EQ(stringToCp1252(QString(QChar(0xD800))), QByteArray("?"));
}

} // namespace
} // namespace qv
