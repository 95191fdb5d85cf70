// The settings text of the serial control: what is read from it and what is refused.
#include "platform/comm/comm_settings.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(CommSettings, ReadsTheParts)
{
    struct Case
    {
        const char* text;
        CommSettings expected;
    };
    const Case cases[] = {
        {"38400,n,8,1", {38400, 'n', 8, 1}}, {"4800,n,8,1", {4800, 'n', 8, 1}},
        {"9600,E,7,2", {9600, 'e', 7, 2}},   {" 19200 , o , 5 , 1 ", {19200, 'o', 5, 1}},
        {"1200,m,8,1", {1200, 'm', 8, 1}},   {"250000,s,6,2", {250000, 's', 6, 2}},
    };
    for (const Case& c : cases) {
        const std::optional<CommSettings> s = parseCommSettings(QString::fromLatin1(c.text));
        ASSERT_TRUE(s.has_value()) << c.text;
        EXPECT_EQ(*s, c.expected) << c.text;
    }
}

TEST(CommSettings, RefusesWhatIsNoLine)
{
    for (const char* text :
         {"", "38400", "38400,n,8", "38400,n,8,1,x", "0,n,8,1", "-4800,n,8,1", "+4800,n,8,1", "4800.5,n,8,1",
          "x,n,8,1", "4800,x,8,1", "4800,no,8,1", "4800,n,9,1", "4800,n,4,1", "4800,n,08,1", "4800,n,8,0",
          "4800,n,8,1.5", "4800,n,8,3"}) {
        EXPECT_FALSE(parseCommSettings(QString::fromLatin1(text)).has_value()) << text;
    }
}
