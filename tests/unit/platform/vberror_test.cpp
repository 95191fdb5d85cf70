// Raised errors carry their number and the runtime's text.
#include "platform/runtime/vberror.h"
#include <gtest/gtest.h>

using namespace qv;

TEST(VbError, CarriesNumberAndStandardText)
{
    try {
        throw VbError(ErrSubscriptOutOfRange);
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), 9);
        EXPECT_EQ(e.Description(), QStringLiteral("Subscript out of range"));
    }
    EXPECT_EQ(VbError(8002, QStringLiteral("x")).Description(), QStringLiteral("x"));
}
