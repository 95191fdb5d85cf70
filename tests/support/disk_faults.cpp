// A file system that fails as a full or a read-only one does: real write failures from the system, no
// privileges needed.
#include "support/disk_faults.h"

#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace qv::test {

namespace {

// The user that owns nothing in a test's folders.
constexpr uid_t kNobody = 65534;

} // namespace

DiskFull::DiskFull(int64_t bytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_previous = limit.rlim_cur;
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

DiskFull::~DiskFull()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_previous);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_previousHandler);
}

AsOrdinaryUser::AsOrdinaryUser()
{
    // Real and effective user both change (the permission checks of some calls use the real one); the saved
    // user stays root, so the destructor can switch back.
    if (geteuid() == 0)
        m_switched = setresuid(kNobody, kNobody, static_cast<uid_t>(-1)) == 0;
}

AsOrdinaryUser::~AsOrdinaryUser()
{
    if (m_switched && setresuid(0, 0, static_cast<uid_t>(-1)) != 0)
        std::abort(); // the rest of the run would test as the wrong user
}

void openForEveryone(const QString& path)
{
    const bool folder = QFileInfo(path).isDir();
    QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                           QFile::ReadOther | QFile::WriteOther;
    if (folder)
        p |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    QFile::setPermissions(path, p);
}

void makeReadOnly(const QString& path)
{
    const bool folder = QFileInfo(path).isDir();
    QFile::Permissions p = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    if (folder)
        p |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    QFile::setPermissions(path, p);
}

} // namespace qv::test
