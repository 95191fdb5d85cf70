// The single-instance lock: an advisory lock on the data folder itself.
#include "platform/system/instance.h"

#include "platform/system/paths.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <unistd.h>

namespace qv {

InstanceLock::InstanceLock(QString folder) : m_folder(std::move(folder)) {}

InstanceLock::~InstanceLock()
{
    release();
}

bool InstanceLock::tryAcquire()
{
    if (m_fd >= 0)
        return true;
    m_heldByOther = false;
    // A folder opens for reading also when nobody may write in it; the lock is on the open folder, so every
    // instance locks the same thing whatever it may do there.
    const int fd = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_heldByOther = errno == EWOULDBLOCK;
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

bool InstanceLock::isHeld() const
{
    return m_fd >= 0;
}

bool InstanceLock::heldByOther() const
{
    return m_heldByOther;
}

void InstanceLock::release()
{
    if (m_fd < 0)
        return;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

QString instanceLockFolder()
{
    QString folder = dataFolder();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = localAppDataFolder();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    return folder;
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
        state.lock = std::make_unique<InstanceLock>(instanceLockFolder());
        state.other = !state.lock->tryAcquire() && state.lock->heldByOther();
    }
    return state.other;
}

void resetPrevInstance()
{
    programLock() = ProgramLock{};
}

} // namespace qv
