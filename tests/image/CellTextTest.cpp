#include "image/CellText.h"

#include <gtest/gtest.h>

using namespace pagora;
using namespace pagora::cells;

TEST(CellText, CharacterBoundaries) {
    const struct {
        const char* byte;
        char shown;
    } cases[] = {{"21", '!'}, {"7B", '{'}, {"7C", '.'}, {"20", '.'}, {"41", 'A'}, {"61", 'a'},
                 {"7f", '.'}, {"FF", '.'}, {"00", '.'}, {"4a", 'J'}, {"ZZ", '.'}, {"4", '.'}};
    for (const auto& c : cases) {
        EXPECT_EQ(CharFor(c.byte), c.shown) << c.byte;
    }
}

TEST(CellText, RowTexts) {
    THexContainer store;
    store.LoadFromHexText(":0500000021417B7C20F0\n");
    store.FitToSize(0x1F);
    EXPECT_EQ(CellText(store, 0, 0), "000000");
    EXPECT_EQ(CellText(store, 1, 0), "000010"); // appended line: address from the row
    EXPECT_EQ(CellText(store, 65536, 0), "100000");
    EXPECT_EQ(CellText(store, 0, 1), "21");
    EXPECT_EQ(CellText(store, 0, 6), "FF");
    EXPECT_EQ(CellText(store, 0, 17), "");
    EXPECT_EQ(CellText(store, 0, 18), "!");
    EXPECT_EQ(CellText(store, 0, 19), "A");
    EXPECT_EQ(CellText(store, 0, 20), "{");
    EXPECT_EQ(CellText(store, 0, 21), ".");
    EXPECT_EQ(CellText(store, 0, 23), ".");
}

TEST(CellText, RowClasses) {
    THexContainer store;
    store.Prefill();
    store.FitToSize(0x800F); // cut to 2,049 lines, none Used yet
    for (std::size_t i = 0; i < store.Count(); ++i) {
        store[i].SetUsed(true);
    }
    store.FitToSize(0x803F); // two appended lines
    EXPECT_EQ(ClassifyRow(store, 0x7FF, 0x7FFF), RowClass::Normal);
    EXPECT_EQ(ClassifyRow(store, 0x800, 0x7FFF), RowClass::BeyondFlash);
    EXPECT_EQ(ClassifyRow(store, 0x800, -1), RowClass::Normal);
    EXPECT_EQ(ClassifyRow(store, 0x802, 0x7FFF), RowClass::NotUsed);
    EXPECT_EQ(ClassifyRow(store, 0x802, -1), RowClass::NotUsed);
}
