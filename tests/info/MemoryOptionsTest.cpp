// --eeprom, the size limits and --diff: the summary, the page lines and --json read back.
#include "InfoRun.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace infotest;
using nlohmann::json;

namespace {

// 64 EEPROM bytes from 0 and 16 at 0x3F0, the top line of an ATmega32's 1 KiB.
std::string EepromImage() {
    std::vector<std::uint8_t> bytes(0x400, 0xFF);
    std::fill_n(bytes.begin(), 64, 0x01);
    std::fill_n(bytes.begin() + 0x3F0, 16, 0x02);
    return WriteHexImage("top.eep", bytes, 0xFF);
}

// Two versions of a program for an ATmega8 (pages of 64 bytes): the newer one changes byte 5,
// the eight bytes from 0x40 and adds a byte at 0x100.
std::vector<std::uint8_t> OldProgram() {
    std::vector<std::uint8_t> bytes(0x80);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i);
    }
    return bytes;
}
std::string OldImage() {
    return WriteHexImage("old.hex", OldProgram());
}
std::string NewImage() {
    std::vector<std::uint8_t> bytes = OldProgram();
    bytes.resize(0x101, 0xFF);
    bytes[5] = 0xEE;
    std::fill_n(bytes.begin() + 0x40, 8, 0xAA);
    bytes[0x100] = 0x00;
    return WriteHexImage("new.hex", bytes, 0xFF);
}

} // namespace

TEST(Eeprom, SummaryOfTheEeprom) {
    const RunResult run = RunInfo({"--eeprom", "--controller", "ATmega32", EepromImage()});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::vector<std::string> expected{
        "File: " + TempPath("top.eep"),  "Lines: 64", "Controller: ATmega32",
        "EEPROMSize: 1024, PageSize: 4", "Fits: yes", "Pages Benutzt: 7.8%",
        "EEPROM-Speicher Benutzt: 7.8%"};
    EXPECT_EQ(Lines(run.Out), expected);
}

TEST(Eeprom, PagesOfTheEeprom) {
    const RunResult run =
        RunInfo({"--eeprom", "--pages", "--controller", "ATmega32", EepromImage()});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::vector<std::string> lines = Lines(run.Out);
    ASSERT_EQ(lines.size(), 256u);
    EXPECT_EQ(lines[0], "0 000000 0 full");
    EXPECT_EQ(lines[16], "16 000040 4 blank");
    EXPECT_EQ(lines[255], "255 0003FC 0 full");
}

TEST(Eeprom, DumpFittedToTheEeprom) {
    const RunResult run =
        RunInfo({"--eeprom", "--dump", "--controller", "ATmega8", Examples("blink-atmega8.eep")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(Lines(run.Out).size(), 32u); // 512 bytes in rows of 16
}

TEST(Json, MemoryIsNamedAndItsKeysFollowIt) {
    const json flash = ParsedJson(RunInfo({"--json", "--controller", "ATmega32", EepromImage()}));
    EXPECT_EQ(flash["memory"], "flash");
    EXPECT_EQ(flash["controller"]["flash_size"], 32768);
    EXPECT_TRUE(flash.contains("flash_used"));
    EXPECT_FALSE(flash.contains("max_used"));
    EXPECT_FALSE(flash.contains("reserve"));
    EXPECT_FALSE(flash.contains("diff"));

    const RunResult run =
        RunInfo({"--json", "--pages", "--eeprom", "--controller", "ATmega8", EepromImage()});
    EXPECT_EQ(run.Status, 1) << "0x3F0 lies past the 512 bytes of an ATmega8's EEPROM";
    const json eeprom = ParsedJson(run);
    EXPECT_EQ(eeprom["memory"], "eeprom");
    EXPECT_EQ(eeprom["controller"]["eeprom_size"], 512);
    EXPECT_EQ(eeprom["controller"]["page_size"], 4);
    EXPECT_EQ(eeprom["controller"]["pages"], 128);
    EXPECT_FALSE(eeprom["controller"].contains("flash_size"));
    EXPECT_EQ(eeprom["fits"], false);
    EXPECT_EQ(eeprom["eeprom_used"]["label"], "> 100%");
    ASSERT_EQ(eeprom["pages"].size(), 128u);
    EXPECT_EQ(eeprom["pages"][127]["address"], 508);
}

TEST(Json, LimitsAndWhetherTheyHold) {
    const RunResult run = RunInfo({"--json", "--eeprom", "--controller", "ATmega32", "--max-used",
                                   "7,8", "--reserve", "0x20", EepromImage()});
    EXPECT_EQ(run.Status, 1);
    const json report = ParsedJson(run);
    // 80 of 1024 bytes are 7.8125 %: above 7.8 although the label reads 7.8%.
    EXPECT_DOUBLE_EQ(report["max_used"]["percent"].get<double>(), 7.8);
    EXPECT_EQ(report["max_used"]["holds"], false);
    EXPECT_EQ(report["reserve"]["bytes"], 32);
    EXPECT_EQ(report["reserve"]["from"], 0x3E0);
    EXPECT_EQ(report["reserve"]["holds"], false);
    EXPECT_EQ(report["reserve"]["first_data"], 0x3F0);
    EXPECT_NE(run.Err.find("EEPROM-Speicher Benutzt 7.8% is above --max-used 7.8%"),
              std::string::npos)
        << run.Err;

    const json holding = ParsedJson(RunInfo({"--json", "--eeprom", "--controller", "ATmega32",
                                             "--max-used", "12.5", "--reserve", "16", OldImage()}));
    EXPECT_EQ(holding["max_used"]["holds"], true) << "128 of 1024 bytes are exactly 12.5 %";
    EXPECT_EQ(holding["reserve"]["holds"], true);
    EXPECT_TRUE(holding["reserve"]["first_data"].is_null());
}

TEST(Diff, PagesToWriteAgain) {
    const RunResult run = RunInfo({"--controller", "ATmega8", "--diff", OldImage(), NewImage()});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "0 000000 1\n"
                       "1 000040 8\n"
                       "4 000100 1\n"
                       "Pages differ: 3 of 128\n");
    EXPECT_EQ(run.Err, "");
    // The other way round the same pages are written again.
    const RunResult back = RunInfo({"--controller", "ATmega8", "--diff", NewImage(), OldImage()});
    EXPECT_EQ(back.Out, run.Out);
}

TEST(Diff, SameBytesInOtherLetterCaseAndOtherRecords) {
    std::string lower = ReadFile(OldImage());
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::string lowerImage = WriteFile("old-lower.hex", lower);
    const RunResult run = RunInfo({"--controller", "ATmega8", "--diff", lowerImage, OldImage()});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "Pages differ: 0 of 128\n");
}

TEST(Diff, EepromPagesAndJson) {
    const RunResult run = RunInfo(
        {"--json", "--eeprom", "--controller", "ATmega32", "--diff", OldImage(), EepromImage()});
    EXPECT_EQ(run.Status, 0) << run.Err;
    const json report = ParsedJson(run);
    EXPECT_EQ(report["memory"], "eeprom");
    const json& diff = report["diff"];
    EXPECT_EQ(diff["other"], TempPath("old.hex"));
    EXPECT_EQ(diff["of"], 256);
    // Pages of 4 bytes: 0..0x3F differ where old held 0..0x3F and the new image 01, except
    // byte 1; 0x40..0x7F were old's data, blank now; 0x3F0..0x3FF are new.
    ASSERT_EQ(diff["differ"], 36);
    ASSERT_EQ(diff["pages"].size(), 36u);
    EXPECT_EQ(diff["pages"][0], json({{"page", 0}, {"address", 0}, {"bytes", 3}}));
    EXPECT_EQ(diff["pages"][1], json({{"page", 1}, {"address", 4}, {"bytes", 4}}));
    EXPECT_EQ(diff["pages"][35], json({{"page", 255}, {"address", 1020}, {"bytes", 4}}));
}

TEST(Help, EveryNewOptionWithAnExample) {
    const RunResult run = RunInfo({"--help"});
    ASSERT_EQ(run.Status, 0);
    for (const char* option :
         {"--eeprom", "--max-used PERCENT", "--reserve BYTES", "--diff OTHER"}) {
        EXPECT_NE(run.Out.find(option), std::string::npos) << option;
    }
    for (const char* example :
         {"  pagora-info --eeprom --controller ATmega32 firmware.eep\n",
          "  pagora-info --controller ATmega328p --max-used 90 firmware.hex\n",
          "  pagora-info --controller ATmega328p --reserve 0x800 firmware.hex\n",
          "  pagora-info --controller ATmega8 --diff old.hex new.hex\n"}) {
        EXPECT_NE(run.Out.find(example), std::string::npos) << example;
    }
}
