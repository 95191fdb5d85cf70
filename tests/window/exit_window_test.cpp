// The program's end as a person brings it about: the real program started as its own process on the X
// display, Exit chosen with its key (alt+x), the process gone with exit code 0, and the next start not
// refused.
#include "sim_on_port.h"
#include "sim_test_support.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace qv;

namespace {

// Runs the X tool that types and focuses as a person would (the keys go through the X server).
QString xdotool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(10000))
        return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

// The windows of a process that are shown, optionally only those whose title holds `title`.
QStringList shownWindows(qint64 pid, const QString& title = QString())
{
    QStringList args{QStringLiteral("search"),
                     QStringLiteral("--all"),
                     QStringLiteral("--onlyvisible"),
                     QStringLiteral("--pid"),
                     QString::number(pid),
                     QStringLiteral("--name"),
                     title.isEmpty() ? QStringLiteral(".") : title};
    return xdotool(args).split(u'\n', Qt::SkipEmptyParts);
}

void pressKeys(const QString& window, const QString& keys)
{
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    QThread::msleep(300);
    xdotool({QStringLiteral("key"), keys});
}

class ProgramEnd : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(data.isValid());
        ASSERT_TRUE(sim.started());
        // Remembered settings a person would have after a first run: the port, and a recent update check, so
        // the start shows the main window without a question.
        const QString folder = data.filePath(QStringLiteral("Quarvelink/QV-Config"));
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile ini(folder + QStringLiteral("/QV-Config.INI"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[COMCTRL]\r\nPort=COM1\r\n[SETTINGS]\r\nLastCheckVersion=" +
                  QDate::currentDate().toString(QStringLiteral("M/d/yyyy")).toLatin1() + "\r\n");
        settingsFile = ini.fileName();
    }

    void start(QProcess& program)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QV_NO_MODAL"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
        env.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
        env.insert(QStringLiteral("QV_COMPORTS"), QStringLiteral("1=") + sim.station.slavePath());
        // No update server is asked.
        env.insert(QStringLiteral("QV_UPDATE_HOST"), QStringLiteral("127.0.0.1:1"));
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(QStringLiteral(QV_PROGRAM_DIR));
        program.start(QStringLiteral(QV_PROGRAM_DIR "/qv-config"), {});
        ASSERT_TRUE(program.waitForStarted(10000)) << program.errorString().toStdString();
    }

    // The main window once it is shown; "" when the program showed something else or ended first.
    QString mainWindow(QProcess& program)
    {
        QString found;
        sim::waitUntil(
            [&] {
                if (program.state() != QProcess::Running)
                    return true;
                const QStringList w =
                    shownWindows(program.processId(), QStringLiteral("station configuration"));
                if (!w.isEmpty())
                    found = w.first();
                return !found.isEmpty();
            },
            30000);
        return found;
    }

    bool ends(QProcess& program)
    {
        return sim::waitUntil([&] { return program.state() == QProcess::NotRunning; }, 15000);
    }

    QTemporaryDir data;
    QString settingsFile;
    sim::SimOnPort sim{1};
};

} // namespace

TEST_F(ProgramEnd, ExitFromTheMenuEndsTheProcessAndTheNextStartWorks)
{
    QProcess first;
    start(first);
    const QString window = mainWindow(first);
    ASSERT_FALSE(window.isEmpty()) << "no main window; the program "
                                   << (first.state() == QProcess::Running ? "runs" : "ended");
    QFile::remove(settingsFile);
    pressKeys(window, QStringLiteral("alt+x"));
    const bool ended = ends(first);
    if (!ended) {
        first.kill();
        first.waitForFinished(5000);
    }
    ASSERT_TRUE(ended) << "Exit left the process running";
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    // The settings were saved on the way out.
    EXPECT_TRUE(QFile::exists(settingsFile));

    // The next start is not refused as a second instance: its main window comes up, and it too ends on Exit.
    QProcess second;
    start(second);
    const QString again = mainWindow(second);
    EXPECT_FALSE(again.isEmpty()) << "the next start showed no main window";
    if (!again.isEmpty())
        pressKeys(again, QStringLiteral("alt+x"));
    const bool secondEnded = ends(second);
    if (!secondEnded) {
        second.kill();
        second.waitForFinished(5000);
    }
    EXPECT_TRUE(secondEnded);
    EXPECT_EQ(second.exitCode(), 0);
}
