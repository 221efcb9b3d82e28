#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace pagora {

// Watches one opened file for a build that rewrites it: in place, or by writing another file
// and renaming it over the old one. Every change restarts a quiet time; once the file has been
// quiet that long, Settled() asks for a reload. A file that disappears is looked for again when
// something changes in its folder, and picked up when it is back.
class TFileWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMilliseconds = 300;

    explicit TFileWatch(QObject* parent = nullptr);

    // Watches this file from now on, as it is now; an empty path ends the watch.
    void Watch(const QString& path);
    QString Path() const { return path_; }
    // The time the file must stay unchanged before Settled() (tests shorten it).
    void SetQuietTime(int milliseconds) { quiet_.setInterval(milliseconds); }

Q_SIGNALS:
    // The file changed (or came back) and has not changed since: read it again.
    void Settled();
    // Something changed: every change, before the quiet time has passed.
    void Changed();

private:
    // What tells one state of the file from another; all zero for a missing file.
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        QDateTime changed; // the metadata's: a file renamed over this one has a new one
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(const QString& path);
    void Look(bool fileItself);

    QFileSystemWatcher watcher_;
    QTimer quiet_;
    QString path_;
    Stamp seen_;
};

} // namespace pagora
