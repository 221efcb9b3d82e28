#include "pages/PageSquares.h"

#include "pages/MemoryLayout.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace pagora;

namespace pagora {
void PrintTo(const TRect& r, std::ostream* os) {
    *os << '{' << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << '}';
}
} // namespace pagora

TEST(PageSquares, CellsRunLeftToRightThenDown) {
    const struct {
        std::size_t index;
        std::int32_t rowMeasure;
        SquareCell cell;
    } cases[] = {
        {0, 3, {0, 0}},   {3, 3, {3, 0}},    {4, 3, {0, 1}},           {19, 3, {3, 4}}, // 4 a row
        {0, 0, {0, 0}},   {1, 0, {0, 1}},    {7, 0, {0, 7}},                            // 1 a row
        {5, -4, {0, 5}}, // below 0: 1
        {32, 31, {0, 1}}, {31, 31, {31, 0}}, {262143, 1, {1, 131071}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CellOfPage(c.index, c.rowMeasure), c.cell)
            << "page " << c.index << ", measure " << c.rowMeasure;
    }
}

TEST(PageSquares, SquareEdgesForEachBlockSize) {
    const struct {
        SquareCell cell;
        std::int32_t blockSize;
        TRect rect;
    } cases[] = {
        {{0, 0}, 25, {9, 9, 32, 32}},      {{1, 0}, 25, {34, 9, 57, 32}},
        {{3, 0}, 25, {84, 9, 107, 32}},    {{0, 1}, 25, {9, 34, 32, 57}},
        {{3, 4}, 25, {84, 109, 107, 132}}, {{0, 0}, 5, {9, 9, 12, 12}},
        {{2, 3}, 5, {19, 24, 22, 27}}, // 3 x 3: frame and 1 pixel
        {{1, 1}, 30, {39, 39, 67, 67}},    {{4, 2}, 10, {49, 29, 57, 37}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SquareRect(c.cell, c.blockSize), c.rect)
            << "cell " << c.cell.column << "/" << c.cell.row << ", block " << c.blockSize;
        EXPECT_EQ(c.rect.Right - c.rect.Left, c.blockSize - 2);
        EXPECT_EQ(c.rect.Bottom - c.rect.Top, c.blockSize - 2);
    }
}

TEST(PageSquares, LaidSquaresAnswerPageAt) {
    TPageList pages;
    RebuildForMemory(pages, 20 * 64 - 1, 64);
    EXPECT_EQ(pages.PageAt(9, 9), nullptr) << "no square before the first laying";
    LaySquares(pages, 3, 25);
    EXPECT_EQ(pages.Items(4).Rect, PageSquare(4, 3, 25));
    EXPECT_EQ(pages.Items(19).Rect, (TRect{84, 109, 107, 132}));
    EXPECT_EQ(pages.PageAt(34, 9), &pages.Items(1));  // left-top corner belongs to the square
    EXPECT_EQ(pages.PageAt(56, 31), &pages.Items(1)); // its last pixel too
    EXPECT_EQ(pages.PageAt(57, 9), nullptr);          // the 2-pixel gap
    EXPECT_EQ(pages.PageAt(9, 34), &pages.Items(4));  // the fifth page starts the second row
    EXPECT_EQ(pages.PageAt(8, 8), nullptr);           // the margin
}

TEST(PageSquares, AddressAndHintTexts) {
    EXPECT_EQ(PageAddressText(0, 64), "000000");
    EXPECT_EQ(PageAddressText(2, 64), "000080");
    EXPECT_EQ(PageAddressText(2047, 128), "03FF80");

    TPage page;
    page.SetPageSize(128);
    for (int k = 0; k < 48; ++k) {
        page.Bytes[static_cast<std::size_t>(k)].Assign("0C");
    }
    EXPECT_EQ(PageHintText(3, 128, page, ','), "          Page 3\r\n"
                                               "          Adresse: 0x000180 (384d)\r\n"
                                               "          Benutzt: 37,5%");
    EXPECT_EQ(PageHintText(0, 128, page, '.'), "          Page 0\r\n"
                                               "          Adresse: 0x000000 (0d)\r\n"
                                               "          Benutzt: 37.5%");
}
