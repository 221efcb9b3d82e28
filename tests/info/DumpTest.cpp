// --dump read back: the byte cells must give the very bytes of the image, of one written by the
// test and of a real toolchain image as avr-objcopy makes it.
#include "InfoRun.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

using namespace infotest;

namespace {

// One dumped row taken apart: "AAAAAA" " XX" x 16 "  " and 16 character cells.
struct DumpRow {
    std::string Address;
    std::vector<std::string> Cells;
    std::string Chars;
};

DumpRow ParseRow(const std::string& line) {
    DumpRow row;
    const std::size_t charsAt = line.find("  ");
    EXPECT_NE(charsAt, std::string::npos) << line;
    row.Chars = line.substr(charsAt + 2);
    std::istringstream cells(line.substr(0, charsAt));
    cells >> row.Address;
    for (std::string cell; cells >> cell;) {
        row.Cells.push_back(cell);
    }
    return row;
}

char Shown(unsigned value) {
    return value >= 33 && value <= 123 ? static_cast<char>(value) : '.';
}

// The bytes of a dump, erased bytes reading FF; checks each row's layout on the way.
std::string DumpBytes(const std::string& dump) {
    std::string bytes;
    std::size_t row = 0;
    for (const std::string& line : Lines(dump)) {
        const DumpRow parsed = ParseRow(line);
        char address[16];
        std::snprintf(address, sizeof address, "%06zX", row * 16);
        EXPECT_EQ(parsed.Address, address);
        EXPECT_EQ(parsed.Cells.size(), 16u) << line;
        EXPECT_EQ(parsed.Chars.size(), 16u) << line;
        for (std::size_t i = 0; i < parsed.Cells.size(); ++i) {
            const auto value = static_cast<unsigned>(std::stoul(parsed.Cells[i], nullptr, 16));
            bytes.push_back(static_cast<char>(value));
            if (i < parsed.Chars.size()) {
                EXPECT_EQ(parsed.Chars[i], Shown(value)) << line;
            }
        }
        ++row;
    }
    return bytes;
}

void ExpectSameBytes(const std::string& ours, const std::string& expected) {
    ASSERT_EQ(ours.size(), expected.size());
    EXPECT_TRUE(ours == expected)
        << "first difference at byte "
        << std::mismatch(ours.begin(), ours.end(), expected.begin()).first - ours.begin();
}

} // namespace

// Every byte value, in records with holes between them: the holes read FF.
TEST(Dump, WrittenImageGivesItsBytes) {
    std::vector<std::uint8_t> bytes;
    for (int round = 0; round < 20; ++round) {
        for (int value = 0; value < 256; ++value) {
            bytes.push_back(static_cast<std::uint8_t>((value * 167 + round * 31) & 0xFF));
        }
    }
    const int hole = bytes[100]; // one value is left out of the records wherever it stands
    const RunResult run = RunInfo({"--dump", WriteHexImage("every-byte.hex", bytes, hole)});
    ASSERT_EQ(run.Status, 0) << run.Err;
    std::string expected;
    for (std::uint8_t byte : bytes) {
        expected.push_back(static_cast<char>(byte == hole ? 0xFF : byte));
    }
    expected.resize((expected.size() + 15) / 16 * 16, '\xFF');
    ExpectSameBytes(DumpBytes(run.Out), expected);
}

// avr-objcopy is a program of the Linux build machine, which the Windows build cannot run: there
// the written image above stands for it.
#ifndef _WIN32
namespace {

std::string ObjcopyBytes(const std::string& hex) {
    const std::string bin = TempPath("objcopy.bin");
    EXPECT_EQ(
        std::system(
            ("avr-objcopy -I ihex -O binary --gap-fill 0xFF '" + hex + "' '" + bin + "'").c_str()),
        0);
    return ReadFile(bin);
}

} // namespace

TEST(Dump, ToolchainImageGivesObjcopysBytes) {
    ASSERT_TRUE(HaveTool("avr-objcopy"))
        << "avr-objcopy missing (scripts/install-deps test installs binutils-avr)";
    const std::string hex = Examples("tables-atmega328p.hex");
    const RunResult run = RunInfo({"--dump", hex});
    ASSERT_EQ(run.Status, 0) << run.Err;
    std::string reference = ObjcopyBytes(hex);
    ASSERT_FALSE(reference.empty());
    // The grid ends on a whole row: the rest of the last row reads FF.
    reference.resize((reference.size() + 15) / 16 * 16, '\xFF');
    ExpectSameBytes(DumpBytes(run.Out), reference);
}
#endif

TEST(Dump, FittedToTheControllersFlash) {
    const RunResult run =
        RunInfo({"--dump", "--controller", "ATmega8", Examples("blink-atmega8.hex")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::vector<std::string> lines = Lines(run.Out);
    ASSERT_EQ(lines.size(), 8192u / 16); // the whole flash, blank rows after the image
    EXPECT_EQ(lines.back(),
              "001FF0 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF  ................");
    const std::string bytes = DumpBytes(run.Out);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\x12\xC0", 2)); // the first jump of the vectors
}

TEST(Dump, CellsAsTheFileWroteThem) {
    // Lower-case digits stay lower case; the character cells read them all the same.
    const std::string hex = WriteFile("lower.hex", ":0500000021417b7c20fd\n:00000001FF\n");
    const RunResult run = RunInfo({"--dump", hex});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "000000 21 41 7b 7c 20 FF FF FF FF FF FF FF FF FF FF FF  !A{.............\n");
}

TEST(Dump, ImageLongerThanTheFlashKeepsItsRows) {
    const RunResult run =
        RunInfo({"--dump", "--controller", "ATmega8", Examples("tables-atmega328p.hex")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(Lines(run.Out).size(), 523u);
}
