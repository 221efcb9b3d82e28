// Reading Intel HEX text into the line store.
#include "HexReader.h"

#include "Errors.h"
#include "HexToInt.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace pagora {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The characters of a field; a field that reaches past the end of the line holds only what
// is there.
std::string_view Field(std::string_view line, std::size_t pos, std::size_t len) {
    if (pos >= line.size()) {
        return {};
    }
    return line.substr(pos, len);
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

// Whether text may hold an LF or a CR: whether any of its characters lies below 0x0E, tested
// eight at a time. Data characters are hexadecimal digits, far above that; a record with a
// tab or a NUL in its data is left to the general path.
bool MayHoldLineBreak(std::string_view text) {
    constexpr std::uint64_t kBelow = 0x0E0E0E0E0E0E0E0E;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    std::uint64_t found = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, sizeof word);
        // The high bit of a byte below 0x0E (and maybe of bytes above one that is): not 0
        // exactly when there is such a byte.
        found |= (word - kBelow) & ~word & kHighBits;
    }
    for (; i < text.size(); ++i) {
        found |= static_cast<unsigned char>(text[i]) < 0x0E ? 1 : 0;
    }
    return found != 0;
}

// Whether the line that ends at end (at a line break, or at the end of text) is whole: its
// break lies in text and, for a CR, so does the character after it, which may be the LF of a
// CR LF. Everything is whole in the last piece of a file.
bool WholeLine(std::string_view text, std::size_t end, bool last) {
    return last || (end < text.size() && !(text[end] == '\r' && end + 1 == text.size()));
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

// Nearly every line of an image is one pattern: a record of 16 bytes at a line's first address
// (":10aaa000"), 32 data characters, a checksum and an LF or a CR LF. Such a line is recognised
// and laid with a few tests and one store of the whole line. Returns the line's length with its
// break, or 0 for every other line, which Record then reads.
std::size_t HexReader::WholeLineRecord(const char* p, std::size_t left) {
    constexpr std::size_t kLf = 43; // where the line break of such a line stands
    if (left < kLf + 1 || p[0] != ':' || p[1] != '1' || p[2] != '0' || p[6] != '0' || p[7] != '0' ||
        p[8] != '0') {
        return 0;
    }
    std::size_t length = 0;
    if (p[kLf] == '\n') {
        length = kLf + 1;
    } else if (p[kLf] == '\r' && left > kLf + 1 && p[kLf + 1] == '\n') {
        length = kLf + 2;
    } else {
        return 0;
    }
    const unsigned addressHigh = HexPair(p + 3);
    const unsigned addressLow = HexPair(p + 5);
    // The data and the checksum: no line may end before the break found above.
    if ((addressHigh | addressLow) > 0xFF || MayHoldLineBreak({p + 9, kLf - 9})) {
        return 0;
    }
    LayWholeLine(((addressHigh << 8) | addressLow) + base_, p + 9);
    return length;
}

std::size_t HexReader::Feed(std::string_view text, bool last) {
    std::size_t pos = 0;
    if (!started_) {
        if (!last && text.size() < kUtf8ByteOrderMark.size() &&
            kUtf8ByteOrderMark.starts_with(text)) {
            return 0; // maybe the start of a byte-order mark: wait for the rest
        }
        started_ = true;
        // Editors on some systems put a UTF-8 byte-order mark before the first record; it is
        // not part of that record's line.
        if (text.starts_with(kUtf8ByteOrderMark)) {
            pos = kUtf8ByteOrderMark.size();
        }
    }
    std::size_t nextLf = 0; // position of the next LF at or after pos, or npos
    bool lfKnown = false;
    while (pos < text.size() && !ended_) {
        if (path_ == ReadPath::Fast) {
            if (const std::size_t length = WholeLineRecord(text.data() + pos, text.size() - pos);
                length != 0) {
                pos += length;
                continue;
            }
        }
        if (!lfKnown || (nextLf != std::string_view::npos && nextLf < pos)) {
            const void* lf = std::memchr(text.data() + pos, '\n', text.size() - pos);
            nextLf = lf ? static_cast<const char*>(lf) - text.data() : std::string_view::npos;
            lfKnown = true;
        }
        const std::size_t limit = nextLf == std::string_view::npos ? text.size() : nextLf;
        const void* cr = std::memchr(text.data() + pos, '\r', limit - pos);
        const std::size_t end = cr ? static_cast<const char*>(cr) - text.data() : limit;
        if (!WholeLine(text, end, last)) {
            break;
        }
        ended_ = !Record(text.substr(pos, end - pos));
        pos = NextLineStart(text, end);
    }
    return pos;
}

void HexReader::Finish() {
    store_.Truncate(lines_);
    for (std::size_t i = 0; i < lines_; ++i) {
        store_.lines_[i].SetUsed(true);
    }
}

// Handles one line of the file; false after an end-of-file record.
bool HexReader::Record(std::string_view line) {
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

// Lays a record of 16 bytes at a line's first address, chars its 32 data characters: the line
// is replaced whole, which is what Lay would make of it.
void HexReader::LayWholeLine(std::uint32_t address, const char* chars) {
    std::size_t index = address / 16;
    if (index >= store_.Count()) {
        index = store_.FindLineIndex(address); // raises the error
    }
    store_.lines_[index] = THexLine::Whole(chars);
    lines_ = std::max(lines_, index + 1);
}

// Puts a data record's bytes at their own offsets: a record that reaches past its line carries
// on into the lines after it, and bytes the line held stay counted.
void HexReader::Lay(std::uint32_t address, int offset, int count, std::string_view data) {
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

} // namespace pagora
