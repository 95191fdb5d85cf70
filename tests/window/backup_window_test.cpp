// A person's Read backup in the real program on an X display: the toolbar's button reads the simulated
// station's backup memory into the data pane, and the read-out ends with its protocol record.
#include "cards/frm_disk.h"
#include "link/link_globals.h"
#include "platform/system/textfile.h"
#include "receiver/receiver.h"
#include "sim_backup.h"
#include "sim_on_port.h"
#include "sim_test_support.h"
#include "station_window_fixture.h"
#include "stationdata/backup_memory.h"
#include "window_support.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>
#include <optional>

using namespace qv;

namespace {

const QDateTime kRaceStart(QDate(2026, 12, 6), QTime(10, 15, 0));

class BackupWindowTest : public test::StationWindowTest
{
  protected:
    void SetUp() override
    {
        StationWindowTest::SetUp();
        sim::StationMemory& m = sim->station.memory();
        sim->station.setClock(QDateTime(test::kTestToday, QTime(10, 0)));
        // A morning's punches at a control: 250 cards, with the station's clock synchronised once.
        QByteArray memory;
        for (int i = 0; i < 250; ++i) {
            if (i == 120)
                memory += sim::encodeTimeSync(3, kRaceStart.addSecs(i * 37), 16, 128);
            memory +=
                sim::encodePunch(0, 2001 + (i * 7919) % 5000, kRaceStart.addSecs(i * 37 + 5), true, i & 0xFF);
        }
        sim::setBackup(m, memory);
    }
    bool tracing() const override { return false; }

    test::ScopedLocale locale{QStringLiteral("en_US")};
};

} // namespace

TEST_F(BackupWindowTest, TheToolbarsReadBackupFillsTheDataPane)
{
    FrmMain& f = startProgram();
    ASSERT_TRUE(f.isVisible());
    QToolButton* read = f.tbar.Buttons().Item(QStringLiteral("READ")).button();
    ASSERT_NE(read, nullptr);
    test::clickWith(read);
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 20000));
    QApplication::processEvents();

    // The data pane shows every punch and the time-sync line, under its heading; the log pane is hidden.
    EXPECT_TRUE(f.rtbox(1).Visible());
    EXPECT_FALSE(f.rtbox(0).Visible());
    EXPECT_TRUE(f.lblRTBHead.Visible());
    EXPECT_TRUE(f.lblRTBHead.Caption().contains(QStringLiteral("Card")));
    const QStringList lines =
        f.rtbox(1).Text().split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 251);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("       1\t")));
    EXPECT_TRUE(lines.at(120).startsWith(QStringLiteral("TimeSync   3\t12/6/2026 Su 11:29:00.500")))
        << lines.at(120).toStdString();
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("     250\t")));
    EXPECT_EQ(gBackupLines.size(), 251);
    EXPECT_FALSE(f.cmdStop.Visible());
    EXPECT_FALSE(f.MSComm1.PortOpen());

    // The read-out ends with its record in the protocol file.
    const QStringList protocol = readTextLines(dataFolder() + QStringLiteral("/LOG/Protocol.CSV"));
    ASSERT_EQ(protocol.size(), 2);
    EXPECT_EQ(protocol.back().split(u';').value(23), QStringLiteral("Backup memory read "));

    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        f.rtbox(1).textEdit()->verticalScrollBar()->setValue(0);
        QApplication::processEvents();
        EXPECT_TRUE(f.grab().save(shots + QStringLiteral("/mainwin_backup_ENU.png")));
    }
}

TEST_F(BackupWindowTest, TheDiskButtonSavesTheListingThroughTheCardListFileDialog)
{
    FrmMain& f = startProgram();
    test::clickWith(f.tbar.Buttons().Item(QStringLiteral("READ")).button());
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 20000));
    QApplication::processEvents();
    ToolbarButton& disk = f.tbar.Buttons().Item(QStringLiteral("DISK"));
    ASSERT_TRUE(disk.Visible());

    // The person names the file, keeps the semicolon and confirms.
    const QString file = dataFolder() + QStringLiteral("/listing.CSV");
    QString proposed;
    // The start-up found the station's port, so the port dialog the start-up's answer was for never came.
    Form::clearModalAnswers();
    Form::queueModalAnswer([&](Form& w) {
        auto& d = static_cast<FrmDisk&>(w);
        test::settle(100);
        proposed = d.txtDisk.Text();
        // A radio button takes a click on its circle or its caption, not beyond.
        test::mouseClick(d.optTZ(0).radioButton(), QPointF(6, d.optTZ(0).radioButton()->height() / 2.0));
        test::typeInto(d.txtDisk.lineEdit(), file);
        test::clickWith(d.cmdOK.button());
    });
    test::clickWith(disk.button());
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 5000));

    // Nothing was remembered: the proposal is the serial number's name beside no folder.
    EXPECT_EQ(proposed, QStringLiteral("_201537.CSV"));
    const QStringList lines = readTextLines(file);
    ASSERT_EQ(lines.size(), 1 + 250); // the heading and every punch; the time sync is no card
    EXPECT_EQ(lines.first(), QStringLiteral("No.;QV card;Day;Time;"));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("1;"))) << lines.at(1).toStdString();
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("250;"))) << lines.last().toStdString();
    EXPECT_TRUE(f.Aktion().Text().endsWith(QStringLiteral(" saved"))) << f.Aktion().Text().toStdString();
    EXPECT_FALSE(FormInstance<FrmDisk>::loaded());
}
