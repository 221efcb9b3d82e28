#include "pages/TPageList.h"

#include "image/Errors.h"
#include "pages/MemoryLayout.h"
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

TEST(LayOntoMemory, FitsExactlyTheFlashAndKeepsImageLines) {
    // 40 KiB of data on 32 KiB, 64 KiB and 8 KiB of flash.
    THexContainer image = UsedLines(2560);
    TPageList pages;
    EXPECT_FALSE(LayOntoMemory(image, pages, 0x7FFF, 128));
    EXPECT_EQ(pages.Count(), 256u);
    EXPECT_EQ(pages.PageCount, 255);
    EXPECT_EQ(pages.PageSize, 128);
    EXPECT_EQ(image.Count(), 2560u);
    EXPECT_TRUE(LayOntoMemory(image, pages, 0xFFFF, 256));
    EXPECT_EQ(image.Count(), 4096u);
    EXPECT_EQ(pages.Items(159).BlankBytes(), 0);
    EXPECT_EQ(pages.Items(160).BlankBytes(), 256);
    EXPECT_FALSE(LayOntoMemory(image, pages, 0x1FFF, 64));
    EXPECT_EQ(image.Count(), 2560u);
    // A part without flash pages takes no byte.
    THexContainer one = UsedLines(1);
    EXPECT_FALSE(LayOntoMemory(one, pages, 0x7FFF, 0));
    EXPECT_EQ(pages.Count(), 0u);
}

TEST(TPageList, FullLinesAndPartLinesLandAlike) {
    // Full lines take the quick way, a short line and a page size of 24 the byte-wise one.
    THexContainer store;
    store.LoadFromHexText(":10000000000102030405060708090A0B0C0D0E0F00\n"
                          ":04001000A0A1A2A300\n"
                          ":10002000101112131415161718191A1B1C1D1E1F00\n");
    TPageList pages;
    pages.Rebuild(1, 24);
    pages.Fill(store);
    std::string seen;
    for (const TPage& page : pages) {
        for (const TByteText& b : page.Bytes) {
            seen += std::string(b.View());
        }
    }
    EXPECT_EQ(seen, "000102030405060708090A0B0C0D0E0FA0A1A2A3FFFFFFFF"
                    "FFFFFFFFFFFFFFFF101112131415161718191A1B1C1D1E1F");
    // 48 bytes fill the two pages exactly; one line more is left over.
    store.LoadFromHexText(":10000000000102030405060708090A0B0C0D0E0F00\n"
                          ":10003000000102030405060708090A0B0C0D0E0F00\n");
    pages.Rebuild(1, 24);
    EXPECT_THROW(pages.Fill(store), EListError);
}
