// A settings file in a temporary data folder, with the program's state reset around each test.
#pragma once
#include "app/app_state.h"
#include "app/ini_access.h"
#include "app/settings.h"
#include "platform/runtime/clock.h"
#include "platform/system/paths.h"
#include "ui/main/program_state.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace qv::test {

class SettingsFile : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        ASSERT_TRUE(QDir(m_tmp.path()).mkpath(QStringLiteral("prog")));
        m_paths = std::make_unique<ScopedPathOverride>(m_tmp.path(), programDir());
        resetProgramState();
        gCommandLine = QString();
        gIniAccess.setIniFile(iniPath());
    }
    void TearDown() override { resetProgramState(); }

    QString iniPath() const { return m_tmp.filePath(QStringLiteral("QV-Config.INI")); }
    QString programDir() const { return m_tmp.filePath(QStringLiteral("prog")); }
    void set(const char* section, const char* key, const QString& value)
    {
        gIniAccess.WriteEntry(QString::fromLatin1(section), QString::fromLatin1(key), value);
        ASSERT_NE(gIniAccess.ReturnCode(), 0);
    }
    QString get(const char* section, const char* key)
    {
        return gIniAccess.ReadEntry(QString::fromLatin1(section), QString::fromLatin1(key),
                                    QStringLiteral("<none>"));
    }
    void touchProgramFile(const QString& name)
    {
        QFile f(QDir(programDir()).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QByteArray iniBytes() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_tmp;
    std::unique_ptr<ScopedPathOverride> m_paths;
    FakeClock m_clock{QDateTime(QDate(2026, 3, 10), QTime(9, 0))};
    ScopedClock m_useClock{m_clock};
};

} // namespace qv::test
