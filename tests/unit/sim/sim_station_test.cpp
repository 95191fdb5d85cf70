// The simulated station's answers, faults and log, driven without a terminal.
#include "sim_station.h"
#include "sim_test_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace qv::sim;
using qv::test::hex;

namespace {

// A station whose output is collected and read back as frames.
struct Bench
{
    SimStation station;
    QList<QByteArray> chunks;

    Bench()
    {
        station.setOutputSink([this](const QByteArray& b) { chunks << b; });
    }
    QByteArray output() const
    {
        QByteArray all;
        for (const QByteArray& c : chunks)
            all += c;
        return all;
    }
    // Sends one request and returns what came back, parsed.
    QList<Frame> ask(quint8 command, const QByteArray& data, FrameForm form = FrameForm::Extended)
    {
        chunks.clear();
        const qsizetype logged = station.log().size();
        station.receiveBytes(encodeFrame(command, data, form, true));
        // A legacy frame of a high command is taken after a short quiet spell.
        waitUntil([&] { return station.log().size() > logged; }, 1000);
        FrameParser p;
        QList<Frame> frames = p.feed(output());
        frames += p.flush();
        return frames;
    }
};

} // namespace

TEST(SimStation, AnswersTheStandardCommandsInTheirForm)
{
    struct Case
    {
        quint8 command;
        const char* data;
        FrameForm form;
        const char* replyData; // after LEN, code number first
    };
    const Case cases[] = {
        {0xF0, "4D", FrameForm::Extended, "00 1F 4D"},
        {0xF0, "53", FrameForm::Extended, "00 1F 53"},
        {0x70, "4D", FrameForm::Legacy, "1F 4D"},
        {0xF5, "", FrameForm::Extended, "00 1F"},
        {0x75, "", FrameForm::Legacy, "1F"},
        {0xF9, "01", FrameForm::Extended, "00 1F 01"},
        {0xF8, "60", FrameForm::Extended, "00 1F 60"},
        {0x78, "60", FrameForm::Legacy, "1F 60"},
        {0xFE, "01", FrameForm::Extended, "00 1F 01"},
        {0x7E, "01", FrameForm::Legacy, "1F 01"},
        {0x83, "0C 02", FrameForm::Extended, "00 1F 0C 97 80"},
        {0x82, "60 AA BB", FrameForm::Extended, "00 1F 60"},
    };
    for (const Case& c : cases) {
        Bench b;
        const QList<Frame> frames = b.ask(c.command, hex(c.data), c.form);
        ASSERT_EQ(frames.size(), 1) << std::hex << int(c.command);
        EXPECT_EQ(frames[0].command, c.command);
        EXPECT_EQ(frames[0].form, c.form);
        EXPECT_TRUE(frames[0].crcOk);
        EXPECT_EQ(frames[0].data.toHex(' '), hex(c.replyData).toHex(' ')) << std::hex << int(c.command);
    }
}

TEST(SimStation, ReadsTheSystemDataAndTheSettingsBlockInBothForms)
{
    Bench b;
    const QList<Frame> ext = b.ask(0x83, hex("00 80"));
    ASSERT_EQ(ext.size(), 1);
    EXPECT_EQ(ext[0].data.size(), 2 + 1 + 0x80);
    EXPECT_EQ(ext[0].data.mid(3), b.station.memory().read(0, 0x80));

    const QList<Frame> legacy = b.ask(0x73, hex("D0"), FrameForm::Legacy);
    ASSERT_EQ(legacy.size(), 1);
    EXPECT_EQ(legacy[0].data.left(2), hex("1F D0"));
    EXPECT_EQ(legacy[0].data.mid(2), b.station.memory().read(0x70, 16));

    // The oldest-station form of the extended system-data request is answered in that form.
    const QList<Frame> old = b.ask(0x83, hex("00 80"), FrameForm::Legacy);
    ASSERT_EQ(old.size(), 1);
    EXPECT_EQ(old[0].form, FrameForm::Legacy);
    EXPECT_EQ(old[0].data.mid(2), b.station.memory().read(0, 0x80));
}

TEST(SimStation, WritesMemoryAndAnswersUnderTheCodeItHadBefore)
{
    Bench b;
    QByteArray block = b.station.memory().read(0x70, 14);
    block[2] = char(44);       // code number 300: low byte 44,
    block[3] = char(0x40 | 5); // +256, LED and beep
    const QList<Frame> frames = b.ask(0x72, QByteArray(1, char(0xD0)) + block, FrameForm::Legacy);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(quint8(frames[0].data[0]), 31); // still answered as station 31
    EXPECT_EQ(quint8(frames[0].data[1]), 0xD0);
    EXPECT_EQ(frames[0].data.mid(2, 14), block);
    EXPECT_EQ(b.station.memory().codeNumber(), 300);

    EXPECT_EQ(quint8(b.ask(0xF0, "M")[0].data[1]), 300 & 0xFF);
    EXPECT_EQ(quint8(b.ask(0xF0, "M")[0].data[0]), 300 >> 8);
}

TEST(SimStation, RefusesWhatItCannotDo)
{
    Bench b;
    struct Case
    {
        quint8 command;
        const char* data;
    };
    const Case cases[] = {
        {0x83, "F0 20"}, // beyond the memory
        {0x83, "00 81"}, // more than a read carries
        {0x83, "00"},    // no length
        {0x82, "FF 01 02"},
        {0xF6, "1A 0D 09 07 1D 55"}, // month 13
        {0xF6, "1A 0C 09 06 A8 C0"}, // a half day holds 0 to 43199 s
        {0xFE, "05"},
        {0x99, ""}, // no such command in the table
    };
    for (const Case& c : cases) {
        b.chunks.clear();
        b.station.receiveBytes(encodeFrame(c.command, hex(c.data), FrameForm::Extended, true));
        EXPECT_EQ(b.output(), QByteArray(1, char(kNak))) << std::hex << int(c.command) << " " << c.data;
    }
}

TEST(SimStation, StationTimeEncoding)
{
    // Wednesday 2026-12-09 14:05:09: afternoon, 7509 s into the half day.
    EXPECT_EQ(encodeStationTime(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 9)), 0, false),
              hex("1A 0C 09 07 1D 55"));
    EXPECT_EQ(encodeStationTime(QDateTime(QDate(2026, 12, 9), QTime(11, 59, 59)), 0, false).mid(3),
              hex("06 A8 BF"));
    EXPECT_EQ(encodeStationTime(QDateTime(QDate(2026, 12, 9), QTime(12, 0, 0)), 0, false).mid(3),
              hex("07 00 00"));
    EXPECT_EQ(encodeStationTime(QDateTime(QDate(2026, 12, 9), QTime(12, 0, 1)), 2, false).mid(3),
              hex("27 00 01"));
    EXPECT_EQ(encodeStationTime(QDateTime(QDate(2026, 12, 13), QTime(0, 0, 0, 500)), 0, true),
              hex("1A 0C 0D 00 00 00 80"));
}

TEST(SimStation, SetAndGetTime)
{
    Bench b;
    const QList<Frame> set = b.ask(0xF6, hex("1A 0C 09 27 1D 55 0A"));
    ASSERT_EQ(set.size(), 1);
    EXPECT_EQ(set[0].data.mid(2), hex("1A 0C 09 27 1D 55"));
    EXPECT_EQ(b.station.weekCounter(), 2);
    EXPECT_LE(std::abs(b.station.clock().secsTo(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 9)))), 1);

    b.station.setClock(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 9)));
    const QList<Frame> ext = b.ask(0xF7, {});
    ASSERT_EQ(ext.size(), 1);
    EXPECT_EQ(ext[0].data.size(), 2 + 7);
    EXPECT_EQ(ext[0].data.mid(2, 4), hex("1A 0C 09 27"));
    const QList<Frame> legacy = b.ask(0x77, {}, FrameForm::Legacy);
    ASSERT_EQ(legacy.size(), 1);
    // The legacy form: the code number in one byte, then in two once more, so the time stands where it does
    // in the extended form; no sub-second.
    EXPECT_EQ(legacy[0].data.size(), 1 + 2 + 6);
    EXPECT_EQ(legacy[0].data.mid(3, 4), hex("1A 0C 09 27"));
}

TEST(SimStation, ClockDriftSlowRepliesAndAClockThatCannotBeSet)
{
    Bench b;
    QDateTime now(QDate(2026, 12, 9), QTime(10, 0));
    qint64 passed = 0;
    b.station.setTimeSource([&] { return now; },
                            [&](qint64 ms) {
                                passed += ms;
                                now = now.addMSecs(ms);
                            });
    b.station.setClock(now);
    b.station.setDriftPerHour(3.6); // a second fast every thousand
    now = now.addSecs(3600);
    EXPECT_EQ(now.msecsTo(b.station.clock()), 3600);

    // A busy station lets time pass before it answers, for the next two set-time requests only.
    b.station.slowReplies(0xF6, 2, 700);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(b.ask(0xF6, hex("1A 0C 09 27 1D 55 0A")).size(), 1);
    EXPECT_EQ(passed, 1400);

    // A clock that cannot be set refuses the command and keeps its time.
    b.station.setClock(now.addSecs(5));
    b.station.setClockSettable(false);
    const QByteArray nak = (b.ask(0xF6, hex("1A 0C 09 27 1D 55 0A")), b.output());
    EXPECT_EQ(nak, QByteArray(1, char(0x15)));
    EXPECT_EQ(now.msecsTo(b.station.clock()), 5000);
}

TEST(SimStation, SignalSwitchOffAndBaudChangeTheStation)
{
    Bench b;
    b.ask(0xF9, hex("02"));
    EXPECT_EQ(b.station.signalCount(), 2);
    b.ask(0xFE, hex("00"));
    EXPECT_EQ(b.station.stationBaud(), 4800);
    b.ask(0xF5, {});
    EXPECT_EQ(b.station.clearBackupCount(), 1);

    EXPECT_EQ(b.ask(0xF8, hex("60")).size(), 1);
    EXPECT_TRUE(b.station.switchedOff());
    EXPECT_TRUE(b.ask(0xF0, "M").isEmpty());
    EXPECT_EQ(b.station.log().last().note, QStringLiteral("switched off"));
}

TEST(SimStation, FaultsNakSilenceCorruptCrcAndWrongStation)
{
    Bench b;
    b.station.nakNextRequests(2);
    b.station.ignoreNextRequests(0);
    EXPECT_EQ(b.ask(0xF0, "M").size(), 0);
    EXPECT_EQ(b.output(), QByteArray(1, char(kNak)));
    b.ask(0xF0, "M");
    EXPECT_EQ(b.output(), QByteArray(1, char(kNak)));
    EXPECT_EQ(b.ask(0xF0, "M").size(), 1);

    b.station.ignoreNextRequests(1);
    EXPECT_TRUE(b.ask(0xF0, "M").isEmpty());
    EXPECT_TRUE(b.output().isEmpty());
    EXPECT_EQ(b.ask(0xF0, "M").size(), 1);

    b.station.corruptCrcOfNextReplies(1);
    QList<Frame> bad = b.ask(0xF0, "M");
    ASSERT_EQ(bad.size(), 1);
    EXPECT_FALSE(bad[0].crcOk);
    EXPECT_TRUE(b.ask(0xF0, "M")[0].crcOk);

    b.station.setReplyCodeNumber(77);
    EXPECT_EQ(b.ask(0xF0, "M")[0].data.left(2), hex("00 4D"));
}

TEST(SimStation, GarbageAndSplitReplies)
{
    Bench b;
    b.station.addGarbageBeforeNextReplies(hex("FF 55 AA"), 1);
    b.ask(0xF0, "M");
    EXPECT_TRUE(b.output().startsWith(hex("FF 55 AA 02 F0")));
    b.ask(0xF0, "M");
    EXPECT_TRUE(b.output().startsWith(hex("02 F0")));

    b.station.setSplitReplies(1, 2);
    b.chunks.clear();
    b.station.receiveBytes(encodeFrame(0xF0, "M", FrameForm::Extended, true));
    const int whole = int(encodeFrame(0xF0, hex("00 1F 4D"), FrameForm::Extended).size());
    EXPECT_LT(b.chunks.size(), whole); // the rest follows on the event loop
    ASSERT_TRUE(waitUntil([&] { return b.chunks.size() == whole; }));
    EXPECT_EQ(b.output(), encodeFrame(0xF0, hex("00 1F 4D"), FrameForm::Extended));
}

TEST(SimStation, LogsEveryFrameDecoded)
{
    Bench b;
    b.station.nakNextRequests(1);
    b.ask(0x83, hex("70 10"));
    b.ask(0x83, hex("70 10"));
    const QList<LogEntry> in = b.station.received();
    const QList<LogEntry> out = b.station.sent();
    ASSERT_EQ(in.size(), 2);
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(in[0].command, 0x83);
    EXPECT_EQ(in[0].data, hex("70 10"));
    EXPECT_EQ(in[0].note, QStringLiteral("NAK"));
    EXPECT_EQ(out[0].note, QStringLiteral("NAK"));
    EXPECT_EQ(out[1].command, 0x83);
    EXPECT_EQ(out[1].form, FrameForm::Extended);
    EXPECT_EQ(out[1].data.mid(3), b.station.memory().read(0x70, 16));
}

TEST(SimStation, NewCommandsSlotIntoTheTable)
{
    Bench b;
    b.station.registerCommand(
        0xB1, [](SimStation&, const Request& r) { return Reply::frame(r.command, QByteArray(4, '\x11')); });
    const QList<Frame> frames = b.ask(0xB1, {});
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].data, hex("00 1F 11 11 11 11"));

    // and the station can speak first (a card put in)
    b.chunks.clear();
    b.station.sendFrame(0xE8, hex("00 0F 42 40"), FrameForm::Extended);
    FrameParser p;
    const QList<Frame> own = p.feed(b.output());
    ASSERT_EQ(own.size(), 1);
    EXPECT_EQ(own[0].data, hex("00 1F 00 0F 42 40"));
}
