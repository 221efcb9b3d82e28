#include "devices/DeviceTable.h"

#include <bit>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace pagora {
namespace {

TEST(DeviceTable, EveryNameStandsInOneRowOnly) {
    std::set<std::string_view> seen;
    int names = 0;
    for (const TDeviceRow& row : DeviceTableRows()) {
        EXPECT_FALSE(row.Names[0].empty());
        for (std::string_view name : row.Names) {
            if (name.empty()) {
                continue;
            }
            ++names;
            EXPECT_TRUE(seen.insert(name).second) << name;
            EXPECT_EQ(FindDeviceRow(name), &row) << name;
        }
    }
    // 57 rows, 13 of them with a second name.
    EXPECT_EQ(DeviceTableRows().size(), 57u);
    EXPECT_EQ(names, 70);
}

TEST(DeviceTable, EmptyNameHasNoRow) {
    EXPECT_EQ(FindDeviceRow(""), nullptr);
    EXPECT_EQ(FindDeviceRow(std::string_view("ATmega8\0", 8)), nullptr);
    EXPECT_NE(FindDeviceRow("ATmega8"), nullptr);
}

// Facts every real part shows; a slip in a transcribed number breaks one of them.
TEST(DeviceTable, SizesAndSignaturesArePlausible) {
    auto check = [](const TDeviceRow& row) {
        SCOPED_TRACE(std::string(row.Names[0].empty() ? "default row" : row.Names[0]));
        const auto flashBytes = static_cast<unsigned>(row.FlashSize) + 1;
        const auto eepromBytes = static_cast<unsigned>(row.EEPROMSize) + 1;
        EXPECT_TRUE(std::has_single_bit(flashBytes));
        EXPECT_TRUE(std::has_single_bit(eepromBytes));
        EXPECT_EQ(flashBytes % static_cast<unsigned>(row.FlashPageSize), 0u);
        EXPECT_EQ(eepromBytes % static_cast<unsigned>(row.EEPROMPageSize), 0u);
        EXPECT_EQ(row.McID >> 16, 0x1E); // the manufacturer byte
        // The middle signature byte grows with the flash: 0x90 for 1 KiB, 0x98 for 256 KiB.
        EXPECT_EQ(1u << (((row.McID >> 8) & 0xFF) - 0x90 + 10), flashBytes);
        const bool tiny = row.Names[0].starts_with("ATtiny");
        EXPECT_EQ(row.McType, tiny ? TMicroTyp::ATtiny : TMicroTyp::ATmega);
        EXPECT_NE(row.Low, nullptr);
        EXPECT_NE(row.High, nullptr);
        EXPECT_NE(row.Ext, nullptr);
        EXPECT_NE(row.Lock, nullptr);
        EXPECT_NE(row.Cal, nullptr);
    };
    check(DefaultDeviceRow());
    for (const TDeviceRow& row : DeviceTableRows()) {
        check(row);
    }
}

TEST(DeviceTable, RecordsAreWellFormed) {
    for (const TDeviceRow& row : DeviceTableRows()) {
        SCOPED_TRACE(std::string(row.Names[0]));
        EXPECT_TRUE(row.Low->Present);
        for (const TFusePattern* fuse : {row.High, row.Ext}) {
            if (!fuse->Present) {
                EXPECT_EQ(fuse->WriteCommand, 0);
                EXPECT_EQ(fuse->ReadCommand, 0);
                EXPECT_EQ(fuse->DefaultValue, 0xFF);
                EXPECT_EQ(fuse->BitNames, TBitNamePattern{});
            }
        }
        const TCalibrationPattern& cal = *row.Cal;
        for (std::size_t i = 0; i < cal.Frequencies.size(); ++i) {
            EXPECT_EQ(cal.Frequencies[i].empty(), i >= cal.ByteCount) << i;
        }
        for (const TBitNamePattern* names :
             {&row.Low->BitNames, &row.High->BitNames, &row.Ext->BitNames, &row.Lock->BitNames}) {
            for (std::string_view name : *names) {
                EXPECT_LE(name.size(), 16u) << name;
            }
        }
    }
}

} // namespace
} // namespace pagora
