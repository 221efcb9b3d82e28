#include "TFileWatch.h"

#include <QFileInfo>

namespace pagora {

TFileWatch::TFileWatch(QObject* parent) : QObject(parent) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuietMilliseconds);
    connect(&quiet_, &QTimer::timeout, this, [this] { Q_EMIT Settled(); });
    // A rewrite in place shows on the file; a file renamed over it, removed or put back shows
    // on its folder (the watch on a replaced file ends with the old file).
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { Look(true); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { Look(false); });
}

TFileWatch::Stamp TFileWatch::StampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return {};
    }
    return {true, info.size(), info.lastModified(), info.metadataChangeTime()};
}

void TFileWatch::Watch(const QString& path) {
    quiet_.stop();
    if (!watcher_.files().isEmpty()) {
        watcher_.removePaths(watcher_.files());
    }
    if (!watcher_.directories().isEmpty()) {
        watcher_.removePaths(watcher_.directories());
    }
    path_ = path;
    seen_ = {};
    if (path_.isEmpty()) {
        return;
    }
    seen_ = StampOf(path_);
    watcher_.addPath(QFileInfo(path_).absolutePath());
    if (seen_.exists) {
        watcher_.addPath(path_);
    }
}

void TFileWatch::Look(bool fileItself) {
    if (path_.isEmpty()) {
        return;
    }
    const Stamp now = StampOf(path_);
    // A file replaced by a rename, or back after it was gone, is watched anew.
    if (now.exists && !watcher_.files().contains(path_)) {
        watcher_.addPath(path_);
    }
    // Two writes within one tick of the file system's clock leave the same times and maybe the
    // same size: a change the file itself reports always counts. In the folder, only a change
    // of this file's stamp counts (another file changed there).
    if (!fileItself && now == seen_) {
        return;
    }
    seen_ = now;
    Q_EMIT Changed();
    if (now.exists) {
        quiet_.start(); // a change restarts the quiet time
    } else {
        quiet_.stop(); // gone: the shown image stays until the file is back
    }
}

} // namespace pagora
