#include "HostileFiles.h"

#include <cstdint>
#include <random>
#include <sstream>
#include <stdexcept>

namespace pagora::reliability {

namespace {

const std::string k16 = "000102030405060708090A0B0C0D0E0F";
const std::string kLine0 = ":10000000" + k16 + "78"; // 16 bytes at 0000
const std::string kLine1 = ":10001000" + k16 + "68"; // 16 bytes at 0010
const std::string kLine2 = ":10002000" + k16 + "58"; // 16 bytes at 0020
const std::string kEof = ":00000001FF";
const std::string kBase3F = ":02000004003FBB"; // addresses from 0x3F0000 on
const std::string kBase40 = ":020000040040BA"; // addresses from 0x400000 on
const std::string kBom = "\xEF\xBB\xBF";
const std::string kTooLarge = "Das hex-File ist zu Groß für den gewählten Controller!";
const std::string kNoHex = "No Hex-Number";
constexpr std::size_t kMiB = 1024 * 1024;
constexpr std::size_t kLastLine = THexContainer::kPrefillLines - 1; // holds 0x400000..0x40000F

std::string Blanks(int bytes) {
    return std::string(static_cast<std::size_t>(2 * bytes), 'F');
}

// Lines 0 and 1 full, then an end record and a record after it that is never read, with the
// given line ends.
std::string TwoLines(const std::string& e1, const std::string& e2, const std::string& e3) {
    return kLine0 + e1 + kLine1 + e2 + kEof + e3 + kLine2 + e3;
}
const std::vector<ExpectedLine> kTwoLines = {{0, "10", k16}, {1, "10", k16}};

std::string RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 next(seed); // its sequence is fixed by the standard
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; i += 4) {
        const std::uint32_t word = next();
        for (std::size_t k = 0; k < 4 && i + k < size; ++k) {
            bytes[i + k] = static_cast<char>((word >> (8 * k)) & 0xFF);
        }
    }
    return bytes;
}

// 50 MiB of lines that are no records (comments, blank lines, a record behind a blank),
// then one record: the reader has to get through all of it.
std::string FiftyMiBOfOtherLines() {
    const std::string block = "; a comment line, as some tools write them above the records\r\n"
                              "\r\n"
                              " " +
                              kLine1 + "\r\n" + "\t\tindented text, no record mark\n";
    std::string text;
    text.reserve(50 * kMiB + block.size() + kLine0.size() + 2);
    while (text.size() < 50 * kMiB) {
        text += block;
    }
    text.resize(50 * kMiB - 2);
    text += "\r\n" + kLine0 + "\r\n";
    return text;
}

// One record of 255 bytes whose line goes on for 16 MiB, without any line end.
std::string SixteenMiBLine() {
    std::string text = ":FF000000";
    text.reserve(16 * kMiB);
    while (text.size() < 16 * kMiB) {
        text += "0123456789ABCDEF";
    }
    text.resize(16 * kMiB);
    return text;
}

std::vector<ExpectedLine> SixteenMiBLineImage() {
    const std::string full = "0123456789ABCDEF0123456789ABCDEF";
    std::vector<ExpectedLine> lines;
    for (std::size_t i = 0; i < 15; ++i) {
        lines.push_back({i, "10", full});
    }
    lines.push_back({15, "F", full.substr(0, 30)});
    return lines;
}

HostileCase Image(std::string name, std::string text, std::size_t lines,
                  std::vector<ExpectedLine> filled) {
    HostileCase c;
    c.name = std::move(name);
    c.content = [text = std::move(text)] { return text; };
    c.lines = lines;
    c.filled = std::move(filled);
    return c;
}

HostileCase Error(std::string name, std::string text, std::string message) {
    HostileCase c;
    c.name = std::move(name);
    c.content = [text = std::move(text)] { return text; };
    c.error = std::move(message);
    return c;
}

HostileCase Path(std::string name, Kind kind, std::string message) {
    HostileCase c;
    c.name = std::move(name);
    c.kind = kind;
    c.error = std::move(message);
    if (kind == Kind::Unreadable) {
        c.content = [] { return kLine0 + "\r\n" + kEof + "\r\n"; }; // a good image, if read
    }
    return c;
}

HostileCase Large(std::string name, std::function<std::string()> content, std::size_t lines,
                  std::vector<ExpectedLine> filled) {
    HostileCase c;
    c.name = std::move(name);
    c.content = std::move(content);
    c.lines = lines;
    c.filled = std::move(filled);
    c.large = true;
    return c;
}

std::vector<HostileCase> MakeCases() {
    using namespace std::string_literals;
    std::vector<HostileCase> cases = {
        Image("empty_file", "", 0, {}),
        Image("only_end_record", kEof + "\r\n", 0, {}),
        Image("no_records", "; no records here\r\n\r\n    " + kLine0 + "\r\nhello\r\n", 0, {}),
        Error("random_1MiB", RandomBytes(kMiB, 20240607), kNoHex),
        Image("nul_in_data", ":0400000041\0\0"s + "424300\r\n" + kEof, 1,
              {{0, "4", "41\0\0"s + "4243"}}),
        Error("nul_in_type", ":040000\0\0"s + "4142434400\r\n", kNoHex),
        Error("nul_in_address", ":0400\0\0"s + "004142434400\r\n", kNoHex),
        Image("nul_lines_between_records",
              kLine0 + "\r\n" + std::string(64, '\0') + "\r\n\0\r\n"s + kLine1 + "\r\n", 2,
              kTwoLines),
        // The mark at the very start of the file is skipped, so the first record is kept;
        // further on it is just a character that does not begin a record.
        Image("byte_order_mark", kBom + kLine0 + "\r\n" + kLine1 + "\r\n" + kEof + "\r\n", 2,
              kTwoLines),
        Image("byte_order_mark_alone", kBom, 0, {}),
        Image("byte_order_mark_later", kLine0 + "\r\n" + kBom + kLine1 + "\r\n", 1,
              {{0, "10", k16}}),
        Image("line_ends_cr_only", TwoLines("\r", "\r", "\r"), 2, kTwoLines),
        Image("line_ends_lf_only", TwoLines("\n", "\n", "\n"), 2, kTwoLines),
        Image("line_ends_mixed", TwoLines("\r\r\n", "\n\n\r", "\n\r"), 2, kTwoLines),
        Image("line_end_missing_at_end", kLine0 + "\r\n" + kLine1, 2, kTwoLines),
        // The data field takes what the line holds, the checksum's two characters included.
        Image("byte_count_beyond_line", ":FF0000000102CC\r\n", 1, {{0, "FF", "0102CC"}}),
        Image("record_without_data", ":10000000\r\n", 1, {{0, "10", ""}}),
        Image("record_cut_in_address", ":1000", 1, {{0, "10", ""}}),
        Error("segment_data_not_hex", ":020000021G00DD\r\n" + kLine0 + "\r\n", kNoHex),
        Error("linear_data_not_hex", ":02000004000G00\r\n" + kLine0 + "\r\n", kNoHex),
        Error("linear_data_nul", ":02000004\0\0\0\0"s + "F9\r\n" + kLine0 + "\r\n", kNoHex),
        Image("segment_data_empty", ":020000021000EC\r\n:00000002FE\r\n" + kLine0 + "\r\n", 1,
              {{0, "10", k16}}),
        Image("linear_data_empty", ":020000040001F9\r\n:00000004FC\r\n" + kLine0 + "\r\n", 1,
              {{0, "10", k16}}),
        Image("linear_data_cut_off", ":020000040001F9\r\n:02000004\r\n" + kLine0 + "\r\n", 1,
              {{0, "10", k16}}),
        Image("address_3FFFF0", kBase3F + "\r\n:10FFF000" + k16 + "00\r\n", kLastLine,
              {{kLastLine - 1, "10", k16}}),
        Image("address_3FFFFF", kBase3F + "\r\n:01FFFF0041C0\r\n", kLastLine,
              {{kLastLine - 1, "10", Blanks(15) + "41"}}),
        Image("address_400000", kBase40 + "\r\n:0100000041BE\r\n", kLastLine + 1,
              {{kLastLine, "1", "41"}}),
        Image("address_40000F", kBase40 + "\r\n:01000F0041AF\r\n", kLastLine + 1,
              {{kLastLine, "10", Blanks(15) + "41"}}),
        Error("address_400010", kBase40 + "\r\n:0100100041AE\r\n", kTooLarge),
        Image("record_across_3FFFFF", kBase3F + "\r\n:10FFF800" + k16 + "00\r\n", kLastLine + 1,
              {{kLastLine - 1, "10", Blanks(8) + k16.substr(0, 16)},
               {kLastLine, "8", k16.substr(16)}}),
        // Its second byte would lie at 0x400010, past the last line there is.
        Error("record_across_40000F", kBase40 + "\r\n:02000F0041426C\r\n", kTooLarge),
        Error("record_running_past_40000F", kBase40 + "\r\n:10000800" + k16 + "00\r\n", kTooLarge),
        Path("directory", Kind::Directory,
             "Datei \"%s\" kann nicht geöffnet werden. Die Datei ist ein Verzeichnis"),
        Path("missing_file", Kind::Missing,
             "Datei \"%s\" kann nicht geöffnet werden. Das System kann die angegebene Datei "
             "nicht finden"),
        Path("unreadable_file", Kind::Unreadable,
             "Datei \"%s\" kann nicht geöffnet werden. Zugriff verweigert"),
        Large("lines_50MiB", FiftyMiBOfOtherLines, 1, {{0, "10", k16}}),
        Large("line_16MiB", SixteenMiBLine, 16, SixteenMiBLineImage()),
    };
    return cases;
}

std::string Show(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            shown += c;
        } else {
            static constexpr char kDigits[] = "0123456789ABCDEF";
            const auto byte = static_cast<unsigned char>(c);
            shown += "\\x";
            shown += kDigits[byte >> 4];
            shown += kDigits[byte & 0xF];
        }
    }
    return '"' + shown + '"';
}

} // namespace

const std::vector<HostileCase>& HostileCases() {
    static const std::vector<HostileCase> cases = MakeCases();
    return cases;
}

const HostileCase& CaseNamed(std::string_view name) {
    for (const HostileCase& c : HostileCases()) {
        if (c.name == name) {
            return c;
        }
    }
    throw std::out_of_range("no hostile case " + std::string(name));
}

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const HostileCase& c : HostileCases()) {
        names.push_back(c.name);
    }
    return names;
}

std::string ErrorFor(const HostileCase& c, const std::string& path) {
    std::string message = c.error;
    const std::size_t at = message.find("%s");
    if (at != std::string::npos) {
        message.replace(at, 2, path);
    }
    return message;
}

std::string ImageMismatch(const THexContainer& store, const HostileCase& c, std::size_t total) {
    std::ostringstream out;
    if (store.Count() != total) {
        out << "the store holds " << store.Count() << " lines, not " << total;
        return out.str();
    }
    std::size_t next = 0; // next entry of c.filled, which is in ascending order
    for (std::size_t i = 0; i < total; ++i) {
        const THexLine& line = store[i];
        std::string count = "0";
        std::string data;
        bool used = true;
        if (i >= c.lines) { // appended when the store was fitted to the controller
            count.clear();
            used = false;
        } else if (next < c.filled.size() && c.filled[next].index == i) {
            count = c.filled[next].count;
            data = c.filled[next].data;
            ++next;
        }
        if (line.Count() != count || line.Data() != data || line.Used() != used ||
            store.AddressValue(i) != (i < c.lines ? i * 16 : 0)) {
            out << "line " << i << " holds Count " << Show(line.Count()) << ", Data "
                << Show(line.Data()) << (line.Used() ? ", Used" : ", not Used") << ", address "
                << store.AddressValue(i) << "; expected Count " << Show(count) << ", Data "
                << Show(data) << (used ? ", Used" : ", not Used");
            return out.str();
        }
    }
    return {};
}

} // namespace pagora::reliability
