#include "pages/Usage.h"

#include "pages/MemoryLayout.h"

#include <gtest/gtest.h>

using namespace pagora;

TEST(FormatPercent, OneDecimalRoundedHalfUp) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{0.0, "0,0"},     {6.25, "6,3"},    {37.5, "37,5"},         {12.5, "12,5"},
                 {100.0, "100,0"}, {0.05, "0,1"},    {0.15, "0,2"},          {37.45, "37,5"},
                 {99.94, "99,9"},  {99.95, "100,0"}, {1.0 / 3 * 100, "33,3"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatPercent(c.value, ','), c.text) << c.value;
    }
    EXPECT_EQ(FormatPercent(6.25, '.'), "6.3");
}

TEST(Usage, SharesOfPagesAndBytes) {
    // 32 KiB of flash in 32 pages of 1,024 bytes, 8 of them with one data byte each.
    TPageList pages;
    RebuildForMemory(pages, 0x7FFF, 1024);
    for (int k = 0; k < 8; ++k) {
        pages.Items(static_cast<std::size_t>(k)).Bytes[5].Assign("00");
    }
    const UsedShares eight = UsedSharesOf(pages, 0x7FFF);
    EXPECT_DOUBLE_EQ(eight.pages, 25.0); // a page with one data byte is used
    EXPECT_EQ(UsageLabel(eight.pages, false, ','), "25,0%");
    EXPECT_EQ(UsageLabel(eight.pages, true, ','), "> 100%");
    EXPECT_DOUBLE_EQ(eight.bytes, 8 * 100.0 / 32768);

    // 4,096 data bytes of a 32 KiB flash in pages of 128 bytes.
    TPageList flash;
    RebuildForMemory(flash, 0x7FFF, 128);
    for (int k = 0; k < 32; ++k) {
        for (auto& b : flash.Items(static_cast<std::size_t>(k)).Bytes) {
            b.Assign("ff"); // lower case counts as data
        }
    }
    const UsedShares both = UsedSharesOf(flash, 0x7FFF);
    EXPECT_EQ(UsageLabel(both.bytes, false, ','), "12,5%");
    EXPECT_EQ(UsageLabel(both.pages, false, ','), "12,5%");
    EXPECT_DOUBLE_EQ(PageUsedShare(flash.Items(0), 128), 100.0);
    EXPECT_DOUBLE_EQ(PageUsedShare(flash.Items(40), 128), 0.0);
    EXPECT_EQ(UsageLabel(100.5, false, ','), "> 100%");
}

TEST(Usage, ShareOfNothingIsZero) {
    EXPECT_DOUBLE_EQ(UsedShare(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(UsedShare(-1, 0), 0.0);
    EXPECT_DOUBLE_EQ(UsedShare(128, 48), 62.5);
    // A part without flash pages has no pages to share.
    TPageList none;
    RebuildForMemory(none, 0x7FFF, 0);
    EXPECT_EQ(none.Count(), 0u);
    EXPECT_DOUBLE_EQ(UsedSharesOf(none, 0x7FFF).pages, 0.0);
}
