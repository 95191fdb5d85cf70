// The single-instance lock: tells a second running copy of the program that a first one is there.
#pragma once
#include <QString>

namespace qv {

// A lock on a folder that one process at a time holds. It takes no file and
// no write permission (a read-only folder locks as well as any), and it ends
// with its holder, so a holder that died never leaves it behind.
class InstanceLock
{
  public:
    explicit InstanceLock(QString folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock when nobody holds it; true when this object holds it.
    bool tryAcquire();
    bool isHeld() const;
    // After a failed tryAcquire: true when another holder has the lock (false
    // when the folder could not be locked at all, e.g. it does not exist).
    bool heldByOther() const;
    void release();
    const QString& folder() const { return m_folder; }

  private:
    QString m_folder;
    int m_fd = -1;
    bool m_heldByOther = false;
};

// The folder whose lock marks the running user's program: the data folder
// when it exists (also when it is read-only), else the local application-data
// folder.
QString instanceLockFolder();

// True when another instance of the program is running. The first call takes
// the lock for this process, which keeps it until it ends; later calls give
// the same answer. A lock that cannot be taken at all (no folder) counts as no
// other instance, so the program still runs and saves.
bool PrevInstance();
// Releases the lock PrevInstance took; the next PrevInstance asks anew. For
// tests, which must not leave a lock behind.
void resetPrevInstance();

} // namespace qv
