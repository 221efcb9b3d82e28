// Reading Intel HEX text into the line store.
#include "Errors.h"
#include "HexToInt.h"
#include "THexContainer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace pagora {

namespace {

std::function<void(bool)>& BusyHook() {
    static std::function<void(bool)> hook;
    return hook;
}

// Shows the busy state for as long as the outermost scope lives.
class BusyScope {
public:
    BusyScope() {
        if (depth_++ == 0 && BusyHook()) {
            BusyHook()(true);
        }
    }
    ~BusyScope() {
        if (--depth_ == 0 && BusyHook()) {
            BusyHook()(false);
        }
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    static inline int depth_ = 0;
};

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The characters of a field; a field that reaches past the end of the line holds only what
// is there.
std::string_view Field(std::string_view line, std::size_t pos, std::size_t len) {
    if (pos >= line.size()) {
        return {};
    }
    return line.substr(pos, len);
}

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

std::string ReadWholeFile(const std::string& fileName) {
    std::error_code ignored;
    if (std::filesystem::is_directory(fileName, ignored)) {
        throw EFileError("Datei \"" + fileName + "\" kann nicht geöffnet werden. " +
                         ErrnoText(EISDIR));
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) {
        throw EFileError("Datei \"" + fileName + "\" kann nicht geöffnet werden. " +
                         ErrnoText(errno));
    }
    std::string content;
    char buffer[1 << 16];
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        if (size > 0) {
            content.reserve(static_cast<std::size_t>(size));
        }
        std::rewind(file.get());
    }
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
        content.append(buffer, n);
        if (n < sizeof buffer) {
            break;
        }
    }
    if (std::ferror(file.get()) != 0) {
        throw EFileError("Fehler beim Lesen der Datei \"" + fileName + "\". " + ErrnoText(errno));
    }
    return content;
}

// Each character's value as a hexadecimal digit; 0x100 for any other character, so that a
// pair with a non-digit reads above 0xFF.
constexpr std::array<std::uint16_t, 256> kDigitValues = [] {
    std::array<std::uint16_t, 256> values{};
    for (int c = 0; c < 256; ++c) {
        const int digit = HexDigitValue(static_cast<char>(c));
        values[static_cast<std::size_t>(c)] = digit < 0 ? 0x100 : static_cast<std::uint16_t>(digit);
    }
    return values;
}();

// The byte written as the two hexadecimal digits at p; above 0xFF when either is no digit.
unsigned HexPair(const char* p) {
    return (kDigitValues[static_cast<unsigned char>(p[0])] << 4) |
           kDigitValues[static_cast<unsigned char>(p[1])];
}

bool IsLineBreak(char c) {
    return c == '\n' || c == '\r';
}

// The high bit of each byte of v that is zero (and maybe of bytes above one that is): the
// result is not 0 exactly when some byte is.
constexpr std::uint64_t ZeroBytes(std::uint64_t v) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    return (v - kOnes) & ~v & kHighBits;
}

// Whether an LF or a CR stands in text, tested eight characters at a time.
bool HasLineBreak(std::string_view text) {
    constexpr std::uint64_t kLfs = 0x0A0A0A0A0A0A0A0A;
    constexpr std::uint64_t kCrs = 0x0D0D0D0D0D0D0D0D;
    std::uint64_t found = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, sizeof word);
        found |= ZeroBytes(word ^ kLfs) | ZeroBytes(word ^ kCrs);
    }
    for (; i < text.size(); ++i) {
        found |= IsLineBreak(text[i]) ? 1 : 0;
    }
    return found != 0;
}

// Where the line after the one that ends at end begins: past an LF, a CR LF or a lone CR.
std::size_t NextLineStart(std::string_view text, std::size_t end) {
    if (end >= text.size()) {
        return text.size();
    }
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
        return end + 2;
    }
    return end + 1;
}

} // namespace

// Lays the records of one file onto a freshly prefilled store.
class HexReader {
public:
    explicit HexReader(THexContainer& store) : store_(store) {}

    void Read(std::string_view text) {
        // Editors on some systems put a UTF-8 byte-order mark before the first record; it is
        // not part of that record's line.
        if (text.starts_with(kUtf8ByteOrderMark)) {
            text.remove_prefix(kUtf8ByteOrderMark.size());
        }
        std::size_t pos = 0;
        std::size_t nextLf = 0; // position of the next LF at or after pos, or npos
        bool lfKnown = false;
        while (pos < text.size()) {
            if (const std::size_t next = DataRecord(text, pos); next != 0) {
                pos = next;
                continue;
            }
            if (!lfKnown || (nextLf != std::string_view::npos && nextLf < pos)) {
                const void* lf = std::memchr(text.data() + pos, '\n', text.size() - pos);
                nextLf = lf ? static_cast<const char*>(lf) - text.data() : std::string_view::npos;
                lfKnown = true;
            }
            const std::size_t limit = nextLf == std::string_view::npos ? text.size() : nextLf;
            const void* cr = std::memchr(text.data() + pos, '\r', limit - pos);
            std::size_t end = limit;
            std::size_t next = limit + 1;
            if (cr != nullptr) {
                end = static_cast<const char*>(cr) - text.data();
                next = (end + 1 == nextLf) ? nextLf + 1 : end + 1; // CR LF or CR alone
            }
            if (!Record(text.substr(pos, end - pos))) {
                break; // end-of-file record
            }
            pos = next;
        }
        // Cut back after the last line with data; what remains belongs to the image.
        store_.Truncate(lines_);
        for (std::size_t i = 0; i < lines_; ++i) {
            store_.lines_[i].SetUsed(true);
        }
    }

private:
    // Most lines are whole data records: a colon, eight hexadecimal digits of type 00 and all
    // the data the byte count asks for before the line ends. Such a line is laid here at
    // once, without first looking for its end; returns where the next line starts. Returns 0
    // for every other line, which Record then reads.
    std::size_t DataRecord(std::string_view text, std::size_t pos) {
        const std::string_view rest = text.substr(pos);
        if (rest.size() < 9 || rest[0] != ':') {
            return 0;
        }
        const char* p = rest.data();
        const unsigned count = HexPair(p + 1);
        const unsigned addressHigh = HexPair(p + 3);
        const unsigned addressLow = HexPair(p + 5);
        const unsigned type = HexPair(p + 7);
        if ((count | addressHigh | addressLow | type) > 0xFF || type != 0x00) {
            return 0;
        }
        const unsigned address = (addressHigh << 8) | addressLow;
        const std::size_t dataEnd = 9 + 2 * std::size_t{count};
        if (dataEnd > rest.size() || HasLineBreak(rest.substr(9, dataEnd - 9))) {
            return 0; // the line ends within its data
        }
        Lay(address + base_, static_cast<int>(address % 16), static_cast<int>(count),
            rest.substr(9, dataEnd - 9));
        // The checksum and anything after it up to the line's end are not read.
        std::size_t end = pos + dataEnd;
        while (end < text.size() && !IsLineBreak(text[end])) {
            ++end;
        }
        return NextLineStart(text, end);
    }

    // Handles one line of the file; false after an end-of-file record.
    bool Record(std::string_view line) {
        if (line.empty() || line[0] != ':') {
            return true;
        }
        const std::int32_t type = HexToInt(Field(line, 7, 2));
        switch (type) {
        case 0x00: {
            const std::int32_t count = HexToInt(Field(line, 1, 2));
            const std::int32_t address = HexToInt(Field(line, 3, 4));
            const std::string_view data = Field(line, 9, 2 * static_cast<std::size_t>(count));
            Lay(static_cast<std::uint32_t>(address) + base_, address % 16, count, data);
            return true;
        }
        case 0x01:
            return false;
        case 0x02:
        case 0x04: {
            const std::int32_t count = HexToInt(Field(line, 1, 2));
            const auto value = static_cast<std::uint32_t>(
                HexToInt(Field(line, 9, 2 * static_cast<std::size_t>(count))));
            base_ = type == 0x02 ? value * 16u : value << 16;
            return true;
        }
        default:
            return true; // 03, 05 and the rest carry nothing for the image
        }
    }

    // Puts a data record's bytes at their own offsets: a record that reaches past its line
    // carries on into the lines after it, and bytes the line held stay counted.
    void Lay(std::uint32_t address, int offset, int count, std::string_view data) {
        std::size_t index = store_.FindLineIndex(address);
        THexLine* line = &store_.lines_[index];
        int held = line->DataLength() / 2;
        int written = line->WriteData(2 * offset, data);
        data.remove_prefix(static_cast<std::size_t>(written));
        line->SetCount(std::max(held, data.empty() ? offset + count : 16));
        line->SetUsed(true);
        while (!data.empty()) {
            ++index;
            if (index >= store_.Count()) {
                throw EListError(kHexFileTooLarge);
            }
            line = &store_.lines_[index];
            held = line->DataLength() / 2;
            written = line->WriteData(0, data);
            data.remove_prefix(static_cast<std::size_t>(written));
            line->SetCount(std::max(held, written / 2));
            line->SetUsed(true);
        }
        lines_ = std::max(lines_, index + 1);
    }

    THexContainer& store_;
    std::uint32_t base_ = 0;
    std::size_t lines_ = 0; // lines up to and including the last that received data
};

void THexContainer::LoadFromHexText(std::string_view text) {
    BusyScope busy;
    THexContainer fresh;
    fresh.Prefill();
    HexReader(fresh).Read(text);
    swap(*this, fresh);
}

void THexContainer::LoadFromHexFile(const std::string& fileName) {
    BusyScope busy;
    const std::string content = ReadWholeFile(fileName);
    LoadFromHexText(content);
}

void SetReadBusyHook(std::function<void(bool busy)> hook) {
    BusyHook() = std::move(hook);
}

} // namespace pagora
