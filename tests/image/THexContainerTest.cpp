#include "image/THexContainer.h"

#include "image/Errors.h"

#include <gtest/gtest.h>

using namespace pagora;

TEST(THexLine, PrefilledLineReadsBlank) {
    THexContainer store;
    store.Prefill();
    ASSERT_EQ(store.Count(), 262145u);
    const THexLine& line = store[7];
    EXPECT_EQ(line.Count(), "0");
    EXPECT_EQ(line.Data(), "");
    EXPECT_FALSE(line.Used());
    EXPECT_EQ(store.Address(7), "70");
    EXPECT_EQ(store.Address(262144), "400000");
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(line.GetByteText(n), "FF");
    }
}

TEST(THexLine, ByteTextFollowsCountAndData) {
    THexLine line;
    line.SetCount(8);
    line.SetData("0102030405060708090A0B0C0D0E0F10");
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(line.GetByteText(n), line.Data().substr(2 * n - 2, 2)) << n;
    }
    for (int n = 9; n <= 16; ++n) {
        EXPECT_EQ(line.GetByteText(n), "FF") << n;
    }
    // Data ending after the first character of a byte gives that one character.
    line.SetCount(16);
    line.SetData("ABC");
    EXPECT_EQ(line.GetByteText(2), "C");
    EXPECT_EQ(line.GetByteText(3), "FF");
}

TEST(THexContainer, FindLineWithinPrefilledSpan) {
    THexContainer store;
    store.Prefill();
    EXPECT_EQ(&store.FindLine("400000"), &store[262144]);
    EXPECT_EQ(&store.FindLine("1f"), &store[1]);
    try {
        store.FindLine("400010");
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "Das hex-File ist zu Groß für den gewählten Controller!");
    }
    EXPECT_THROW(store.FindLine("FFFFFFF0"), EListError); // negative reads as beyond the end
    EXPECT_THROW(store.FindLine("x"), EConvertError);
    EXPECT_EQ(store.NextLine(&store[262144]), nullptr);
    EXPECT_EQ(store.NextLine(&store[3]), &store[4]);
    THexLine stranger;
    EXPECT_EQ(store.NextLine(&stranger), nullptr);
}

TEST(THexContainer, FitToSizeGrowsAndShrinksOnlyAppendedLines) {
    THexContainer store;
    store.FitToSize(0x7FFF);
    ASSERT_EQ(store.Count(), 2048u);
    EXPECT_EQ(store[2047].Count(), "");
    EXPECT_EQ(store.Address(2047), "");
    EXPECT_EQ(store[2047].CountValue(), 0);
    EXPECT_EQ(store[2047].GetByteText(1), "FF");
    EXPECT_FALSE(store[2047].Used());
    store.FitToSize(0x1FFF);
    EXPECT_EQ(store.Count(), 512u);

    // A loaded 40 KiB image keeps its lines on a smaller controller.
    THexContainer image;
    image.Prefill();
    image.FitToSize(0x9FFF); // cut to 2,560 lines
    for (std::size_t i = 0; i < image.Count(); ++i) {
        image[i].SetUsed(true);
    }
    ASSERT_EQ(image.Count(), 2560u);
    image.FitToSize(0x7FFF);
    EXPECT_EQ(image.Count(), 2560u);
    image.FitToSize(0xFFFF);
    ASSERT_EQ(image.Count(), 4096u);
    EXPECT_TRUE(image[2559].Used());
    EXPECT_FALSE(image[2560].Used());
    EXPECT_EQ(image.Address(2559), "9FF0");
    EXPECT_EQ(image.Address(2560), "");
    image.FitToSize(0x1FFF);
    EXPECT_EQ(image.Count(), 2560u);
}

TEST(THexContainer, ListOperations) {
    THexContainer store;
    THexLine line;
    line.SetCount(1);
    line.SetData("AB");
    store.Add(line);
    store.Add(line);
    store.Add(line);
    EXPECT_EQ(store.Count(), 3u);
    EXPECT_EQ(store.IndexOf(&store[2]), 2);
    EXPECT_EQ(store.IndexOf(&line), -1);
    store.Delete(0);
    EXPECT_EQ(store.Count(), 2u);
    EXPECT_EQ(store.Address(0), "10"); // a line keeps its address when lines before it go
    EXPECT_THROW(store.Delete(5), EListError);
    THexContainer copy = store;
    EXPECT_TRUE(copy == store);
    copy[0].SetData("CD");
    EXPECT_FALSE(copy == store);
    store.Clear();
    EXPECT_TRUE(store.Empty());
}
