// The backup read-out end to end over a pseudo-terminal against the simulated station: punch records of both
// layouts, time-sync records, card blocks, a full ring, the base protocol, bad blocks and a silent station.
#include "cards/backup_cards.h"
#include "link/end_action.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/textfile.h"
#include "receiver/backup_readout.h"
#include "receiver/backup_window.h"
#include "receiver/receiver.h"
#include "receiver/receiver_globals.h"
#include "receiver_support.h"
#include "sim_backup.h"
#include "stationdata/backup_memory.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "support/test_support.h"
#include "ui/main/frm_main.h"

namespace qv::test {
namespace {

const QDateTime kRaceDay(QDate(2026, 12, 9), QTime(9, 30, 0));

// Punch records of `count` cards one second apart, numbered from `first`.
QByteArray punches(int count, bool extended, int first = 1)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += sim::encodePunch(0, first + i, kRaceDay.addSecs(i), extended, 128);
    return out;
}

class ReceiverBackupTest : public ReceiverE2E
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        sim.station.setClock(kRaceDay);
        gWeekdayNames =
            QStringLiteral("Sunday    Monday    Tuesday   Wednesday Thursday  Friday    Saturday  ");
    }
    void TearDown() override
    {
        ResetBackupListing();
        ResetBackupCards();
        gUseExtCommands = true;
        ReceiverE2E::TearDown();
    }

    // Read backup as the menu starts it; true when the read-out ended by itself.
    bool readBackup()
    {
        frmMain().mnuReadBackup_Click();
        return sim::waitUntil([] { return gActionCode == ActNone; }, 20000);
    }
    QList<QByteArray> blockRequests() const
    {
        QList<QByteArray> out;
        for (const QByteArray& r : requests())
            if (!r.isEmpty() && (uint8_t(r.at(0)) == 0x81 || uint8_t(r.at(0)) == 0x74))
                out << r;
        return out;
    }
    QString dataPane() const { return frmMain().rtbox(1).Text(); }
    QString lastProtocolAction() const
    {
        const QStringList lines = readTextLines(gProtocolPath);
        return lines.size() < 2 ? QString() : lines.back().split(';').value(23);
    }
    // The line a punch of the extended layout gives: card number, date, time, thousandths.
    static QString extendedLine(int number, int second)
    {
        const QDateTime at = kRaceDay.addSecs(second);
        return QLatin1Char('\t') + (QString::number(number) + QString(8, QLatin1Char(' '))).left(8) +
               QLatin1Char('\t') + Format(at.date(), QStringLiteral("Short Date")) + QLatin1Char('\t') +
               at.toString("hh:mm:ss") + QStringLiteral(".500");
    }

    ScopedLocale locale{QStringLiteral("en_US")};
};

TEST_F(ReceiverBackupTest, EmptyBackupEndsAtTheSystemData)
{
    ASSERT_TRUE(readBackup());
    EXPECT_TRUE(blockRequests().isEmpty());
    EXPECT_TRUE(gBackupLines.isEmpty());
    EXPECT_EQ(lastProtocolAction(), "Backup memory read ");
    EXPECT_EQ(frmMain().Aktion().Text(), "Backup memory read: empty");
}

TEST_F(ReceiverBackupTest, OneRecordInTheExtendedLayout)
{
    sim::setBackup(sim.station.memory(), punches(1, true, 4242));
    ASSERT_TRUE(readBackup());
    EXPECT_EQ(requests().at(2), bytes({0x87, 0x41}));
    EXPECT_EQ(blockRequests(), (QList<QByteArray>{bytes({0x81, 0x00, 0x01, 0x00, 0x08})}));
    EXPECT_EQ(gBackupLines, QStringList({QString(), extendedLine(4242, 0)}));
    EXPECT_TRUE(dataPane().startsWith("       1" + extendedLine(4242, 0))) << dataPane().toStdString();
    EXPECT_TRUE(gStationTimeText.startsWith(QLatin1String("09:30:0"))) << gStationTimeText.toStdString();
    EXPECT_EQ(lastProtocolAction(), "Backup memory read ");
    EXPECT_FALSE(frmMain().MSComm1.PortOpen());
}

TEST_F(ReceiverBackupTest, AFewHundredRecordsComeInFullBlocksAndACutLastOne)
{
    sim::setBackup(sim.station.memory(), punches(300, true));
    ASSERT_TRUE(readBackup());
    const QList<QByteArray> blocks = blockRequests();
    ASSERT_EQ(blocks.size(), 19); // 300 * 8 = 2400 bytes: 18 blocks of 128 and one of 96
    EXPECT_EQ(blocks.first(), bytes({0x81, 0x00, 0x01, 0x00, 0x80}));
    EXPECT_EQ(blocks.last(), bytes({0x81, 0x00, 0x0A, 0x00, 0x60}));
    ASSERT_EQ(gBackupLines.size(), 301);
    EXPECT_EQ(gBackupLines.at(300), extendedLine(300, 299));
    EXPECT_EQ(dataPane().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).size(), 300);
    EXPECT_EQ(frmMain().Aktion().Text(), "Backup memory read: 300 records")
        << "the status names the read-out";
}

// The main window's backup side, noting for each block shown which block the request on the line asks for.
class RequestAtEachBlock final : public BackupWindow
{
  public:
    explicit RequestAtEachBlock(BackupWindow& window) : m_window(window) {}
    bool extendedProtocolTicked() override { return m_window.extendedProtocolTicked(); }
    bool cardRecordsTicked() override { return m_window.cardRecordsTicked(); }
    bool printoutModeShown() override { return m_window.printoutModeShown(); }
    QString actionText() override { return m_window.actionText(); }
    void clearModeBox() override { m_window.clearModeBox(); }
    void appendToDataPane(const QString& text) override
    {
        // The address the last request sent asks for.
        const QByteArray sent = gSendBuffer;
        addresses << (sent.size() > 6
                          ? (uint8_t(sent.at(4)) << 16 | uint8_t(sent.at(5)) << 8 | uint8_t(sent.at(6)))
                          : -1);
        m_window.appendToDataPane(text);
    }
    void appendToBothPanes(const QString& text) override { m_window.appendToBothPanes(text); }
    void setDataPane(const QString& text) override { m_window.setDataPane(text); }
    void showListing() override { m_window.showListing(); }
    void startProgress() override { m_window.startProgress(); }
    void sizeProgress(int64_t blocks) override { m_window.sizeProgress(blocks); }
    void updateViewButtons() override { m_window.updateViewButtons(); }

    QList<int> addresses;

  private:
    BackupWindow& m_window;
};

TEST_F(ReceiverBackupTest, TheNextBlockIsAskedForBeforeABlockIsShown)
{
    sim::setBackup(sim.station.memory(), punches(300, true));
    BackupWindow& window = backupWindow();
    RequestAtEachBlock recorder(window);
    BackupWindowSide::install(&recorder);
    const bool ended = readBackup();
    BackupWindowSide::install(&window);
    ASSERT_TRUE(ended);
    // 19 blocks from 0x100 in steps of 128: while a block is shown, the request for the next is out.
    ASSERT_EQ(recorder.addresses.size(), 19);
    for (int i = 0; i + 1 < recorder.addresses.size(); ++i)
        EXPECT_EQ(recorder.addresses.at(i), 0x100 + 128 * (i + 1)) << "block " << i;
    EXPECT_EQ(gBackupLines.size(), 301);
    EXPECT_EQ(dataPane().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).size(), 300);
}

TEST_F(ReceiverBackupTest, AFullRingIsReadOneLapFromTheOldestRecord)
{
    sim::StationMemory& m = sim.station.memory();
    sim::setBackupMemorySizeKb(m, 2); // 256 records of 8 bytes
    const int nextWrite = 800;
    QByteArray ring(2048, '\0');
    for (int i = 0; i < 256; ++i)
        ring.replace((nextWrite + 8 * i) % 2048, 8,
                     sim::encodePunch(0, 1000 + i, kRaceDay.addSecs(i), true, 128));
    sim::setBackup(m, ring, true, nextWrite);
    ASSERT_TRUE(readBackup());
    const QList<QByteArray> blocks = blockRequests();
    ASSERT_EQ(blocks.size(), 16);
    EXPECT_EQ(blocks.first(), bytes({0x81, 0x00, 0x04, 0x20, 0x80})); // the pointer, 256 + 800
    ASSERT_EQ(gBackupLines.size(), 257);
    EXPECT_EQ(gBackupLines.at(1), extendedLine(1000, 0));
    EXPECT_EQ(gBackupLines.at(256), extendedLine(1255, 255));
}

TEST_F(ReceiverBackupTest, ShortLayoutAsksForTwentyRecordsABlock)
{
    sim::StationMemory& m = sim.station.memory();
    m.write(sim::kAddrOptions, QByteArray(1, '\0')); // extended protocol off: 6-byte records
    sim::setBackup(m, punches(45, false));
    ASSERT_TRUE(readBackup());
    const QList<QByteArray> blocks = blockRequests();
    ASSERT_EQ(blocks.size(), 3); // 270 bytes: 120, 120, 30
    EXPECT_EQ(blocks.at(0), bytes({0x81, 0x00, 0x01, 0x00, 0x78}));
    EXPECT_EQ(blocks.at(2), bytes({0x81, 0x00, 0x01, 0xF0, 0x1E}));
    ASSERT_EQ(gBackupLines.size(), 46);
    EXPECT_EQ(gBackupLines.at(45), "\t45      \tWe\t09:30:44");
}

TEST_F(ReceiverBackupTest, TimeSyncRecordsAmongThePunchesAreListed)
{
    QByteArray memory =
        punches(15, true) + sim::encodeTimeSync(77, kRaceDay.addSecs(20), 16, 64) + punches(3, true, 100);
    sim::setBackup(sim.station.memory(), memory);
    ASSERT_TRUE(readBackup());
    ASSERT_EQ(gBackupLines.size(), 19) << "the punches after the time-sync record are all there";
    const QString pane = dataPane();
    EXPECT_TRUE(pane.contains(QLatin1String("TimeSync   77\t12/9/2026 We 09:30:20.250")))
        << pane.toStdString();
    EXPECT_FALSE(gTimeSyncPending);
}

TEST_F(ReceiverBackupTest, CardBlocksGiveOneSummaryLinePerCard)
{
    sim::StationMemory& m = sim.station.memory();
    m.setMode(5); // read cards: the backup holds card records
    QByteArray first(128, '\0');
    first.replace(4, 4, QByteArray(4, char(0xED)));
    first[12] = char(0x30);
    first[13] = char(0x39); // card 12345
    first[18] = 3;          // three punches: six blocks follow
    QByteArray memory = first;
    for (int i = 0; i < 6; ++i)
        memory += QByteArray(128, char(i + 1));
    QByteArray second = first;
    second[13] = char(0x3A); // card 12346
    memory += second + QByteArray(6 * 128, char(0x20));
    sim::setBackup(m, memory);
    ASSERT_TRUE(readBackup());
    EXPECT_EQ(blockRequests().size(), 14);
    EXPECT_EQ(gDataBlocks.size(), 15);
    const QStringList lines = dataPane().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << dataPane().toStdString();
    EXPECT_TRUE(lines.at(0).startsWith(QLatin1String("       1\t12345   \t")));
    EXPECT_TRUE(lines.at(1).startsWith(QLatin1String("       2\t12346   \t")));
}

TEST_F(ReceiverBackupTest, BadBlocksAreAskedForAgainAndTheFourthEndsTheReadout)
{
    sim::setBackup(sim.station.memory(), punches(40, true));
    int badLeft = 3;
    const auto shortBlocks = [&badLeft](sim::SimStation& s, const sim::Request& r) {
        const qint64 address =
            (qint64(uint8_t(r.data.at(0))) << 16) | (uint8_t(r.data.at(1)) << 8) | uint8_t(r.data.at(2));
        int length = uint8_t(r.data.at(3));
        if (address == 0x180 && badLeft-- > 0)
            length -= 8;
        return sim::Reply::frame(r.command, r.data.left(3) + sim::readBackup(s.memory(), address, length));
    };
    sim.station.registerCommand(0x81, shortBlocks);
    ASSERT_TRUE(readBackup()) << "three bad replies are repeated";
    EXPECT_EQ(blockRequests().size(), 3 + 3);
    EXPECT_EQ(gBackupLines.size(), 41);

    // Four bad replies in a row: the read-out ends with a message, keeping what it read.
    badLeft = 4;
    sim.station.clearLog();
    DialogHooks::queue(DialogAnswer::press(vbOK));
    frmMain().mnuReadBackup_Click();
    ASSERT_TRUE(sim::waitUntil([] { return !frmMain().MSComm1.PortOpen(); }));
    EXPECT_EQ(DialogHooks::pending(), 0);
    EXPECT_EQ(gBackupLines.size(), 17) << "the first block stays";
    EXPECT_EQ(blockRequests().size(), 1 + 4);

    // The next read-out starts with a fresh repeat count.
    badLeft = 3;
    ASSERT_TRUE(readBackup());
    EXPECT_EQ(gBackupLines.size(), 41);
}

TEST_F(ReceiverBackupTest, ASilentStationLeavesTheRecordsAndSaysWhereItStopped)
{
    sim::setBackup(sim.station.memory(), punches(40, true));
    int answered = 0;
    sim.station.registerCommand(0x81, [&answered](sim::SimStation& s, const sim::Request& r) {
        if (++answered > 1)
            return sim::Reply::silent();
        const qint64 address =
            (qint64(uint8_t(r.data.at(0))) << 16) | (uint8_t(r.data.at(1)) << 8) | uint8_t(r.data.at(2));
        return sim::Reply::frame(r.command, r.data.left(3) +
                                                sim::readBackup(s.memory(), address, uint8_t(r.data.at(3))));
    });
    frmMain().mnuReadBackup_Click();
    ASSERT_TRUE(sim::waitUntil([&answered] { return answered >= 2; }));
    FrmMain& f = frmMain();
    DialogHooks::queue(DialogAnswer::press(vbOK));
    for (int i = 0; i < 8 && f.Timer1.running(); ++i) {
        f.Timer1.Tick();
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_EQ(gBackupLines.size(), 17);
    EXPECT_EQ(dataPane().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).size(), 16)
        << "the lines read stay in the data pane";
    EXPECT_EQ(f.Aktion().Text(), "Read backup memory: No reply from the station. (Block  1 of  3)")
        << "the status names the read-out and says where it stopped";
    EXPECT_EQ(gActionCode, ActNone);
}

TEST_F(ReceiverBackupTest, BaseProtocolWalksDownFromThePointerAndListsOldestFirst)
{
    gUseExtCommands = false;
    sim::StationMemory& m = sim.station.memory();
    m.write(sim::kAddrOptions, QByteArray(1, '\0')); // 6-byte records
    sim::setBackup(m, punches(50, false));           // 300 bytes: the last one at 555
    // An old board asks first; Cancel reads the backup out.
    DialogHooks::queue(DialogAnswer::press(vbCancel));
    ASSERT_TRUE(readBackup());
    EXPECT_EQ(blockRequests(),
              (QList<QByteArray>{bytes({0x74, 0xFF, 0xFF, 0x01}), bytes({0x74, 0x00, 0x00, 0x78}),
                                 bytes({0x74, 0x01, 0xB4, 0x78}), bytes({0x74, 0x01, 0x3C, 0x78}),
                                 bytes({0x74, 0x01, 0x00, 0x3C})}));
    ASSERT_EQ(gBackupLines.size(), 51);
    EXPECT_EQ(gBackupLines.at(1), "\t50      \tWe\t09:30:49") << "the walk reads the newest record first";
    const QStringList lines = dataPane().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 50);
    EXPECT_EQ(lines.first(), "       1\t1       \tWe\t09:30:00") << "the listing shows the oldest first";
    EXPECT_EQ(lines.last(), "      50\t50      \tWe\t09:30:49");
    EXPECT_EQ(lastProtocolAction(), "Backup memory read ");
}

TEST_F(ReceiverBackupTest, ShortLayoutAndBaseProtocolFromEmptyToAFilledRing)
{
    // A 2 KB ring of 6-byte records: empty, one record, a few hundred, and written to its last record.
    const int counts[] = {0, 1, 200, 2048 / 6};
    for (const bool baseProtocol : {false, true}) {
        for (const int count : counts) {
            SCOPED_TRACE(QStringLiteral("%1 records, %2")
                             .arg(count)
                             .arg(baseProtocol ? "base" : "extended")
                             .toStdString());
            gUseExtCommands = !baseProtocol;
            sim::StationMemory& m = sim.station.memory();
            m.write(sim::kAddrOptions, QByteArray(1, '\0'));
            sim::setBackupMemorySizeKb(m, 2);
            sim::setBackup(m, punches(count, false));
            if (baseProtocol)
                DialogHooks::queue(DialogAnswer::press(vbCancel));
            ASSERT_TRUE(readBackup());
            if (count == 0) {
                EXPECT_LE(gBackupLines.size(), 1);
                continue;
            }
            ASSERT_EQ(gBackupLines.size(), count + 1);
            const QStringList lines = dataPane().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
            ASSERT_EQ(lines.size(), count);
            // Both list the oldest record first: the extended read as it goes, the base protocol at its end.
            EXPECT_TRUE(lines.first().startsWith(QLatin1String("       1\t1       \tWe\t09:30:00")))
                << lines.first().toStdString();
            EXPECT_TRUE(lines.last().startsWith(
                NumberedPaneLine(count, QLatin1Char('\t') +
                                            (QString::number(count) + QString(8, QLatin1Char(' '))).left(8))
                    .chopped(2)))
                << lines.last().toStdString();
            EXPECT_EQ(lastProtocolAction(), "Backup memory read ");
        }
    }
}

} // namespace
} // namespace qv::test
