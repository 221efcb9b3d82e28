#include "image/Errors.h"
#include "image/THexContainer.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace pagora;

namespace {

// A line as "Count:Data", with a trailing "*" when it is not Used.
std::string Show(const THexLine& line) {
    return line.Count() + ":" + std::string(line.Data()) + (line.Used() ? "" : "*");
}

std::vector<std::string> Lines(const THexContainer& store, std::size_t first, std::size_t n) {
    std::vector<std::string> shown;
    for (std::size_t i = first; i < first + n && i < store.Count(); ++i) {
        shown.push_back(Show(store[i]));
    }
    return shown;
}

THexContainer Read(const std::string& text, ReadPath path = ReadPath::Fast) {
    THexContainer store;
    store.LoadFromHexText(text, path);
    return store;
}

// Every text is read both ways: with the fast path for common lines, and with the general path
// alone, which the fast one must match.
constexpr ReadPath kPaths[] = {ReadPath::Fast, ReadPath::General};

const char* PathName(ReadPath path) {
    return path == ReadPath::Fast ? "fast path" : "general path";
}

const std::string kEof = ":00000001FF\r\n";

// A read function for LoadFromHexPieces that hands over text, at most grain characters a
// call; at counts how many it has handed over.
auto TextSource(const std::string& text, std::size_t grain, std::size_t& at) {
    return [&text, grain, &at](char* buffer, std::size_t size) {
        const std::size_t n = std::min({size, grain, text.size() - at});
        text.copy(buffer, n, at);
        at += n;
        return n;
    };
}
const std::string k16 = "000102030405060708090A0B0C0D0E0F";

} // namespace

TEST(HexReader, EmptyImages) {
    for (const std::string& text : {std::string(), kEof, std::string("hello\n\n  :10000000\n"),
                                    std::string(":020000040000FA\n") + kEof}) {
        for (ReadPath path : kPaths) {
            EXPECT_EQ(Read(text, path).Count(), 0u) << text << PathName(path);
        }
    }
}

struct LayCase {
    const char* name;
    std::string text;
    std::size_t first; // first line looked at
    std::vector<std::string> lines;
    std::size_t count; // lines in the store

    friend void PrintTo(const LayCase& c, std::ostream* os) { *os << c.name; }
};

class HexReaderLays : public testing::TestWithParam<LayCase> {};

TEST_P(HexReaderLays, Lines) {
    const LayCase& c = GetParam();
    const THexContainer general = Read(c.text, ReadPath::General);
    for (ReadPath path : kPaths) {
        const THexContainer store = Read(c.text, path);
        EXPECT_EQ(store.Count(), c.count) << PathName(path);
        EXPECT_EQ(Lines(store, c.first, c.lines.size()), c.lines) << PathName(path);
        EXPECT_TRUE(store == general) << PathName(path);
    }
}

const std::vector<LayCase> kLayCases = {
    LayCase{"record_at_0008_runs_into_next_line",
            ":10000800" + k16 + "00\r\n" + kEof,
            0,
            {"10:FFFFFFFFFFFFFFFF0001020304050607", "8:08090A0B0C0D0E0F"},
            2},
    LayCase{"two_halves_make_one_line",
            ":080000000001020304050607E0\n:0800080008090A0B0C0D0E0FB8\n",
            0,
            {"10:" + k16},
            1},
    LayCase{
        "leading_blank_lines_are_used", ":10010000" + k16 + "00\n", 15, {"0:", "10:" + k16}, 17},
    LayCase{"comments_and_spaces_skipped",
            "; made by hand\n\n  :10000000" + k16 + "00\n:0100100041AE\nrest\n",
            0,
            {"0:", "1:41"},
            2},
    LayCase{"records_after_end_are_not_read",
            ":0100000041BE\n" + kEof + ":0100100042AD\n",
            0,
            {"1:41"},
            1},
    LayCase{"segment_base", ":020000021000EC\n:0100000041BE\n", 4096, {"1:41"}, 4097},
    LayCase{"linear_base", ":020000040001F9\n:0100000041BE\n", 4096, {"1:41"}, 4097},
    LayCase{"base_replaces_not_adds",
            ":020000040001F9\n:020000021000EC\n:0100000041BE\n",
            4096,
            {"1:41"},
            4097},
    LayCase{"top_of_span", ":020000040040BA\n:0100000041BE\n", 262144, {"1:41"}, 262145},
    LayCase{"lower_case_kept", ":04000000deadbeef00\n", 0, {"4:deadbeef"}, 1},
    LayCase{"wrong_checksum_laid", ":0100000041FF\n", 0, {"1:41"}, 1},
    LayCase{"type_03_and_05_skipped",
            ":0400000300007C0079\n:04000005000000CD2A\n:0100000041BE\n",
            0,
            {"1:41"},
            1},
    LayCase{"short_record_counts_as_declared", ":1000000041424344\n", 0, {"10:41424344"}, 1},
    LayCase{"cr_only_line_ends", ":0100000041BE\r:0100010042BC\r", 0, {"2:4142"}, 1},
    LayCase{"mixed_line_ends",
            ":0100000041BE\r\n:0100010042BC\r:0100020043BA\n:0100030044B8",
            0,
            {"4:41424344"},
            1},
    LayCase{"zero_length_record_fills_gap", ":00000400FC\n", 0, {"4:FFFFFFFF"}, 1},
    // A line that ends within its data holds only the characters before the break; the
    // rest of the record is a line of its own, without a colon.
    LayCase{"cr_within_data", ":0400000041\r42434400\n", 0, {"4:41"}, 1},
    LayCase{"lf_within_data", ":0400000041\n42434400\n", 0, {"4:41"}, 1},
    LayCase{"break_right_after_type", ":02000000\r\n:0100010042BC\n", 0, {"2:FF42"}, 1},
    LayCase{"data_ends_the_text", ":0100000041", 0, {"1:41"}, 1},
    // Whole-line records with every kind of ending: a lone CR, a break within the checksum,
    // more after the checksum, none at the end of the text.
    LayCase{"whole_lines_ended_by_cr_alone",
            ":10000000" + k16 + "00\r:10001000" + k16 + "00\r",
            0,
            {"10:" + k16, "10:" + k16},
            2},
    LayCase{"whole_line_break_within_checksum",
            ":10000000" + k16 + "0\n:\n:10001000" + k16 + "\r\n\n",
            0,
            {"10:" + k16, "10:" + k16},
            2},
    LayCase{"whole_line_with_more_after_checksum",
            ":10000000" + k16 + "00FFFF\n:1000100" + "0" + k16 + "00",
            0,
            {"10:" + k16, "10:" + k16},
            2},
    LayCase{
        "whole_line_at_lower_case_address", ":100a0000" + k16 + "00\n", 0xa0, {"10:" + k16}, 0xa1},
    LayCase{"whole_line_record_replaces_what_the_line_held",
            ":0200000041\r\n:04000C0041424344\n:10000000" + k16 + "00\n",
            0,
            {"10:" + k16},
            1},
    LayCase{"lower_case_digits_in_header",
            ":0a000000414243444546474849aa00\n",
            0,
            {"A:414243444546474849aa"},
            1},
    LayCase{"control_characters_in_data_are_data", ":02000000\t\v4100\n", 0, {"2:\t\v41"}, 1},
    LayCase{"tab_in_whole_line_data",
            ":10000000" + k16.substr(0, 30) + "\t" + k16.substr(31) + "00\r\n",
            0,
            {"10:" + k16.substr(0, 30) + "\t" + k16.substr(31)},
            1},
    // Out of order within a line: each byte lands at its own offset.
    LayCase{"out_of_order_within_line",
            ":0800080008090A0B0C0D0E0FB8\n:080000000001020304050607E0\n",
            0,
            {"10:" + k16},
            1},
    // An overlapping record rewrites its own bytes and leaves the count alone.
    LayCase{"overlap_rewrites_in_place",
            ":10000000" + k16 + "00\n:02000400AAAB00\n",
            0,
            {"10:00010203AAAB060708090A0B0C0D0E0F"},
            1},
    // A record longer than two lines carries on into the lines after.
    LayCase{"long_record_carries_on",
            ":24000C00" + k16 + k16 + "AABBCCDD00\n",
            0,
            {"10:FFFFFFFFFFFFFFFFFFFFFFFF00010203", "10:0405060708090A0B0C0D0E0F00010203",
             "10:0405060708090A0B0C0D0E0FAABBCCDD"},
            3}};

INSTANTIATE_TEST_SUITE_P(Records, HexReaderLays, testing::ValuesIn(kLayCases),
                         [](const testing::TestParamInfo<LayCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(HexReader, CarriedLineKeepsWhatItHeld) {
    // Line 1 already holds 16 bytes; a record running into it rewrites only its first bytes.
    const THexContainer store = Read(":10001000" + k16 + "00\n:04000E00AABBCCDD00\n");
    EXPECT_EQ(Lines(store, 0, 2),
              (std::vector<std::string>{"10:" + std::string(28, 'F') + "AABB",
                                        "10:CCDD02030405060708090A0B0C0D0E0F"}));
}

struct ErrorCase {
    const char* name;
    std::string text;
    std::string message;

    friend void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }
};

class HexReaderFails : public testing::TestWithParam<ErrorCase> {};

TEST_P(HexReaderFails, KeepsThePreviousImage) {
    const ErrorCase& c = GetParam();
    for (ReadPath path : kPaths) {
        THexContainer store = Read(":10000000" + k16 + "00\n");
        const THexContainer before = store;
        try {
            store.LoadFromHexText(c.text, path);
            ADD_FAILURE() << "no error, " << PathName(path);
        } catch (const std::exception& e) {
            EXPECT_EQ(e.what(), c.message) << PathName(path);
        }
        EXPECT_TRUE(store == before) << PathName(path);
    }
}

const std::string kTooLarge = "Das hex-File ist zu Groß für den gewählten Controller!";

const std::vector<ErrorCase> kErrorCases = {
    ErrorCase{"type_not_hex", ":010000G041BE\n", "No Hex-Number"},
    ErrorCase{"count_not_hex", ":G100000041BE\n", "No Hex-Number"},
    ErrorCase{"address_not_hex", ":01000G0041BE\n", "No Hex-Number"},
    ErrorCase{"base_not_hex", ":0200000400G1F9\n", "No Hex-Number"},
    ErrorCase{"base_count_not_hex", ":0G0000040001F9\n", "No Hex-Number"},
    ErrorCase{"error_after_good_records", ":0100000041BE\n:0100000G41BE\n", "No Hex-Number"},
    ErrorCase{"beyond_span", ":020000040040BA\n:0100100041AE\n", kTooLarge},
    ErrorCase{"carried_beyond_span", ":020000040040BA\n:20000000" + k16 + k16 + "00\n", kTooLarge},
    ErrorCase{"huge_base", ":02000004FFFFFC\n:0100000041BE\n", kTooLarge},
    ErrorCase{"whole_line_beyond_span", ":020000040040BA\n:10001000" + k16 + "00\r\n", kTooLarge},
    ErrorCase{"whole_line_address_not_hex", ":1000G000" + k16 + "00\r\n", "No Hex-Number"}};

INSTANTIATE_TEST_SUITE_P(Errors, HexReaderFails, testing::ValuesIn(kErrorCases),
                         [](const testing::TestParamInfo<ErrorCase>& info) {
                             return std::string(info.param.name);
                         });

// A text read in pieces, as a file is, gives the store or the error that the whole text gives,
// wherever the pieces end: in a record, between CR and LF, in a byte-order mark; on either path.
TEST(HexReader, PiecesReadAsTheWholeText) {
    std::vector<std::string> texts;
    for (const LayCase& c : kLayCases) {
        texts.push_back(c.text);
        texts.push_back("\xEF\xBB\xBF" + c.text);
    }
    for (const ErrorCase& c : kErrorCases) {
        texts.push_back(c.text);
    }
    // Lines longer than a piece, a long tail after a record's data, and CR LF across pieces.
    texts.push_back(":10000000" + k16 + "00" + std::string(100, ' ') + "\r\n:0100100041AE\r\n");
    texts.push_back(std::string(300, 'x') + "\n:0100000041BE\r\n" + kEof);

    for (const std::string& text : texts) {
        // The whole text on the general path is what every other way of reading must give.
        std::string wholeError;
        THexContainer whole;
        try {
            whole.LoadFromHexText(text, ReadPath::General);
        } catch (const std::exception& e) {
            wholeError = e.what();
        }
        for (ReadPath path : kPaths) {
            for (std::size_t pieceSize : {1, 2, 3, 4, 7, 10, 13, 16, 44, 45, 46, 64}) {
                for (std::size_t grain : {1, 3, 1000}) { // at most grain characters per read
                    std::size_t at = 0;
                    const auto read = TextSource(text, grain, at);
                    std::string piecesError;
                    THexContainer pieces;
                    try {
                        pieces.LoadFromHexPieces(read, pieceSize, path);
                    } catch (const std::exception& e) {
                        piecesError = e.what();
                    }
                    EXPECT_EQ(piecesError, wholeError)
                        << text << " in pieces of " << pieceSize << ", " << PathName(path);
                    EXPECT_TRUE(pieces == whole)
                        << text << " in pieces of " << pieceSize << ", " << PathName(path);
                }
            }
        }
    }
}

// Nothing after the end-of-file record is read.
TEST(HexReader, PiecesStopAtTheEndRecord) {
    const std::string text = ":0100000041BE\n" + kEof + std::string(1 << 20, 'x');
    std::size_t at = 0;
    THexContainer store;
    store.LoadFromHexPieces(TextSource(text, text.size(), at), 64);
    EXPECT_EQ(Lines(store, 0, 1), (std::vector<std::string>{"1:41"}));
    EXPECT_LE(at, 64u);
}

TEST(HexReader, DataCharactersAreNotChecked) {
    const THexContainer store = Read(":02000000ZZ4100\n");
    EXPECT_EQ(store[0].GetByteText(1), "ZZ");
}

TEST(HexReader, MissingFileOrFolderKeepsImage) {
    THexContainer store = Read(":0100000041BE\n");
    const THexContainer before = store;
    EXPECT_THROW(store.LoadFromHexFile("/nonexistent/dir/x.hex"), EFileError);
    EXPECT_THROW(store.LoadFromHexFile("/"), EFileError);
    EXPECT_TRUE(store == before);
}

TEST(HexReader, ReadsFileAndNeverWritesIt) {
    const std::string path = testing::TempDir() + "/reader.hex";
    {
        std::ofstream out(path, std::ios::binary);
        out << ":0100000041BE\r\n" << kEof;
    }
    THexContainer store;
    store.LoadFromHexFile(path);
    EXPECT_EQ(Lines(store, 0, 1), std::vector<std::string>{"1:41"});
    std::ifstream in(path, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(content, ":0100000041BE\r\n" + kEof);
    std::remove(path.c_str());
}
