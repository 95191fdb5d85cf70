// The link's busy waits on the clock: the time-out pauses and the wait for a fraction of the second, also
// across midnight.
#include "link/sender.h"
#include "platform/runtime/clock.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(LinkWaitTest, PausesLastTheirTimeAlsoAcrossMidnight)
{
    FakeClock fake(QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0, 0)), 10);
    ScopedClock scoped(fake);
    for (const QTime start : {QTime(10, 0, 0, 0), QTime(23, 59, 59, 800)}) {
        for (const float seconds : {0.3f, 1.0f}) {
            fake.set(QDate(2026, 12, 9), start);
            const QDateTime before = fake.peek();
            PauseSeconds(seconds);
            const qint64 ms = before.msecsTo(fake.peek());
            EXPECT_GE(ms, qint64(seconds * 1000)) << start.toString().toStdString();
            EXPECT_LE(ms, qint64(seconds * 1000) + 30) << start.toString().toStdString();
        }
    }
}

// A pause keeps the station events waiting but leaves the processor alone: it sleeps, it does not spin.
TEST(LinkWaitTest, PausesSleepInsteadOfSpinning)
{
    FakeClock fake(QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0, 0)), 1);
    ScopedClock scoped(fake);
    PauseSeconds(1.0f);
    EXPECT_GE(fake.sleptMs(), 900);
    EXPECT_LE(fake.reads(), 150);
}

TEST(LinkWaitTest, FractionWaitEndsInItsWindowOrAfterASecond)
{
    FakeClock fake(QDateTime(QDate(2026, 12, 9), QTime(23, 59, 59, 900)), 10);
    ScopedClock scoped(fake);
    WaitForSecondFraction(430, 450);
    EXPECT_EQ(fake.peek().date(), QDate(2026, 12, 10));
    EXPECT_GT(fake.peek().time().msec(), 430);
    EXPECT_LE(fake.peek().time().msec(), 460);

    // A clock too coarse for the window still lets the request go.
    fake.set(QDate(2026, 12, 9), QTime(10, 0, 0, 0));
    fake.setAutoStep(1000);
    const qint64 reads = fake.reads();
    WaitForSecondFraction(430, 450);
    EXPECT_LE(fake.reads() - reads, 4);
}

} // namespace
} // namespace qv
