// Exit statuses and messages of pagora-info, one row per situation a script meets.
#include "InfoRun.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace infotest;

namespace {

// Arguments name files by a key: "@example:NAME" is an example image, "@file:NAME" one of
// the files written by the fixture.
struct StatusCase {
    const char* Name;
    std::vector<std::string> Args;
    int Status;
    std::string OutHas;    // standard output contains this ("" for nothing to check)
    std::string ErrEquals; // standard error is exactly this, when ErrHas is empty
    std::string ErrHas;    // standard error contains this
    std::string ErrLacks;  // standard error does not contain this
};

void PrintTo(const StatusCase& c, std::ostream* os) {
    *os << c.Name;
}

class ExitStatus : public testing::TestWithParam<StatusCase> {
protected:
    static void SetUpTestSuite() {
        WriteFile("not-hex.hex", ":10000G00\n");
        WriteFile("bad-type.hex", ":100000Z0FFFF\n");
        // An extended linear address of 0x400000 and then a record one line past the span.
        WriteFile("too-large.hex",
                  ":020000040040BA\n:10001000" + std::string(32, '0') + "E0\n:00000001FF\n");
        WriteFile("eof-only.hex", ":00000001FF\n");
        // EEPROM data at 0x000 and at 0x200: one line past the 512 bytes of an ATmega8.
        std::vector<std::uint8_t> eeprom(0x210, 0xFF);
        std::fill_n(eeprom.begin(), 16, 0x11);
        std::fill_n(eeprom.begin() + 0x200, 16, 0x22);
        WriteHexImage("eeprom-past-1ff.eep", eeprom, 0xFF);
        // Code from 0 and one byte at 0x1F10, in the top 240 bytes of an ATmega8's flash.
        std::vector<std::uint8_t> boot(0x1F11, 0xFF);
        std::fill_n(boot.begin(), 16, 0x00);
        boot[0x1F10] = 0x42;
        WriteHexImage("boot-top.hex", boot, 0xFF);
    }

    static std::vector<std::string> Resolve(const std::vector<std::string>& args) {
        std::vector<std::string> resolved;
        for (const std::string& arg : args) {
            if (arg.rfind("@example:", 0) == 0) {
                resolved.push_back(Examples(arg.substr(9)));
            } else if (arg.rfind("@file:", 0) == 0) {
                resolved.push_back(TempPath(arg.substr(6)));
            } else {
                resolved.push_back(arg);
            }
        }
        return resolved;
    }
};

TEST_P(ExitStatus, StatusAndMessage) {
    const StatusCase& c = GetParam();
    const RunResult run = RunInfo(Resolve(c.Args));
    EXPECT_EQ(run.Status, c.Status) << run.Err;
    if (!c.OutHas.empty()) {
        EXPECT_NE(run.Out.find(c.OutHas), std::string::npos) << run.Out;
    }
    if (!c.ErrHas.empty()) {
        EXPECT_NE(run.Err.find(c.ErrHas), std::string::npos) << run.Err;
    } else {
        EXPECT_EQ(run.Err, c.ErrEquals);
    }
    if (!c.ErrLacks.empty()) {
        EXPECT_EQ(run.Err.find(c.ErrLacks), std::string::npos) << run.Err;
    }
    if (c.Status == 2 || c.Status == 64) {
        EXPECT_EQ(run.Out, "") << "nothing on standard output after an error";
    }
}

const char* kTooLarge = "Das hex-File ist zu Groß für den gewählten Controller!\n";

INSTANTIATE_TEST_SUITE_P(
    Table, ExitStatus,
    testing::Values(
        StatusCase{"FitsItsController",
                   {"--controller", "ATmega328p", "@example:tables-atmega328p.hex"},
                   0,
                   "Fits: yes\n",
                   "",
                   "",
                   ""},
        StatusCase{"TooLongForTheSmallerPart",
                   {"--controller", "ATmega8", "@example:tables-atmega328p.hex"},
                   1,
                   "Fits: no\n",
                   "",
                   "",
                   ""},
        StatusCase{"NoControllerNeverFails",
                   {"@example:tables-atmega328p.hex"},
                   0,
                   "Lines: 523\n",
                   "",
                   "",
                   ""},
        StatusCase{"EepromImageFits",
                   {"--controller", "ATtiny85", "@example:blink-attiny85.eep"},
                   0,
                   "Fits: yes\n",
                   "",
                   "",
                   ""},
        StatusCase{"EmptyImageFits",
                   {"--controller", "ATtiny12", "@file:eof-only.hex"},
                   0,
                   "Lines: 0\n",
                   "",
                   "",
                   ""},
        StatusCase{"NotHexadecimal", {"@file:not-hex.hex"}, 2, "", "No Hex-Number\n", "", ""},
        StatusCase{"NotHexadecimalWithController",
                   {"--controller", "ATmega8", "--json", "@file:bad-type.hex"},
                   2,
                   "",
                   "No Hex-Number\n",
                   "",
                   ""},
        StatusCase{"PastTheReadersSpan", {"@file:too-large.hex"}, 2, "", kTooLarge, "", ""},
        StatusCase{
            "MissingFile", {"@file:no-such-file.hex"}, 2, "", "", "kann nicht geöffnet werden", ""},
        StatusCase{"Folder", {"/"}, 2, "", "", "kann nicht geöffnet werden", ""},
        StatusCase{"UnknownController",
                   {"--controller", "ATmega9", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "\"ATmega9\"",
                   "ATtiny12"},
        StatusCase{"ControllerNamesKeepTheirCase",
                   {"--controller", "atmega8", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "\"atmega8\"",
                   ""},
        StatusCase{"UnknownControllerBeforeReading",
                   {"--controller", "ATmega9", "@file:no-such-file.hex"},
                   64,
                   "",
                   "",
                   "\"ATmega9\"",
                   "geöffnet"},
        StatusCase{"UnknownOption",
                   {"--verbose", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--verbose",
                   ""},
        StatusCase{"NoFile", {}, 64, "", "", "FILE", ""},
        StatusCase{"ControllerWithoutName", {"--controller"}, 64, "", "", "--controller", ""},
        StatusCase{"PagesNeedAController",
                   {"--pages", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--controller",
                   ""},
        StatusCase{"DumpIsNoJson",
                   {"--dump", "--json", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--json",
                   ""},
        StatusCase{"TwoFiles",
                   {"@example:blink-atmega8.hex", "@example:blink-attiny85.hex"},
                   64,
                   "",
                   "",
                   "not expected",
                   ""},
        StatusCase{"Help", {"--help"}, 0, "--list-controllers", "", "", ""},
        StatusCase{"HelpListsEveryStatus",
                   {"--help"},
                   0,
                   "64 wrong usage, 74 the report or the picture could not be written.",
                   "",
                   "",
                   ""},
        StatusCase{"Version", {"--version"}, 0, "pagora-info " PAGORA_VERSION "\n", "", "", ""},
        StatusCase{"ListNeedsNoFile", {"--list-controllers"}, 0, "ATmega2560", "", "", ""},
        // --svg: the picture leaves the report and its status as they are.
        StatusCase{"PictureKeepsTheSummary",
                   {"--svg", "@file:fits.svg", "--controller", "ATmega328p",
                    "@example:tables-atmega328p.hex"},
                   0,
                   "Fits: yes\n",
                   "",
                   "",
                   ""},
        StatusCase{
            "PictureOfAnImageThatDoesNotFit",
            {"--svg", "@file:red.svg", "--controller", "ATmega8", "@example:tables-atmega328p.hex"},
            1,
            "Fits: no\n",
            "",
            "",
            ""},
        StatusCase{"PictureNeedsAController",
                   {"--svg", "@file:p.svg", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--controller",
                   ""},
        StatusCase{"PictureNeedsAFileName",
                   {"--svg", "", "--controller", "ATmega8", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "needs a file name",
                   ""},
        StatusCase{"PictureColumnsFromOne",
                   {"--svg", "@file:p.svg", "--svg-columns", "0", "--controller", "ATmega8",
                    "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--svg-columns",
                   ""},
        StatusCase{"PictureColumnsAreANumber",
                   {"--svg", "@file:p.svg", "--svg-columns", "many", "--controller", "ATmega8",
                    "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--svg-columns",
                   ""},
        StatusCase{"PictureSquaresShowTheirColour",
                   {"--svg", "@file:p.svg", "--svg-block", "4", "--controller", "ATmega8",
                    "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--svg-block",
                   ""},
        StatusCase{"PictureLayoutNeedsAPicture",
                   {"--svg-block", "20", "--controller", "ATmega8", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--svg",
                   ""},
        StatusCase{
            "PictureOnStandardOutputIsTheReport",
            {"--svg", "-", "--json", "--controller", "ATmega8", "@example:blink-atmega8.hex"},
            64,
            "",
            "",
            "in place of the report",
            ""},

        // --eeprom: the same fit check on the controller's EEPROM.
        StatusCase{"EepromOfTheLargerPartFits",
                   {"--eeprom", "--controller", "ATmega32", "@file:eeprom-past-1ff.eep"},
                   0,
                   "EEPROMSize: 1024, PageSize: 4\nFits: yes\n",
                   "",
                   "",
                   ""},
        StatusCase{"EepromPast1FFDoesNotFitTheSmallerPart",
                   {"--eeprom", "--controller", "ATmega8", "@file:eeprom-past-1ff.eep"},
                   1,
                   "EEPROMSize: 512, PageSize: 4\nFits: no\n",
                   "",
                   "",
                   ""},
        StatusCase{"EepromExampleFitsItsController",
                   {"--eeprom", "--controller", "ATmega8", "@example:blink-atmega8.eep"},
                   0,
                   "EEPROM-Speicher Benutzt: 3.3%\n",
                   "",
                   "",
                   ""},
        StatusCase{"EepromNeedsAController",
                   {"--eeprom", "@example:blink-atmega8.eep"},
                   64,
                   "",
                   "",
                   "--eeprom requires --controller",
                   ""},
        // --max-used: the bytes share against a limit.
        StatusCase{
            "MaxUsedHolds",
            {"--controller", "ATmega328p", "--max-used", "25.5", "@example:tables-atmega328p.hex"},
            0,
            "Max used: 25.5%, holds: yes\n",
            "",
            "",
            ""},
        StatusCase{
            "MaxUsedWithACommaBroken",
            {"--controller", "ATmega328p", "--max-used", "25,3", "@example:tables-atmega328p.hex"},
            1,
            "Max used: 25.3%, holds: no\n",
            "pagora-info: Flash-Speicher Benutzt 25.4% is above --max-used 25.3%\n",
            "",
            ""},
        StatusCase{"MaxUsedOfTheEeprom",
                   {"--eeprom", "--controller", "ATmega8", "--max-used", "3",
                    "@example:blink-atmega8.eep"},
                   1,
                   "",
                   "pagora-info: EEPROM-Speicher Benutzt 3.3% is above --max-used 3.0%\n",
                   "",
                   ""},
        StatusCase{
            "MaxUsedNeverHeldWhenTheImageDoesNotFit",
            {"--controller", "ATmega8", "--max-used", "100", "@example:tables-atmega328p.hex"},
            1,
            "Fits: no\n",
            "pagora-info: Flash-Speicher Benutzt > 100% is above --max-used 100.0%\n",
            "",
            ""},
        StatusCase{"MaxUsedNotANumber",
                   {"--controller", "ATmega8", "--max-used", "abc", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--max-used: \"abc\" is not a percentage from 0 to 100",
                   ""},
        StatusCase{"MaxUsedEmpty",
                   {"--controller", "ATmega8", "--max-used", "", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--max-used: \"\" is not a percentage",
                   ""},
        StatusCase{"MaxUsedAbove100",
                   {"--controller", "ATmega8", "--max-used", "100.1", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "\"100.1\" is not a percentage from 0 to 100",
                   ""},
        StatusCase{"MaxUsedNegative",
                   {"--controller", "ATmega8", "--max-used=-1", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "\"-1\" is not a percentage",
                   ""},
        StatusCase{
            "MaxUsedTwoSeparators",
            {"--controller", "ATmega8", "--max-used", "80.5,1", "@example:blink-atmega8.hex"},
            64,
            "",
            "",
            "\"80.5,1\" is not a percentage",
            ""},
        StatusCase{"MaxUsedNeedsAController",
                   {"--max-used", "80", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--max-used requires --controller",
                   ""},
        // --reserve: the top bytes of the memory kept blank.
        StatusCase{"ReserveReachingTheTopByteBroken",
                   {"--controller", "ATmega8", "--reserve", "0xF0", "@file:boot-top.hex"},
                   1,
                   "Reserve: 240 bytes from 001F10, holds: no (data at 001F10)\n",
                   "pagora-info: data at 001F10 lies in the 240 bytes kept by --reserve (001F10 "
                   "to 001FFF)\n",
                   "",
                   ""},
        StatusCase{"ReserveOneByteAboveItHolds",
                   {"--controller", "ATmega8", "--reserve", "239", "@file:boot-top.hex"},
                   0,
                   "Reserve: 239 bytes from 001F11, holds: yes\n",
                   "",
                   "",
                   ""},
        StatusCase{"ReserveOfTheWholeFlash",
                   {"--controller", "ATmega8", "--reserve", "8192", "@file:boot-top.hex"},
                   1,
                   "holds: no (data at 000000)\n",
                   "",
                   "data at 000000",
                   ""},
        StatusCase{"ReserveAndMaxUsedBothBroken",
                   {"--controller", "ATmega8", "--reserve", "0X100", "--max-used", "0",
                    "@file:boot-top.hex"},
                   1,
                   "Max used: 0.0%, holds: no\nReserve: 256 bytes from 001F00, holds: no",
                   "pagora-info: Flash-Speicher Benutzt 0.2% is above --max-used 0.0%\n"
                   "pagora-info: data at 001F10 lies in the 256 bytes kept by --reserve (001F00 "
                   "to 001FFF)\n",
                   "",
                   ""},
        StatusCase{"ReserveLargerThanTheFlash",
                   {"--controller", "ATmega8", "--reserve", "8193", "@file:no-such-file.hex"},
                   64,
                   "",
                   "pagora-info: --reserve 8193 is more than the 8192 bytes of the flash of "
                   "ATmega8\n",
                   "",
                   ""},
        StatusCase{"ReserveLargerThanTheEeprom",
                   {"--eeprom", "--controller", "ATmega8", "--reserve", "0x201",
                    "@example:blink-atmega8.eep"},
                   64,
                   "",
                   "",
                   "more than the 512 bytes of the EEPROM of ATmega8",
                   ""},
        StatusCase{"ReserveNotANumber",
                   {"--controller", "ATmega8", "--reserve", "2k", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--reserve: \"2k\" is not a number of bytes (decimal, or hexadecimal with 0x)",
                   ""},
        StatusCase{"ReserveHexWithoutDigits",
                   {"--controller", "ATmega8", "--reserve", "0x", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "\"0x\" is not a number of bytes",
                   ""},
        StatusCase{"ReserveNegative",
                   {"--controller", "ATmega8", "--reserve=-4", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "\"-4\" is not a number of bytes",
                   ""},
        // --diff: reading errors name the file; wrong combinations are usage errors.
        StatusCase{"DiffOtherUnreadable",
                   {"--controller", "ATmega8", "--diff", "@file:not-hex.hex",
                    "@example:blink-atmega8.hex"},
                   2,
                   "",
                   "",
                   "not-hex.hex: No Hex-Number\n",
                   ""},
        StatusCase{"DiffFileUnreadable",
                   {"--controller", "ATmega8", "--diff", "@example:blink-atmega8.hex",
                    "@file:bad-type.hex"},
                   2,
                   "",
                   "",
                   "bad-type.hex: No Hex-Number\n",
                   ""},
        StatusCase{"DiffOtherMissing",
                   {"--controller", "ATmega8", "--diff", "@file:no-such-file.hex",
                    "@example:blink-atmega8.hex"},
                   2,
                   "",
                   "",
                   "no-such-file.hex",
                   ""},
        StatusCase{"DiffOtherDoesNotFit",
                   {"--controller", "ATmega8", "--diff", "@example:tables-atmega328p.hex",
                    "@example:blink-atmega8.hex"},
                   1,
                   "Pages differ: 128 of 128\n",
                   "",
                   "tables-atmega328p.hex does not fit the flash of ATmega8",
                   ""},
        StatusCase{"DiffNeedsAController",
                   {"--diff", "@example:blink-atmega8.hex", "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "--diff requires --controller",
                   ""},
        StatusCase{"DiffIsNoPageList",
                   {"--controller", "ATmega8", "--pages", "--diff", "@example:blink-atmega8.hex",
                    "@example:blink-atmega8.hex"},
                   64,
                   "",
                   "",
                   "excludes",
                   ""},
        StatusCase{"DiffWithoutOther",
                   {"--controller", "ATmega8", "@example:blink-atmega8.hex", "--diff"},
                   64,
                   "",
                   "",
                   "--diff",
                   ""}),
    [](const testing::TestParamInfo<StatusCase>& info) { return std::string(info.param.Name); });

// Long reports fail while they are written, short ones only when standard output is flushed
// at the end: both are told.
TEST(ExitStatusOutput, FailedWriteIsNoSuccess) {
    const std::string image = Examples("tables-atmega328p.hex");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--dump", image},
          std::vector<std::string>{"--controller", "ATmega8", image},
          std::vector<std::string>{"--json", image},
          std::vector<std::string>{"--list-controllers"}}) {
        const RunResult run = RunInfo(args, {"LC_ALL=C"}, Stdout::Unwritable);
        EXPECT_EQ(run.Status, 74) << args[0];
        EXPECT_NE(run.Err.find("cannot write"), std::string::npos) << run.Err;
    }
}

} // namespace
