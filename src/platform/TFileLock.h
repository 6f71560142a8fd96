#pragma once
#include <QString>

// An advisory lock on an existing regular file for one read-modify-write: every writer
// that takes it waits for the others, so none undoes another's change. Files are replaced
// by renames, so the lock is held on the file that has the name once it is taken. The wait
// is bounded; a lock not taken in time is simply not held.
class TFileLock
{
public:
    static constexpr int DefaultWaitMs = 5000;

    // waitMs < 0 waits the default time.
    explicit TFileLock(const QString& path, int waitMs = -1);
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

    bool IsLocked() const { return m_fd >= 0; }

    // Test seam: the default wait (a value < 0 restores DefaultWaitMs).
    static void SetDefaultWait(int waitMs);

private:
    int m_fd = -1;
};
