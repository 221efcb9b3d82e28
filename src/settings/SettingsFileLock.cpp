#include "settings/SettingsFileLock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace pagora {

SettingsFileLock::SettingsFileLock(const QString& lockFilePath) {
    const QByteArray path = QFile::encodeName(lockFilePath);
    do {
        fd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0)
        return;
    int result;
    do {
        result = ::flock(fd_, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    locked_ = result == 0;
}

SettingsFileLock::~SettingsFileLock() {
    // Closing the descriptor releases the lock.
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace pagora
