#include "pages/TPageList.h"

#include "image/Errors.h"
#include "pages/PageFill.h"

#include <gtest/gtest.h>

using namespace pagora;

namespace {

// A store of n used lines, every byte 00.
THexContainer UsedLines(std::size_t n) {
    THexContainer store;
    THexLine line;
    line.SetCount(16);
    line.SetData(std::string(32, '0'));
    line.SetUsed(true);
    for (std::size_t i = 0; i < n; ++i) {
        store.Add(line);
    }
    return store;
}

} // namespace

TEST(TPageList, RebuildGivesBlankPages) {
    TPageList pages;
    pages.Rebuild(255, 128);
    ASSERT_EQ(pages.Count(), 256u);
    for (const TPage& page : pages) {
        ASSERT_EQ(page.Bytes.size(), 128u);
        EXPECT_EQ(page.BlankBytes(), 128);
        EXPECT_EQ(page.Rect, TRect{});
    }
    pages.Rebuild(0, 64);
    EXPECT_EQ(pages.Count(), 1u);
    pages.Rebuild(-1, 64);
    EXPECT_EQ(pages.Count(), 0u);
}

TEST(TPageList, FillsUpToTheLastPageExactly) {
    TPageList pages;
    pages.Rebuild(255, 128);
    EXPECT_NO_THROW(pages.Fill(UsedLines(2048)));
    EXPECT_EQ(pages.Items(255).BlankBytes(), 0);

    pages.Rebuild(255, 128);
    try {
        pages.Fill(UsedLines(2049));
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "Die Daten passen nicht in den gewählten Controller!\r\n"
                               "Bitte wählen Sie einen anderen!");
    }
    // Every page has been filled before the error.
    EXPECT_EQ(pages.Items(255).BlankBytes(), 0);

    pages.Rebuild(255, 128);
    pages.Fill(UsedLines(512));
    EXPECT_EQ(pages.Items(63).BlankBytes(), 0);
    EXPECT_EQ(pages.Items(64).BlankBytes(), 128);
    EXPECT_EQ(pages.Items(255).BlankBytes(), 128);
}

TEST(TPageList, PagesOfOneByteAndOddSizes) {
    // ATtiny12: pages of one byte.
    TPageList pages;
    pages.Rebuild(1023, 1);
    pages.Fill(UsedLines(64));
    EXPECT_EQ(pages.Items(1023).BlankBytes(), 0);
    EXPECT_THROW(pages.Fill(UsedLines(65)), EListError);

    // A page size that does not divide 16: a line's bytes run across pages.
    pages.Rebuild(2, 24);
    pages.Fill(UsedLines(4)); // 64 bytes into 72
    EXPECT_EQ(pages.Items(2).BlankBytes(), 8);

    // Pages without room never take a byte.
    pages.Rebuild(3, 0);
    EXPECT_THROW(pages.Fill(UsedLines(1)), EListError);
    EXPECT_NO_THROW(pages.Fill(THexContainer{}));
}

TEST(TPageList, BlankMeansExactlyUpperCaseFF) {
    THexContainer store;
    store.LoadFromHexText(":04000000ffFFfF0000\n");
    TPageList pages;
    pages.Rebuild(0, 16);
    pages.Fill(store);
    // "ff", "fF" and "00" are data; "FF" and the 12 bytes the line does not hold are blank.
    EXPECT_EQ(pages.Items(0).BlankBytes(), 13);
    EXPECT_EQ(pages.Items(0).Bytes[0].View(), "ff");
}

TEST(TPageList, PageAtUsesLastPaintedSquares) {
    TPageList pages;
    pages.Rebuild(1, 8);
    EXPECT_EQ(pages.PageAt(0, 0), nullptr); // nothing painted yet
    pages.Items(0).Rect = {9, 9, 32, 32};
    pages.Items(1).Rect = {34, 9, 57, 32};
    EXPECT_EQ(pages.PageAt(9, 9), &pages.Items(0));
    EXPECT_EQ(pages.PageAt(31, 31), &pages.Items(0));
    EXPECT_EQ(pages.PageAt(32, 20), nullptr);
    EXPECT_EQ(pages.PageAt(20, 32), nullptr);
    EXPECT_EQ(pages.PageAt(34, 9), &pages.Items(1));
    EXPECT_EQ(pages.IndexOf(pages.PageAt(40, 10)), 1);
}

TEST(PageFill, ThresholdsFor128BytePages) {
    const struct {
        int blank;
        PageFill fill;
    } cases[] = {{0, PageFill::Full},    {1, PageFill::Full},     {2, PageFill::Mostly},
                 {65, PageFill::Mostly}, {66, PageFill::Half},    {97, PageFill::Half},
                 {98, PageFill::Little}, {127, PageFill::Little}, {128, PageFill::Blank}};
    for (const auto& c : cases) {
        EXPECT_EQ(PageFillOf(c.blank, 128), c.fill) << c.blank;
    }
    EXPECT_EQ(PageFillOf(0, 0), PageFill::Blank);
}
