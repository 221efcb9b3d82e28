// --json read back by a JSON parser, as a script would.
#include "InfoRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace infotest;
using nlohmann::json;

TEST(Json, FittingImageWithPages) {
    const RunResult run =
        RunInfo({"--json", "--pages", "--controller", "ATmega8", Examples("blink-atmega8.hex")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const json report = ParsedJson(run);
    EXPECT_EQ(report["file"], Examples("blink-atmega8.hex"));
    EXPECT_EQ(report["controller"]["name"], "ATmega8");
    EXPECT_EQ(report["controller"]["flash_size"], 8192);
    EXPECT_EQ(report["controller"]["page_size"], 64);
    EXPECT_EQ(report["controller"]["pages"], 128);
    EXPECT_EQ(report["fits"], true);

    // The pages agree with the shares: a page counts as used with one data byte.
    const json& pages = report["pages"];
    ASSERT_EQ(pages.size(), 128u);
    int blankBytes = 0;
    int usedPages = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i]["page"], i);
        EXPECT_EQ(pages[i]["address"], i * 64);
        const int blank = pages[i]["blank_bytes"];
        blankBytes += blank;
        usedPages += blank < 64 ? 1 : 0;
        EXPECT_EQ(pages[i]["fill"], blank == 64 ? "blank" : pages[i]["fill"]);
    }
    EXPECT_EQ(pages[0]["fill"], "full");
    EXPECT_GT(usedPages, 0);
    EXPECT_DOUBLE_EQ(report["pages_used"]["percent"].get<double>(), usedPages * 100.0 / 128);
    EXPECT_DOUBLE_EQ(report["flash_used"]["percent"].get<double>(),
                     (8192 - blankBytes) * 100.0 / 8192);

    // The labels are the summary's.
    const RunResult summary = RunInfo({"--controller", "ATmega8", Examples("blink-atmega8.hex")});
    EXPECT_NE(summary.Out.find(
                  "Pages Benutzt: " + report["pages_used"]["label"].get<std::string>() + "\n"),
              std::string::npos)
        << summary.Out;
    EXPECT_NE(summary.Out.find("Flash-Speicher Benutzt: " +
                               report["flash_used"]["label"].get<std::string>() + "\n"),
              std::string::npos)
        << summary.Out;
}

TEST(Json, ImageThatDoesNotFit) {
    const RunResult run =
        RunInfo({"--json", "--controller", "ATmega8", Examples("tables-atmega328p.hex")});
    EXPECT_EQ(run.Status, 1);
    const json report = ParsedJson(run);
    EXPECT_EQ(report["fits"], false);
    EXPECT_EQ(report["lines"], 523);
    EXPECT_TRUE(report["pages_used"]["percent"].is_null());
    EXPECT_EQ(report["pages_used"]["label"], "> 100%");
    EXPECT_EQ(report["flash_used"]["label"], "> 100%");
    EXPECT_FALSE(report.contains("pages"));
}

TEST(Json, ImageAlone) {
    const RunResult run = RunInfo({"--json", Examples("blink-attiny85.eep")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const json report = ParsedJson(run);
    EXPECT_EQ(report["lines"], 2);
    EXPECT_TRUE(report["controller"].is_null());
    EXPECT_TRUE(report["fits"].is_null());
}

TEST(Json, FileNameThatIsNoUtf8) {
    const std::string hex = WriteFile("latin1-\xE4.hex", ":00000001FF\n");
    const RunResult run = RunInfo({"--json", hex});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const json report = ParsedJson(run);
    EXPECT_EQ(report["lines"], 0);
    EXPECT_TRUE(report["file"].is_string());
}

TEST(Json, ControllerList) {
    const RunResult run = RunInfo({"--json", "--list-controllers"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const json list = ParsedJson(run);
    ASSERT_EQ(list.size(), 84u);
    EXPECT_EQ(list[42]["name"], "ATmega2560");
    EXPECT_EQ(list[42]["flash_size"], 262144);
    EXPECT_EQ(list[42]["page_size"], 256);
}
