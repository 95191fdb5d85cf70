// Traffic log texts and protocol record lines.
#include "link/protocol_file.h"
#include "link/traffic_log.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(BytesToHexTest, ArraysTextsAndSeparators)
{
    const QByteArray bytes("\x02\xF0\x0A", 3);
    EXPECT_EQ(BytesToHex(bytes), "02-F0-0A");
    EXPECT_EQ(BytesToHex(bytes, " "), "02 F0 0A");
    EXPECT_EQ(BytesToHex(QByteArray("\x7F", 1)), "7F");
    EXPECT_EQ(BytesToHex(QByteArray()), "");
    EXPECT_EQ(BytesToHex(QString("AB")), "41-42");
}

TEST(LogLineTest, SendAndTimeOutLines)
{
    EXPECT_EQ(SendLogLine(QByteArray("\xFF\x02\x70\x4D\x03", 5), 800, 4800),
              " send FF-02-70-4D-03 msTimer:800 Baud=4800");
    EXPECT_EQ(TimeOutLogLine(false), " TimerOut----------");
    EXPECT_EQ(TimeOutLogLine(true), " Stopped----------");
}

TEST(ProtocolRecordTest, HeaderHas24Columns)
{
    EXPECT_EQ(ProtocolHeader.count(';'), 24);
    EXPECT_TRUE(ProtocolHeader.startsWith("Date;Time;Ser_No;"));
    EXPECT_TRUE(ProtocolHeader.endsWith(";RadioMode;Action;"));
}

TEST(ProtocolRecordTest, ActionAloneLandsInTheLastColumn)
{
    ProtocolRecord r;
    r.Action = "Set Baud";
    EXPECT_EQ(ProtocolRecordLine("09.12.2026", "14:05:09", r),
              "09.12.2026;14:05:09;" + QString(21, ';') + "Set Baud;");
}

TEST(ProtocolRecordTest, EveryFieldInItsColumnAndSemicolonsReplaced)
{
    ProtocolRecord r;
    QString* fields[] = {&r.Ser_No,
                         &r.Hardware,
                         &r.Software,
                         &r.BMS,
                         &r.r_d,
                         &r.Batt_date,
                         &r.Cap,
                         &r.Cons,
                         &r.Voltage,
                         &r.CNo,
                         &r.Mode,
                         &r.Work_time,
                         &r.RTC,
                         &r.Auto_send,
                         &r.Read_out,
                         &r.ExtProt,
                         &r.Sprint_4ms,
                         &r.Card6_with_192_punches,
                         &r.Stopp_if_backup_is_full,
                         &r.PunchingMode,
                         &r.RadioMode,
                         &r.Action};
    for (int i = 0; i < 22; ++i)
        *fields[i] = QString("v%1").arg(i + 3);
    // The GSM station's mode column holds the mobile-network text with its own separators.
    r.Mode = "1234internet;user,pass;x\r\ny";
    const QString line = ProtocolRecordLine("d", "t", r);
    const QStringList cols = line.split(';');
    ASSERT_EQ(cols.size(), 25); // 24 fields and the empty rest after the last ";"
    EXPECT_EQ(cols[0], "d");
    EXPECT_EQ(cols[2], "v3");
    EXPECT_EQ(cols[12], "1234internet,user,pass,x  y");
    EXPECT_EQ(cols[23], "v24");
    EXPECT_EQ(cols[24], "");
}

} // namespace
} // namespace qv
