#include "TestFiles.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pagora::reliability {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "pagora-reliability-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a folder from " + pattern);
    }
    path_ = pattern;
    fs::permissions(path_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempFolder::Write(const std::string& name, const std::string& text) const {
    const std::string path = File(name);
    std::ofstream out(path, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    return path;
}

std::string Place(const HostileCase& c, const TempFolder& folder) {
    const std::string name = c.name + ".hex";
    switch (c.kind) {
    case Kind::File:
        return folder.Write(name, c.content());
    case Kind::Directory:
        fs::create_directory(folder.File(name));
        return folder.File(name);
    case Kind::Missing:
        return folder.File(name);
    case Kind::Unreadable: {
        const std::string path = folder.Write(name, c.content());
        fs::permissions(path, fs::perms::owner_write);
        return path;
    }
    }
    return {};
}

FileSnapshot Snapshot(const std::string& path) {
    FileSnapshot shot;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return shot;
    }
    shot.exists = true;
    shot.directory = S_ISDIR(info.st_mode);
    shot.size = static_cast<std::uint64_t>(info.st_size);
    shot.modified = info.st_mtim;
    shot.mode = info.st_mode;
    if (S_ISREG(info.st_mode)) {
        // FNV-1a over 8-byte words, the tail zero-padded: quick enough for 50 MiB.
        std::uint64_t hash = 14695981039346656037ull;
        std::ifstream in(path, std::ios::binary);
        std::array<std::uint64_t, 8192> words{};
        auto* bytes = reinterpret_cast<char*>(words.data());
        const auto capacity = static_cast<std::streamsize>(sizeof words);
        while (in.read(bytes, capacity) || in.gcount() > 0) {
            const auto n = static_cast<std::size_t>(in.gcount());
            std::fill(bytes + n, bytes + (n + 7) / 8 * 8, '\0');
            for (std::size_t i = 0; i < (n + 7) / 8; ++i) {
                hash = (hash ^ words[i]) * 1099511628211ull;
            }
        }
        shot.digest = hash;
    }
    return shot;
}

bool IgnoresPermissions() {
    return geteuid() == 0;
}

std::string AsNobodyPrefix() {
    for (const char* dir : {"/usr/bin", "/bin", "/usr/sbin", "/sbin"}) {
        const std::string setpriv = std::string(dir) + "/setpriv";
        if (access(setpriv.c_str(), X_OK) == 0) {
            return setpriv + " --reuid=nobody --regid=nogroup --clear-groups ";
        }
    }
    return {};
}

std::string CopyForNobody(const std::string& program, const TempFolder& folder) {
    const std::string copy = folder.File(fs::path(program).filename().string());
    fs::copy_file(program, copy, fs::copy_options::overwrite_existing);
    fs::permissions(copy, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    return copy;
}

std::string FolderForNobody(const TempFolder& folder, const std::string& name) {
    const std::string path = folder.File(name);
    fs::create_directory(path);
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr || chown(path.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
        throw std::runtime_error("cannot hand " + path + " to nobody");
    }
    return path;
}

CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.output.append(buffer.data(), n);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string ShellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace pagora::reliability
