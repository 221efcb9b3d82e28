#include "image/HexToInt.h"

#include "image/Errors.h"

#include <gtest/gtest.h>

using namespace pagora;

TEST(HexToInt, ConvertsEitherCaseAndWraps) {
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"", 0},
        {"0", 0},
        {"ff", 255},
        {"FF", 255},
        {"aBc", 0xABC},
        {"400000", 4194304},
        {"7FFFFFFF", 2147483647},
        {"FFFFFFFF", -1},
        {"80000000", INT32_MIN},
        {"123456789", 0x23456789}, // the ninth digit shifts the first out
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HexToInt(c.text), c.value) << c.text;
    }
}

TEST(HexToInt, RejectsAnyOtherCharacter) {
    for (const char* text : {"1G", " 1", "1 ", "-1", "+1", "0x10", "g"}) {
        try {
            HexToInt(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), "No Hex-Number") << text;
        }
    }
}

TEST(ToHex, PadsToMinimumDigits) {
    EXPECT_EQ(ToHex(0x1A0, 6), "0001A0");
    EXPECT_EQ(ToHex(0x1000000, 6), "1000000");
    EXPECT_EQ(ToHex(0), "0");
    EXPECT_EQ(ToHex(0xFFFFFFFF), "FFFFFFFF");
}
