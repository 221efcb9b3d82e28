// Opening an Intel HEX text or file into the line store: the reader fills a fresh store, which
// takes the place of the old one only when the whole read succeeded.
#include "Errors.h"
#include "HexReader.h"
#include "THexContainer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace pagora {

namespace {

std::string ErrnoText(int error) {
    switch (error) {
    case ENOENT:
        return "Das System kann die angegebene Datei nicht finden";
    case EACCES:
    case EPERM:
        return "Zugriff verweigert";
    case EISDIR:
        return "Die Datei ist ein Verzeichnis";
    default:
        return std::strerror(error);
    }
}

std::string CannotOpen(const std::string& fileName, int error) {
    return "Datei \"" + fileName + "\" kann nicht geöffnet werden. " + ErrnoText(error);
}

} // namespace

void THexContainer::LoadFromHexText(std::string_view text, ReadPath path) {
    THexContainer fresh;
    fresh.Prefill();
    HexReader reader(fresh, path);
    reader.Feed(text, true);
    reader.Finish();
    swap(*this, fresh);
}

void THexContainer::LoadFromHexPieces(const std::function<std::size_t(char*, std::size_t)>& read,
                                      std::size_t pieceSize, ReadPath path) {
    std::vector<char> buffer(std::max<std::size_t>(pieceSize, 1));
    THexContainer fresh;
    fresh.Prefill();
    HexReader reader(fresh, path);
    std::size_t filled = 0; // characters in the buffer, from its start
    for (;;) {
        bool last = false;
        while (filled < buffer.size()) {
            const std::size_t n = read(buffer.data() + filled, buffer.size() - filled);
            if (n == 0) {
                last = true;
                break;
            }
            filled += n;
        }
        const std::size_t taken = reader.Feed({buffer.data(), filled}, last);
        if (last || reader.Ended()) {
            break;
        }
        std::memmove(buffer.data(), buffer.data() + taken, filled - taken);
        filled -= taken;
        if (filled == buffer.size()) { // a line longer than the buffer
            buffer.resize(2 * buffer.size());
        }
    }
    reader.Finish();
    swap(*this, fresh);
}

void THexContainer::LoadFromHexFile(const std::string& fileName, ReadPath path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(fileName, ignored)) {
        throw EFileError(CannotOpen(fileName, EISDIR));
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        throw EFileError(CannotOpen(fileName, errno));
    }
    // Read a block at a time: the text is never held whole, and nothing after the end-of-file
    // record is read.
    const auto read = [&](char* buffer, std::size_t size) {
        const std::size_t n = std::fread(buffer, 1, size, file.get());
        if (n == 0 && std::ferror(file.get()) != 0) {
            throw EFileError("Fehler beim Lesen der Datei \"" + fileName + "\". " +
                             ErrnoText(errno));
        }
        return n;
    };
    LoadFromHexPieces(read, kPieceSize, path);
}

} // namespace pagora
