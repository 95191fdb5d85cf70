// The single-instance lock over QLockFile.
#include "platform/system/instance.h"

#include "platform/system/paths.h"

#include <QDir>
#include <QLockFile>

namespace qv {

InstanceLock::InstanceLock(QString path) : m_path(std::move(path)) {}

InstanceLock::~InstanceLock()
{
    release();
}

bool InstanceLock::tryAcquire()
{
    if (m_held)
        return true;
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(m_path);
        // Only a holder that no longer runs makes the lock stale, never its age:
        // the program may run for days.
        m_lock->setStaleLockTime(0);
    }
    m_held = m_lock->tryLock(0);
    return m_held;
}

bool InstanceLock::isHeld() const
{
    return m_held;
}

bool InstanceLock::heldByOther() const
{
    return !m_held && m_lock && m_lock->error() == QLockFile::LockFailedError;
}

void InstanceLock::release()
{
    if (m_lock && m_held)
        m_lock->unlock();
    m_held = false;
}

QString instanceLockPath()
{
    QString folder = dataFolder();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = localAppDataFolder();
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + QLatin1String(kDataFolderTitle) + QStringLiteral(".lock");
}

namespace {

struct ProgramLock
{
    std::unique_ptr<InstanceLock> lock;
    bool other = false;
};

ProgramLock& programLock()
{
    static ProgramLock state;
    return state;
}

} // namespace

bool PrevInstance()
{
    ProgramLock& state = programLock();
    if (!state.lock) {
        state.lock = std::make_unique<InstanceLock>(instanceLockPath());
        state.other = !state.lock->tryAcquire() && state.lock->heldByOther();
    }
    return state.other;
}

void resetPrevInstance()
{
    programLock() = ProgramLock{};
}

} // namespace qv
