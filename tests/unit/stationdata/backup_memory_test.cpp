// Backup memory decoding: punch records of both layouts, both block replies, time-sync runs within and across
// blocks, and the numbering of the listing.
#include "platform/runtime/vbruntime.h"
#include "stationdata/backup_memory.h"
#include "stationdata/modes.h"
#include "stationdata_test_support.h"

using namespace qv;
using namespace qv::test;

namespace {

// An extended block reply 0x81 of the data at a backup address, as the receiver keeps it (CRC bytes last).
QByteArray block81(const QByteArray& data, int address = 0x100)
{
    QByteArray f;
    f.append(char(0x81)).append(char(data.size() + 5)).append(char(0)).append(char(31));
    f.append(char(address >> 16)).append(char(address >> 8)).append(char(address));
    f += data;
    f.append(char(0x5A)).append(char(0xA5));
    return f;
}

// A base-protocol block reply 0xC4 of the data as the station sends it.
QByteArray blockC4(const QByteArray& data, int address = 0x100)
{
    QByteArray f;
    f.append(char(0xC4)).append(char(31)).append(char(address >> 8)).append(char(address));
    f.append(char(data.size()));
    return f + data;
}

// A punch record of the extended layout: series and number, packed date, time of day, last byte.
QByteArray extendedPunch(int series, int number, QDate date, int seconds, int last)
{
    const int half = seconds >= 43200 ? 1 : 0;
    const int s = seconds % 43200;
    const int y = date.year() % 100;
    const int b3 = (y << 2) | (date.month() >> 2);
    const int b4 = ((date.month() & 3) << 6) | (date.day() << 1) | half;
    return bytes({series, number >> 8, number & 0xFF, b3, b4, s >> 8, s & 0xFF, last});
}

// A punch record of the legacy layout as it lies in memory (length 6 or 8): number low bytes 0 and 1, TH,
// TL, TD, series, [-, sub-second].
QByteArray legacyPunch(int series, int number, int weekday, int seconds, int length = 6, int fraction = 0)
{
    const int s = seconds % 43200;
    const int td = (weekday << 1) | (seconds >= 43200 ? 1 : 0);
    QByteArray r = bytes({number >> 8, number & 0xFF, s >> 8, s & 0xFF, td, series});
    if (length == 8)
        r += bytes({0, fraction});
    return r;
}

// A time-sync record of R bytes: number (16 bit, and 24 bit from byte 11 when R is 16), date, TD TH TL,
// sub-second; byte D + 1 is 0.
QByteArray syncRecord(int r, int number, QDate date, int td, int th, int tl, int fraction)
{
    QByteArray b(r, '\0');
    b[0] = char(0xFF);
    b[1] = char(0xFF);
    b[2] = char(number >> 8);
    b[3] = char(number);
    b[4] = char(date.year() % 100);
    b[5] = char(date.month());
    b[6] = char(date.day());
    b[7] = char(td);
    b[8] = char(th);
    b[9] = char(tl);
    b[10] = char(fraction);
    if (r == 16) {
        b[11] = char(number >> 16);
        b[12] = char(number >> 8);
        b[13] = char(number);
        b[14] = 0;
        b[15] = 0;
    }
    return b;
}

class BackupMemory : public StationDataTest
{
  protected:
    void SetUp() override
    {
        StationDataTest::SetUp();
        ResetBackupListing();
        gWeekdayNames = german() ? QStringLiteral("Sonntag   Montag    Dienstag  Mittwoch  Donnerstag"
                                                  "Freitag   Samstag   ")
                                 : QStringLiteral("Sunday    Monday    Tuesday   Wednesday Thursday  "
                                                  "Friday    Saturday  ");
    }
    void TearDown() override
    {
        ResetBackupListing();
        gVoltageInBackup = false;
        StationDataTest::TearDown();
    }
    QString dec() const { return german() ? QStringLiteral(",") : QStringLiteral("."); }
    QString day(int w) const { return gWeekdayNames.mid(w * 10, 2); }
    static QString date(int y, int m, int d) { return Format(QDate(y, m, d), QStringLiteral("Short Date")); }

    // The extended layout of a station with new firmware (16-byte time-sync records, 24-bit numbers).
    static BackupRecordFormat extended()
    {
        gFirmware = 656;
        return BackupRecordFormatFor(true);
    }
};
QV_BOTH_LOCALES(BackupMemory);

TEST_P(BackupMemory, FormatFollowsTheStationAndTheReadColumn)
{
    const struct
    {
        bool zok, ticked;
        int firmware;
        int length;
        bool extendedLayout;
        int sync, data;
    } cases[] = {
        {false, false, 656, 6, false, 16, 13}, {false, true, 656, 8, true, 16, 13},
        {false, true, 554, 8, false, 12, 10},  {true, false, 500, 8, true, 12, 10},
        {false, true, 600, 8, true, 16, 10},
    };
    for (const auto& c : cases) {
        gZokDevice = c.zok;
        gFirmware = int16_t(c.firmware);
        const BackupRecordFormat f = BackupRecordFormatFor(c.ticked);
        EXPECT_EQ(f.punchLength, c.length) << c.firmware;
        EXPECT_EQ(f.extendedLayout, c.extendedLayout) << c.firmware;
        EXPECT_EQ(f.syncLength, c.sync) << c.firmware;
        EXPECT_EQ(f.syncDataLength, c.data) << c.firmware;
    }
}

TEST_P(BackupMemory, ExtendedPunchLinesWithDateTimeAndFraction)
{
    const BackupRecordFormat f = extended();
    const QDate d(2026, 12, 9);
    QByteArray data = extendedPunch(1, 23456, d, 14 * 3600 + 30 * 60 + 5, 128) + // 0.5 s
                      extendedPunch(2, 7, d, 9 * 3600, 0) +                      // no fraction: still 000
                      QByteArray(8, char(0xFF));                                 // the end of what is written
    const QString pane = DecodeBackupMemory(block81(data), 3, f);

    const QString line1 = "\t23456   \t" + date(2026, 12, 9) + "\t14:30:05" + dec() + "500";
    const QString line2 = "\t200007  \t" + date(2026, 12, 9) + "\t09:00:00" + dec() + "000";
    EXPECT_EQ(gBackupLines, QStringList({QString(), line1, line2}));
    EXPECT_EQ(pane, "       1" + line1 + "\r\n       2" + line2 + "\r\n");
    EXPECT_EQ(gListLineNo, 2);
}

TEST_P(BackupMemory, ExtendedPunchWithVoltageOrErrorTime)
{
    BackupRecordFormat f = extended();
    f.voltage = true;
    QByteArray err = extendedPunch(0, 5, QDate(2026, 1, 2), 0, 10);
    err[5] = char(0xF3); // the station's error 3 in place of a time
    const QByteArray data = extendedPunch(0, 4660, QDate(2026, 1, 2), 3600, 10) + err;
    DecodeBackupMemory(block81(data), 2, f);
    ASSERT_EQ(gBackupLines.size(), 3);
    EXPECT_EQ(gBackupLines.at(1), "\t4660    \t" + date(2026, 1, 2) + "\t01:00:00 - 2" + dec() + "8 Volt");
    EXPECT_EQ(gBackupLines.at(2), "\t5       \t" + date(2026, 1, 2) + "\tErr3") << "no fraction, no voltage";
}

TEST_P(BackupMemory, LegacyLayoutWithWeekdayAndSubSecond)
{
    gFirmware = 500;
    // Short records: no byte 7, so no fraction; the weekday stands in for the date.
    BackupRecordFormat f = BackupRecordFormatFor(false);
    DecodeBackupMemory(block81(legacyPunch(5, 258, 3, 45000) + legacyPunch(0, 1, 0, 60)), 2, f);
    EXPECT_EQ(gBackupLines.at(1), "\t500258  \t" + day(3) + "\t12:30:00");
    EXPECT_EQ(gBackupLines.at(2), "\t1       \t" + day(0) + "\t00:01:00");

    // Long records of old firmware keep the legacy layout and append the sub-second when there is one.
    ResetBackupListing();
    f = BackupRecordFormatFor(true);
    ASSERT_FALSE(f.extendedLayout);
    DecodeBackupMemory(block81(legacyPunch(0, 9, 1, 10, 8, 64) + legacyPunch(0, 9, 1, 11, 8, 0)), 2, f);
    EXPECT_EQ(gBackupLines.at(1), "\t9       \t" + day(1) + "\t00:00:10,250");
    EXPECT_EQ(gBackupLines.at(2), "\t9       \t" + day(1) + "\t00:00:11");
}

TEST_P(BackupMemory, BlankRecordsEndTheBlock)
{
    const BackupRecordFormat f = extended();
    const QByteArray punch = extendedPunch(0, 1, QDate(2026, 1, 1), 1, 0);
    for (char fill : {char(0xFF), char(0x00), char(0xEE)}) {
        ResetBackupListing();
        DecodeBackupMemory(block81(punch + QByteArray(8, fill) + punch), 3, f);
        EXPECT_EQ(gListLineNo, 1) << int(uint8_t(fill));
    }
    ResetBackupListing();
    EXPECT_TRUE(DecodeBackupMemory(block81(QByteArray(120, char(0xFF))), 15, f).isEmpty());
    EXPECT_TRUE(gBackupLines.isEmpty());
    QByteArray fifteen;
    for (int i = 0; i < 15; ++i)
        fifteen += punch;
    DecodeBackupMemory(block81(fifteen + QByteArray(8, char(0xFF))), 16, f);
    EXPECT_EQ(gListLineNo, 15);
    EXPECT_FALSE(gTimeSyncPending) << "unwritten memory at the block's end is no time-sync record";
    // Anything but a block reply, and a reply cut short, are left alone.
    EXPECT_TRUE(DecodeBackupMemory(QByteArray("\x83\x05", 2), 15, f).isEmpty());
    EXPECT_TRUE(DecodeBackupMemory(QByteArray(), 15, f).isEmpty());
    EXPECT_TRUE(DecodeBackupMemory(block81(punch).left(10), 1, f).isEmpty());
}

TEST_P(BackupMemory, LegacyBlockSlotsAreReversedAndBoundedByThePointer)
{
    gFirmware = 500;
    QByteArray slot = legacyPunch(0, 300, 2, 7200);
    std::reverse(slot.begin(), slot.end()); // the station sends each slot last byte first
    // The pointer names the last byte written: two records.
    BackupRecordFormat f = BackupRecordFormatFor(false, 256 + 2 * 6 - 1);
    DecodeBackupMemory(blockC4(slot + slot + slot), 20, f);
    EXPECT_EQ(gBackupLines.value(1), "\t300     \t" + day(2) + "\t02:00:00");
    EXPECT_EQ(gListLineNo, 2) << "records beyond what the pointer covers are not listed";
}

TEST_P(BackupMemory, LineNumbersKeepTheirLastEightDigits)
{
    EXPECT_EQ(NumberedPaneLine(7, "\tx"), "       7\tx\r\n");
    EXPECT_EQ(NumberedPaneLine(99999999, "\tx"), "99999999\tx\r\n");
    EXPECT_EQ(NumberedPaneLine(123456789, "\tx"), "23456789\tx\r\n");
    // The pane numbers the lines; the table holds them without a number.
    const BackupRecordFormat f = extended();
    const QString pane = DecodeBackupMemory(block81(extendedPunch(0, 1, QDate(2026, 1, 1), 1, 0)), 1, f);
    EXPECT_TRUE(pane.startsWith(QLatin1String("       1\t1 "))) << pane.toStdString();
    EXPECT_TRUE(gBackupLines.at(1).startsWith(QLatin1String("\t1 ")));
}

TEST_P(BackupMemory, TimeSyncRunBetweenPunchesIsListedAndThePunchesGoOn)
{
    const BackupRecordFormat f = extended();
    const QDate d(2026, 12, 9);
    const QByteArray punch = extendedPunch(0, 77, d, 3600, 0);
    const QByteArray data = punch + syncRecord(16, 12345, d, 0x07, 0x23, 0x2D, 128) +
                            syncRecord(16, 0x8001, d, 0x07, 0x23, 0x2E, 0) + punch + punch;
    const QString pane = DecodeBackupMemory(block81(data), int(data.size()) / 8, f);

    EXPECT_EQ(gListLineNo, 3) << "both punches after the run are listed";
    EXPECT_FALSE(gTimeSyncPending);
    EXPECT_EQ(gBackupCount, 2);
    const QString sync1 =
        "TimeSync   12345\t" + date(2026, 12, 9) + " " + day(3) + " 14:30:05" + dec() + "500\r";
    const QString sync2 =
        "TimeSync   32769\t" + date(2026, 12, 9) + " " + day(3) + " 14:30:06" + dec() + "000\r";
    EXPECT_TRUE(pane.contains(sync1 + sync2)) << pane.toStdString();
    EXPECT_TRUE(pane.endsWith(QLatin1String("\r\n"))) << "the punches follow the run";
}

TEST_P(BackupMemory, TimeSyncNumbersAndTheirField)
{
    // Old firmware: 12-byte records, 16-bit numbers; a high byte of 0x80 or more is an ordinary number.
    gFirmware = 500;
    BackupRecordFormat f = BackupRecordFormatFor(false);
    gTimeSyncImage = syncRecord(12, 0xFFFF, QDate(2026, 3, 1), 0, 0, 1, 0);
    EXPECT_TRUE(DecodeTimeSyncRecords(f).startsWith("TimeSync   65535\t"));
    // Six digits take the word's first letter.
    f = extended();
    gTimeSyncImage = syncRecord(16, 123456, QDate(2026, 3, 1), 0, 0, 1, 0);
    EXPECT_TRUE(DecodeTimeSyncRecords(f).startsWith("imeSync   123456\t"));
    // A record without a date keeps the one before; a cut record keeps the time before.
    gTimeSyncImage =
        syncRecord(16, 1, QDate(2026, 3, 1), 0, 0, 1, 0) + syncRecord(16, 2, QDate(2026, 3, 1), 0, 0, 2, 0);
    gTimeSyncImage[16 + 5] = char(13);
    gTimeSyncImage.truncate(16 + 8);
    const QStringList lines = DecodeTimeSyncRecords(f).split(QLatin1Char('\r'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0).mid(16), lines.at(1).mid(16));
    EXPECT_TRUE(lines.at(1).startsWith(QLatin1String("TimeSync   2\t"))) << "a short number is not padded";
    EXPECT_FALSE(gTimeSyncPending);
}

TEST_P(BackupMemory, MissingZeroByteMakesAPunchRecord)
{
    const BackupRecordFormat f = extended();
    QByteArray notSync = syncRecord(16, 1, QDate(2026, 1, 1), 0, 0, 1, 0);
    notSync[f.syncDataLength + 1] = char(0x33);
    DecodeBackupMemory(block81(notSync), 2, f);
    EXPECT_EQ(gBackupCount, 0);
    EXPECT_EQ(gListLineNo, 2);
}

TEST_P(BackupMemory, TimeSyncRunGoesOnInTheNextBlock)
{
    const BackupRecordFormat f = extended();
    const QDate d(2026, 5, 4);
    const QByteArray punch = extendedPunch(0, 10, d, 100, 0);
    const QByteArray s1 = syncRecord(16, 1, d, 0, 0, 1, 0);
    const QByteArray s2 = syncRecord(16, 2, d, 0, 0, 2, 0);
    // Block 1: 14 punches, then the first half of s1; block 2: the rest of s1, s2, a punch.
    QByteArray first;
    for (int i = 0; i < 14; ++i)
        first += punch;
    first += s1.left(8);
    const QString pane1 = DecodeBackupMemory(block81(first), 16, f);
    EXPECT_EQ(gListLineNo, 14);
    EXPECT_TRUE(gTimeSyncPending);
    EXPECT_FALSE(pane1.contains(QLatin1String("TimeSync")));

    const QByteArray second = s1.mid(8) + s2 + punch + QByteArray(128 - 8 - 16 - 8, char(0xFF));
    const QString pane2 = DecodeBackupMemory(block81(second, 0x180), 16, f);
    EXPECT_FALSE(gTimeSyncPending);
    EXPECT_EQ(gTimeSyncImage, s1 + s2);
    EXPECT_EQ(pane2.count(QLatin1String("TimeSync")), 2);
    EXPECT_EQ(gListLineNo, 15) << "the punch after the run is not swallowed";

    // A run that fills a block to its end is listed when the next block begins with a punch.
    ResetBackupListing();
    DecodeBackupMemory(block81(punch + s1), 3, f);
    EXPECT_TRUE(gTimeSyncPending);
    DecodeBackupMemory(block81(punch, 0x118), 1, f);
    EXPECT_FALSE(gTimeSyncPending);
    EXPECT_EQ(gListLineNo, 2);
}

TEST_P(BackupMemory, ShortSyncRecordsInLongSlotsLeaveThePunchesAfterThem)
{
    // 12-byte records among 8-byte slots: the record after the run begins at the next slot.
    gFirmware = 590;
    const BackupRecordFormat f = BackupRecordFormatFor(true);
    ASSERT_EQ(f.syncLength, 12);
    const QDate d(2026, 5, 4);
    const QByteArray punch = extendedPunch(0, 10, d, 100, 0);
    const QByteArray data = punch + syncRecord(12, 1, d, 0, 0, 1, 0) + QByteArray(4, '\0') + punch + punch +
                            QByteArray(8, char(0xFF));
    const QString pane = DecodeBackupMemory(block81(data), int(data.size()) / 8, f);
    EXPECT_EQ(gBackupCount, 1);
    EXPECT_EQ(gListLineNo, 3);
    EXPECT_FALSE(gTimeSyncPending);
    EXPECT_EQ(pane.count(QLatin1String("TimeSync")), 1);
}

} // namespace
