// Exit statuses and messages of pagora-info, one row per situation a script meets.
#include "InfoRun.h"

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
                   "64 wrong usage, 74 the report could not be written.",
                   "",
                   "",
                   ""},
        StatusCase{"Version", {"--version"}, 0, "pagora-info " PAGORA_VERSION "\n", "", "", ""},
        StatusCase{"ListNeedsNoFile", {"--list-controllers"}, 0, "ATmega2560", "", "", ""}),
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
        const RunResult run = RunInfo(args, {"LC_ALL=C"}, "/dev/full");
        EXPECT_EQ(run.Status, 74) << args[0];
        EXPECT_NE(run.Err.find("cannot write"), std::string::npos) << run.Err;
    }
}

} // namespace
