#include "pages/Usage.h"

#include "pages/MemoryLayout.h"
#include "pages/UsageBar.h"

#include <cmath>
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

TEST(UsageBar, FilledColumnsAndColour) {
    // Bars of the window's designed width, 669 pixels: an interior of 667.
    const struct {
        double share;
        bool doesNotFit;
        std::int32_t right;
        Rgb colour;
    } cases[] = {{0.0, false, 0, kBarGreen},         {37.5, false, 250, kBarGreen},
                 {99.99, false, 666, kBarGreen},     {100.0, false, 667, kBarGreen},
                 {100.01, false, 667, kBarRed},      {3.0, true, 667, kBarRed},
                 {std::nan(""), false, 0, kBarGreen}};
    for (const auto& c : cases) {
        EXPECT_EQ(UsageBarFill(c.share, c.doesNotFit, 669), (BarFill{c.right, c.colour}))
            << c.share << (c.doesNotFit ? " (does not fit)" : "");
    }
    EXPECT_EQ(UsageBarFill(50.0, true, 1).Right, 0); // no interior to fill
}

TEST(UsageBar, BellShapedBlend) {
    // Nothing at the ends, the scale at the focus, symmetric about it.
    EXPECT_NEAR(SigmaBlend(0.0, 0.5, 0.7), 0.0, 1e-12);
    EXPECT_NEAR(SigmaBlend(1.0, 0.5, 0.7), 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(SigmaBlend(0.5, 0.5, 0.7), 0.7);
    EXPECT_NEAR(SigmaBlend(0.25, 0.5, 0.7), 0.35, 1e-9);
    EXPECT_NEAR(SigmaBlend(0.1, 0.5, 0.7), SigmaBlend(0.9, 0.5, 0.7), 1e-9);
    // A bell, not a tent: flat near the ends and near the focus.
    EXPECT_LT(SigmaBlend(0.05, 0.5, 0.7), 0.03);
    EXPECT_GT(SigmaBlend(0.45, 0.5, 0.7), 0.67);

    // The bars' stops: white at both ends, 70 % green at the middle, only the tone changing.
    const std::vector<GradientStop> stops = UsageBarStops(kBarGreen);
    ASSERT_EQ(stops.size(), 17u);
    EXPECT_EQ(stops.front(), (GradientStop{0.0, kBarWhite}));
    EXPECT_EQ(stops.back(), (GradientStop{1.0, kBarWhite}));
    EXPECT_EQ(stops[8], (GradientStop{0.5, Rgb{77, 166, 77}})); // 255 - 0.7 * 255, 255 - 0.7 * 127
    for (std::size_t i = 1; i < stops.size(); ++i) {
        EXPECT_GT(stops[i].Offset, stops[i - 1].Offset);
        EXPECT_EQ(stops[i].Colour.red, stops[i].Colour.blue);
    }
}
