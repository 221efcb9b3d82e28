// The summary and the page lines: what the status line, the usage bars and the page map
// would show for images whose shares are known.
#include "InfoRun.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

using namespace infotest;

namespace {

constexpr std::size_t kFlash328 = 32768; // ATmega328p: 256 pages of 128 bytes

// 4,096 data bytes from address 0: 32 of 256 pages, an eighth of the flash.
std::string EighthImage() {
    return WriteHexImage("eighth.hex", std::vector<std::uint8_t>(4096, 0x00));
}

// One data byte at the start of each of the first 64 pages.
std::string PageStartsImage() {
    std::vector<std::uint8_t> bytes(64 * 128, 0xFF);
    for (std::size_t page = 0; page < 64; ++page) {
        bytes[page * 128] = 0x5A;
    }
    return WriteHexImage("page-starts.hex", bytes, 0xFF);
}

} // namespace

TEST(Summary, ImageWithController) {
    const RunResult run = RunInfo({"--controller", "ATmega328p", EighthImage()});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::vector<std::string> lines = Lines(run.Out);
    ASSERT_EQ(lines.size(), 7u) << run.Out;
    EXPECT_EQ(lines[0], "File: " + TempPath("eighth.hex"));
    EXPECT_EQ(lines[1], "Lines: 256");
    EXPECT_EQ(lines[2], "Controller: ATmega328p");
    EXPECT_EQ(lines[3], "FlashSize: 32768, PageSize: 128");
    EXPECT_EQ(lines[4], "Fits: yes");
    EXPECT_EQ(lines[5], "Pages Benutzt: 12.5%");
    EXPECT_EQ(lines[6], "Flash-Speicher Benutzt: 12.5%");
}

TEST(Summary, ImageAlone) {
    const RunResult run = RunInfo({PageStartsImage()});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "File: " + TempPath("page-starts.hex") + "\nLines: 505\n");
}

TEST(Summary, OneByteMakesAPageUsed) {
    const RunResult run = RunInfo({"--controller", "ATmega328p", PageStartsImage()});
    ASSERT_EQ(run.Status, 0) << run.Err;
    // 64 of 256 pages; 64 of 32,768 bytes is 0.195 %, rounded to the tenth.
    EXPECT_NE(run.Out.find("Pages Benutzt: 25.0%\n"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Flash-Speicher Benutzt: 0.2%\n"), std::string::npos) << run.Out;
}

TEST(Summary, ImageOfExactlyTheFlashFits) {
    const std::string hex =
        WriteHexImage("full-328.hex", std::vector<std::uint8_t>(kFlash328, 0x11));
    const RunResult run = RunInfo({"--controller", "ATmega328p", hex});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("Pages Benutzt: 100.0%\n"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Flash-Speicher Benutzt: 100.0%\n"), std::string::npos) << run.Out;
}

TEST(Summary, OneByteTooManyDoesNotFit) {
    std::vector<std::uint8_t> bytes(kFlash328 + 1, 0xFF);
    bytes.back() = 0x00;
    const RunResult run =
        RunInfo({"--controller", "ATmega328p", WriteHexImage("over-328.hex", bytes, 0xFF)});
    EXPECT_EQ(run.Status, 1) << run.Err;
    EXPECT_NE(run.Out.find("Fits: no\nPages Benutzt: > 100%\nFlash-Speicher Benutzt: > 100%\n"),
              std::string::npos)
        << run.Out;
}

TEST(Locale, SharesUseTheLocalesSeparator) {
    const auto german = GermanLocale();
    ASSERT_TRUE(german) << "no German locale: on Linux localedef could not build de_DE.UTF-8 (the "
                           "locales package holds its sources); on Windows the user's regional "
                           "settings have no decimal comma";
    const RunResult run = RunInfo({"--controller", "ATmega328p", PageStartsImage()}, *german);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("Pages Benutzt: 25,0%\n"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Flash-Speicher Benutzt: 0,2%\n"), std::string::npos) << run.Out;
}

// The C library of Windows takes the number format from the user's regional settings and reads
// none of these variables: Linux only.
#ifndef _WIN32
// The separator comes from the first of LC_ALL, LC_NUMERIC and LANG that is set and not empty,
// as the C library picks the locale.
TEST(Locale, TheFirstLocaleVariableSetCounts) {
    const auto german = GermanLocale();
    ASSERT_TRUE(german) << "localedef could not build de_DE.UTF-8 (the locales package holds "
                           "its sources)";
    const std::string& locales = german->front(); // LOCPATH, the folder of the built locale
    const std::string name = "de_DE.UTF-8";
    const struct {
        std::vector<std::string> variables;
        const char* pagesLine;
    } cases[] = {
        {{"LANG=" + name}, "Pages Benutzt: 25,0%\n"},
        {{"LC_NUMERIC=" + name}, "Pages Benutzt: 25,0%\n"},
        {{"LC_ALL=", "LC_NUMERIC=" + name}, "Pages Benutzt: 25,0%\n"},
        {{"LC_ALL=C", "LANG=" + name}, "Pages Benutzt: 25.0%\n"},
        {{"LC_NUMERIC=C.UTF-8", "LANG=" + name}, "Pages Benutzt: 25.0%\n"},
        {{"LC_ALL=POSIX", "LC_NUMERIC=" + name}, "Pages Benutzt: 25.0%\n"},
    };
    const std::string hex = PageStartsImage();
    for (const auto& c : cases) {
        std::vector<std::string> environment = c.variables;
        environment.push_back(locales);
        const RunResult run = RunInfo({"--controller", "ATmega328p", hex}, environment);
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_NE(run.Out.find(c.pagesLine), std::string::npos)
            << testing::PrintToString(c.variables) << "\n"
            << run.Out;
    }
}
#endif

TEST(Pages, FillClassesAsThePageMapColoursThem) {
    // Pages of 128 bytes with 0, 1, 2, 64, 65, 66, 96, 97, 98, 127 and 128 blank bytes.
    const std::vector<int> blanks = {0, 1, 2, 64, 65, 66, 96, 97, 98, 127, 128};
    std::vector<std::uint8_t> bytes;
    for (int blank : blanks) {
        for (int i = 0; i < 128; ++i) {
            bytes.push_back(i < 128 - blank ? 0x00 : 0xFF);
        }
    }
    const RunResult run =
        RunInfo({"--pages", "--controller", "ATmega328p", WriteHexImage("fills.hex", bytes, 0xFF)});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::vector<std::string> lines = Lines(run.Out);
    ASSERT_EQ(lines.size(), 256u);
    const std::vector<std::string> expected = {
        "0 000000 0 full",    "1 000080 1 full",     "2 000100 2 mostly",   "3 000180 64 mostly",
        "4 000200 65 mostly", "5 000280 66 half",    "6 000300 96 half",    "7 000380 97 half",
        "8 000400 98 little", "9 000480 127 little", "10 000500 128 blank",
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(lines[i], expected[i]);
    }
    EXPECT_EQ(lines.back(), "255 007F80 128 blank");
}

TEST(Pages, LowerCaseFfIsData) {
    const std::string hex = WriteFile("lower-ff.hex", ":02000000ffFF00\n:00000001FF\n");
    const RunResult run = RunInfo({"--pages", "--controller", "ATtiny13", hex});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(Lines(run.Out).at(0), "0 000000 31 little");
}

TEST(Controllers, ChooserOrderWithSizes) {
    const RunResult run = RunInfo({"--list-controllers"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::vector<std::string> lines = Lines(run.Out);
    ASSERT_EQ(lines.size(), 84u);
    auto words = [](const std::string& line) {
        std::istringstream in(line);
        std::vector<std::string> out;
        for (std::string w; in >> w;) {
            out.push_back(w);
        }
        return out;
    };
    EXPECT_EQ(words(lines.front()), (std::vector<std::string>{"ATtiny12", "1024", "1"}));
    EXPECT_EQ(words(lines[22]), (std::vector<std::string>{"ATmega8", "8192", "64"}));
    EXPECT_EQ(words(lines[42]), (std::vector<std::string>{"ATmega2560", "262144", "256"}));
    EXPECT_EQ(words(lines.back()), (std::vector<std::string>{"AT90CAN128", "32768", "128"}));
}

TEST(Examples, CopiedBesideTheProgram) {
    const std::string bin = std::string(PAGORA_INFO).substr(0, std::string(PAGORA_INFO).rfind('/'));
    for (const char* name : {"blink-atmega8.hex", "blink-atmega8.eep", "blink-attiny85.hex",
                             "blink-attiny85.eep", "tables-atmega328p.hex"}) {
        EXPECT_EQ(ReadFile(bin + "/" + name), ReadFile(Examples(name))) << name;
    }
}

// Scripts get the same bytes on every system: each line ends in LF alone, on Windows as well,
// and --help says so.
TEST(LineEnds, EveryOutputEndsItsLinesInLfAlone) {
    const std::string image = Examples("blink-atmega8.hex");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--controller", "ATmega8", image},
          std::vector<std::string>{"--dump", image},
          std::vector<std::string>{"--pages", "--controller", "ATmega8", image},
          std::vector<std::string>{"--json", "--pages", "--controller", "ATmega8", image},
          std::vector<std::string>{"--list-controllers"}, std::vector<std::string>{"--help"},
          std::vector<std::string>{"--controller", "ATmega9", image},
          std::vector<std::string>{"--verbose"},
          std::vector<std::string>{WriteFile("not-hex.hex", ":1G\n")}}) {
        const RunResult run = RunInfo(args);
        const std::string both = run.Out + run.Err;
        ASSERT_FALSE(both.empty()) << args[0];
        EXPECT_EQ(both.find('\r'), std::string::npos) << args[0];
        EXPECT_EQ(both.back(), '\n') << args[0];
    }
    EXPECT_NE(RunInfo({"--help"}).Out.find("LF"), std::string::npos);
}
