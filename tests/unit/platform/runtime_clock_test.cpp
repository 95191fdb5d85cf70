// The injectable clock behind Now, Date, Time and Timer, busy waits on Timer, Sleep and DoEvents.
#include "platform/runtime/clock.h"
#include "platform/system/wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace qv;

namespace {

QDateTime at(int h, int mi, int s, int ms = 0, QDate day = QDate(2026, 12, 9))
{
    return QDateTime(day, QTime(h, mi, s, ms));
}

// The busy waits the link writes: until `ms` milliseconds have passed on the time of day.
void busyWait(qint64 ms)
{
    const qint64 start = TimerMs();
    while (TimerElapsedMs(start) < ms) {
    }
}

} // namespace

TEST(RuntimeClock, TimeOfDayFunctionsReadTheClockInUse)
{
    FakeClock fake(at(8, 42, 17, 250));
    ScopedClock use(fake);
    EXPECT_EQ(Now(), at(8, 42, 17)); // whole seconds, as the old runtime's Now
    EXPECT_EQ(Date(), QDate(2026, 12, 9));
    EXPECT_EQ(Time(), QTime(8, 42, 17));
    EXPECT_FLOAT_EQ(Timer(), 31337.25f);
    fake.set(QDate(2026, 12, 10), QTime(0, 0));
    EXPECT_FLOAT_EQ(Timer(), 0.0f);
    fake.advance(1500);
    EXPECT_FLOAT_EQ(Timer(), 1.5f);
    EXPECT_EQ(TimerMs(), 1500);
    EXPECT_EQ(fake.reads(), 7); // one read per call
}

TEST(RuntimeClock, ScopedOverridesNestAndRestore)
{
    FakeClock outer(at(1, 0, 0));
    FakeClock inner(at(2, 0, 0));
    {
        ScopedClock useOuter(outer);
        {
            ScopedClock useInner(inner);
            EXPECT_EQ(Time(), QTime(2, 0));
        }
        EXPECT_EQ(Time(), QTime(1, 0));
        setClock(&inner);
        EXPECT_EQ(Time(), QTime(2, 0));
        setClock(nullptr);
        EXPECT_LE(std::llabs(Now().secsTo(QDateTime::currentDateTime())), 2);
    }
    EXPECT_LE(std::llabs(Now().secsTo(QDateTime::currentDateTime())), 2);
}

TEST(RuntimeClock, AutoStepMakesBusyWaitsEnd)
{
    FakeClock fake(at(8, 0, 0), 10);
    ScopedClock use(fake);
    busyWait(300);
    const qint64 waited = at(8, 0, 0).msecsTo(fake.peek());
    EXPECT_GE(waited, 300);
    EXPECT_LT(waited, 330);
}

TEST(RuntimeClock, BusyWaitsEndAcrossMidnight)
{
    FakeClock fake(at(23, 59, 59, 900), 10);
    ScopedClock use(fake);
    busyWait(300);
    EXPECT_EQ(fake.peek().date(), QDate(2026, 12, 10));
    EXPECT_GE(fake.peek().time(), QTime(0, 0, 0, 200));
    EXPECT_LT(fake.peek().time(), QTime(0, 0, 0, 300));

    fake.set(at(23, 59, 59, 500));
    busyWait(1000);
    EXPECT_EQ(fake.peek().date(), QDate(2026, 12, 10));
    EXPECT_LT(fake.peek().time(), QTime(0, 0, 0, 600));
}

// Spans are whole milliseconds: a later reading never lies before its start, and midnight counts the day.
TEST(RuntimeClock, SpansInWholeMilliseconds)
{
    struct Case
    {
        qint64 since, now, span;
    };
    const Case cases[] = {
        {0, 0, 0}, {36000000, 36000001, 1}, {86399999, 86399999, 0}, {86399500, 250, 750}, {86399999, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MsBetween(c.since, c.now), c.span) << c.since << " " << c.now;
}

TEST(RuntimeWait, SleepMovesAFakeClockWithoutWaiting)
{
    FakeClock fake(at(8, 0, 0));
    ScopedClock use(fake);
    QElapsedTimer real;
    real.start();
    Sleep(60000);
    EXPECT_LT(real.elapsed(), 1000);
    EXPECT_EQ(fake.peek(), at(8, 1, 0));
    EXPECT_EQ(fake.sleptMs(), 60000);
    Sleep(0);
    Sleep(-5);
    EXPECT_EQ(fake.peek(), at(8, 1, 0));
}

TEST(RuntimeWait, SleepOnTheSystemClockBlocks)
{
    QElapsedTimer real;
    real.start();
    Sleep(20);
    EXPECT_GE(real.elapsed(), 19);
}

TEST(RuntimeWait, DoEventsRunsPendingEventsAndSleepDoesNot)
{
    FakeClock fake(at(8, 0, 0));
    ScopedClock use(fake);
    int runs = 0;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&runs] { ++runs; }, Qt::QueuedConnection);
    Sleep(300);
    EXPECT_EQ(runs, 0);
    DoEvents();
    EXPECT_EQ(runs, 1);
    DoEvents();
    EXPECT_EQ(runs, 1);
}
