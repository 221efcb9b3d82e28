#include "pages/Usage.h"

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
    // 32 pages of 1,024 bytes, 8 of them with one data byte each.
    TPageList pages;
    pages.Rebuild(31, 1024);
    pages.PageCount = 31;
    pages.PageSize = 1024;
    for (int k = 0; k < 8; ++k) {
        pages.Items(static_cast<std::size_t>(k)).Bytes[5].Assign("00");
    }
    EXPECT_DOUBLE_EQ(PagesUsedShare(pages), 25.0);
    EXPECT_EQ(UsageLabel(PagesUsedShare(pages), false, ','), "25,0%");
    EXPECT_EQ(UsageLabel(PagesUsedShare(pages), true, ','), "> 100%");

    // 4,096 data bytes of a 32 KiB flash.
    TPageList flash;
    flash.Rebuild(255, 128);
    flash.PageCount = 255;
    flash.PageSize = 128;
    for (int k = 0; k < 32; ++k) {
        for (auto& b : flash.Items(static_cast<std::size_t>(k)).Bytes) {
            b.Assign("ff"); // lower case counts as data
        }
    }
    EXPECT_EQ(UsageLabel(BytesUsedShare(flash, 0x7FFF), false, ','), "12,5%");
    const UsedShares both = UsedSharesOf(flash, 0x7FFF);
    EXPECT_DOUBLE_EQ(both.pages, PagesUsedShare(flash));
    EXPECT_DOUBLE_EQ(both.bytes, BytesUsedShare(flash, 0x7FFF));
    EXPECT_DOUBLE_EQ(PageUsedShare(flash.Items(0), 128), 100.0);
    EXPECT_DOUBLE_EQ(PageUsedShare(flash.Items(40), 128), 0.0);
    EXPECT_EQ(UsageLabel(100.5, false, ','), "> 100%");
}
