// A file system that fails as a full or a read-only one does: real write failures from the system, no
// privileges needed.
#pragma once
#include <QString>
#include <cstdint>

namespace qv::test {

// While it lives, no file of this process grows beyond `bytes`: a write past that size fails with the
// system's own error (EFBIG), as a disk that has only that much room left would. The signal such a write
// raises is ignored for that time. Restores the limit and the signal afterwards.
class DiskFull
{
  public:
    explicit DiskFull(int64_t bytes);
    ~DiskFull();
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;

  private:
    uint64_t m_previous = 0;
    void (*m_previousHandler)(int) = nullptr;
};

// While it lives, the process's file accesses are checked as an ordinary user's: a file or folder without
// write permission cannot be written. A test run as root (who may write anything) acts as the user
// "nobody" for that time; everything it touches must be reachable by that user (see openForEveryone).
class AsOrdinaryUser
{
  public:
    AsOrdinaryUser();
    ~AsOrdinaryUser();
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

  private:
    bool m_switched = false;
};

// Gives a folder or file read and write permission for every user (folders also search permission).
void openForEveryone(const QString& path);
// Takes write permission away from a file or folder for every user.
void makeReadOnly(const QString& path);

} // namespace qv::test
