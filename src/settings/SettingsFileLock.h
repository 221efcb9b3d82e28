#pragma once

#include <QString>

namespace pagora {

// Holds an exclusive lock on a lock file next to the settings file for as long as it
// lives; instances waiting for it are woken by the kernel when it is released, so one
// instance writing often cannot keep another out for long. The kernel also drops the lock
// of an instance that dies, so no stale lock is ever left behind. The lock file itself
// stays.
class SettingsFileLock {
public:
    explicit SettingsFileLock(const QString& lockFilePath);
    ~SettingsFileLock();
    SettingsFileLock(const SettingsFileLock&) = delete;
    SettingsFileLock& operator=(const SettingsFileLock&) = delete;

    // False when the lock file cannot be created or opened for writing, or not be locked.
    bool Locked() const { return locked_; }

private:
    int fd_ = -1;
    bool locked_ = false;
};

} // namespace pagora
