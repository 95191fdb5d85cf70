// A main window started for a test: a temporary home, the shipped files beside the program, no network.
#pragma once
#include "app/ini_access.h"
#include "app/language.h"
#include "app/settings.h"
#include "extras/update_check.h"
#include "link/link_globals.h"
#include "platform/comm/comm_ports.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/dates.h"
#include "platform/system/http.h"
#include "platform/system/instance.h"
#include "platform/system/paths.h"
#include "support/test_support.h"
#include "ui/dialogs/frm_settings.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"
#include "ui/main/program_state.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace qv::test {

// The day the tests' clock shows.
inline const QDate kTestToday(2026, 12, 9);

// Copies the files shipped beside the program into a folder of its own, so a test may remove some.
inline void copyShippedFiles(const QString& to)
{
    const QDir from(resourcesDir());
    for (const QString& name : from.entryList(QDir::Files))
        QFile::copy(from.filePath(name), QDir(to).filePath(name));
}

// The data folder under a home folder.
inline QString dataFolderUnder(const QString& home)
{
    return home + QStringLiteral("/Quarvelink/QV-Config");
}

class MainWindowTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        ASSERT_TRUE(m_program.isValid());
        copyShippedFiles(m_program.path());
        m_paths = std::make_unique<ScopedPathOverride>(m_home.path(), m_program.path());
        m_clock.set(kTestToday, QTime(10, 0));
        m_scopedClock = std::make_unique<ScopedClock>(m_clock);
        internetConnectedOverride = false;
        // No serial device: the remembered port cannot open and the start-up offers the port dialog.
        setSerialPortInventoryForTest(QList<SerialPortEntry>{});
        DialogHooks::reset();
        resetPrevInstance();
        resetWindowState();
    }

    // What one run of the program starts with and an earlier test may have changed.
    static void resetWindowState()
    {
        resetProgramState();
        gProgramStartup = true;
        gCommandLine = QString(); // not the test program's own arguments
        Screen.unpinSize();
        Screen.pinSize(1280 * 15, 1024 * 15);
    }

    void TearDown() override
    {
        closeWindow();
        Form::clearModalAnswers();
        setSerialPortInventoryForTest(std::nullopt);
        resetPrevInstance();
        internetConnectedOverride.reset();
        gUpdateHost.clear();
        gInternetOnline = false;
        gCommandLine.reset();
        gProgramStartup = false;
        m_scopedClock.reset();
        m_paths.reset();
    }

    // Starts the program's main window (its load runs the start-up). The port test finds no port;
    // the port dialog it opens is cancelled.
    FrmMain& startWindow()
    {
        Form::clearModalAnswers();
        Form::queueModalAnswer([](Form& dialog) {
            if (auto* settings = dynamic_cast<FrmSettings*>(&dialog))
                settings->cmdCancel_Click();
        });
        return frmMain();
    }

    // Unloads the main window as the user's exit does, and lets the window go.
    void closeWindow()
    {
        if (FormInstance<FrmMain>::loaded())
            Unload(frmMain());
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString dataFolder() const { return dataFolderUnder(m_home.path()); }
    QString iniPath() const { return dataFolder() + QStringLiteral("/QV-Config.INI"); }
    QString programFolderPath() const { return m_program.path(); }

    // Writes a settings file before the start.
    void writeSettings(const QString& text)
    {
        QDir().mkpath(dataFolder());
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toLatin1());
    }

    QString readSettings() const
    {
        QFile f(iniPath());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(f.readAll());
    }

    QTemporaryDir m_home;
    QTemporaryDir m_program;
    FakeClock m_clock;

  private:
    std::unique_ptr<ScopedPathOverride> m_paths;
    std::unique_ptr<ScopedClock> m_scopedClock;
};

} // namespace qv::test
