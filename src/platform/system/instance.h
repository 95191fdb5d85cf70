// The single-instance lock: tells a second running copy of the program that a first one is there.
#pragma once
#include <QString>
#include <memory>

class QLockFile;

namespace qv {

// A lock file that one process at a time holds. A holder that dies leaves a
// stale file, which the next holder takes over.
class InstanceLock
{
  public:
    explicit InstanceLock(QString path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock when nobody holds it; true when this object holds it.
    bool tryAcquire();
    bool isHeld() const;
    // After a failed tryAcquire: true when another live process holds the lock
    // (false when the lock file could not be made at all).
    bool heldByOther() const;
    void release();
    const QString& path() const { return m_path; }

  private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};

// The lock file of the running user's program: in the data folder when it
// exists, else in the local application-data folder.
QString instanceLockPath();

// True when another instance of the program is running. The first call takes
// the lock for this process, which keeps it until it ends; later calls give
// the same answer. A lock that cannot be made at all (no writable folder)
// counts as no other instance, so the program still runs and saves.
bool PrevInstance();
// Releases the lock PrevInstance took; the next PrevInstance asks anew. For
// tests, which must not leave a lock behind in a temporary folder.
void resetPrevInstance();

} // namespace qv
