#include "pages/MemoryChecks.h"

#include "pages/MemoryLayout.h"

#include <gtest/gtest.h>

using namespace pagora;

namespace {

// Fresh pages of a memory of (lastPage + 1) * pageSize bytes, with the given bytes set.
TPageList Memory(std::int32_t lastPage, std::int32_t pageSize,
                 const std::vector<std::pair<std::size_t, std::string>>& bytes = {}) {
    TPageList pages;
    RebuildForMemory(pages, (lastPage + 1) * pageSize - 1, pageSize);
    for (const auto& [address, text] : bytes) {
        pages.Items(address / static_cast<std::size_t>(pageSize))
            .Bytes[address % static_cast<std::size_t>(pageSize)]
            .Assign(text);
    }
    return pages;
}

} // namespace

TEST(FirstDataAddress, OnlyTheRangeCountsAcrossPages) {
    const TPageList pages = Memory(7, 4, {{3, "00"}, {13, "A5"}, {20, "FF"}});
    EXPECT_EQ(FirstDataAddress(pages, 0, 32), 3);
    EXPECT_EQ(FirstDataAddress(pages, 4, 32), 13);  // page 3, entry 1
    EXPECT_EQ(FirstDataAddress(pages, 13, 14), 13); // a range of one byte
    EXPECT_EQ(FirstDataAddress(pages, 4, 13), std::nullopt);
    EXPECT_EQ(FirstDataAddress(pages, 14, 32), std::nullopt); // "FF" written by a file is blank
    EXPECT_EQ(FirstDataAddress(pages, 32, 32), std::nullopt); // an empty range
    EXPECT_EQ(FirstDataAddress(pages, 0, 1000), 3);           // past the last page: no pages
}

TEST(FirstDataAddress, LowerCaseFfIsDataAsInTheBlankCount) {
    const TPageList pages = Memory(1, 64, {{70, "ff"}});
    EXPECT_EQ(FirstDataAddress(pages, 0, 128), 70);
    EXPECT_EQ(pages.Items(1).BlankBytes(), 63);
}

TEST(FirstDataAddress, MemoryWithoutPagesHoldsNoData) {
    TPageList none;
    RebuildForMemory(none, 0x3FF, 0);
    EXPECT_EQ(none.Count(), 0u);
    EXPECT_EQ(FirstDataAddress(none, 0, 1024), std::nullopt);
}

TEST(DifferingPages, CountsBytesByValuePerPage) {
    const TPageList before = Memory(3, 8, {{0, "12"}, {9, "ab"}, {10, "00"}, {30, "ff"}});
    const TPageList after = Memory(3, 8, {{0, "13"}, {9, "AB"}, {11, "00"}, {12, "00"}});
    // Page 0: 12 -> 13. Page 1: AB equals ab; 00 moved from 10 to 11, one more at 12.
    // Page 3: ff equals the blank FF.
    const std::vector<PageDifference> expected{{0, 1}, {1, 3}};
    EXPECT_EQ(DifferingPages(before, after), expected);
    EXPECT_TRUE(DifferingPages(after, after).empty());
}

TEST(DifferingPages, PagesOfOneLayoutOnlyDifferInTheirData) {
    const TPageList shorter = Memory(0, 4, {{1, "00"}});
    const TPageList longer = Memory(2, 4, {{1, "00"}, {9, "01"}, {10, "02"}});
    const std::vector<PageDifference> expected{{2, 2}};
    EXPECT_EQ(DifferingPages(shorter, longer), expected);
    EXPECT_EQ(DifferingPages(longer, shorter), expected);
    EXPECT_TRUE(DifferingPages(TPageList(), TPageList()).empty());
}

TEST(LayOntoMemory, MemoryWithoutPagesTakesNotEvenAnEmptyImage) {
    THexContainer empty;
    TPageList pages;
    EXPECT_FALSE(LayOntoMemory(empty, pages, 0x3F, 0));
    EXPECT_EQ(pages.Count(), 0u);
    // An EEPROM of 64 bytes in pages of 4: 16 pages.
    EXPECT_TRUE(LayOntoMemory(empty, pages, 0x3F, 4));
    EXPECT_EQ(pages.Count(), 16u);
    EXPECT_EQ(pages.PageCount, 15);
}
