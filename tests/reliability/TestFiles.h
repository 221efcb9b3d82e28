#pragma once

// Files for the hostile cases on disk, and proof that opening them changed none of them.
#include "HostileFiles.h"

#include <cstdint>
#include <ctime>
#include <string>

namespace pagora::reliability {

// A fresh folder that every user may enter and read (the unreadable case is opened by an
// unprivileged user), removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Writes text to the named file, readable by all; gives its path.
    std::string Write(const std::string& name, const std::string& text) const;

private:
    std::string path_;
};

// Puts what the case needs at a path in the folder: a file, a folder, nothing, or a file that
// only its owner may read.
std::string Place(const HostileCase& c, const TempFolder& folder);

// What is at a path: kind, size, content digest, modification time and mode.
struct FileSnapshot {
    bool exists = false;
    bool directory = false;
    std::uint64_t size = 0;
    std::uint64_t digest = 0; // FNV-1a of the content of a regular file
    std::timespec modified{};
    std::uint32_t mode = 0;

    friend bool operator==(const FileSnapshot& a, const FileSnapshot& b) {
        return a.exists == b.exists && a.directory == b.directory && a.size == b.size &&
               a.digest == b.digest && a.modified.tv_sec == b.modified.tv_sec &&
               a.modified.tv_nsec == b.modified.tv_nsec && a.mode == b.mode;
    }
};

FileSnapshot Snapshot(const std::string& path);

// True when the process may read files whatever their permissions say (root).
bool IgnoresPermissions();

// The command prefix that runs a program as "nobody" ("setpriv ... "), or empty when
// setpriv is missing. Only needed when IgnoresPermissions().
std::string AsNobodyPrefix();

// A copy of a program or file in the folder, which nobody may run and read wherever the
// original lies.
std::string CopyForNobody(const std::string& program, const TempFolder& folder);

// A new folder in the folder, owned by nobody.
std::string FolderForNobody(const TempFolder& folder, const std::string& name);

// Runs a shell command; gives its standard output and its exit status.
struct CommandResult {
    std::string output;
    int status = -1;
};
CommandResult RunCommand(const std::string& command);

// Quotes a word for the shell.
std::string ShellQuoted(const std::string& word);

} // namespace pagora::reliability
