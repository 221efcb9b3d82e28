#include "devices/TMikrocontroller.h"

#include "DescriptionMatchers.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pagora {
namespace {

using Names = std::array<std::string, 8>;

TFuseByte Fuse(std::int64_t write, std::int64_t read, std::uint8_t defaultValue, Names names) {
    return {names, write, read, defaultValue, true};
}
TFuseByte LowFuse(std::uint8_t defaultValue, Names names) {
    return Fuse(0xACA00000, 0x50000000, defaultValue, names);
}
TFuseByte HighFuse(std::uint8_t defaultValue, Names names) {
    return Fuse(0xACA80000, 0x58080000, defaultValue, names);
}
// A lock byte never gets Present or a default value.
TFuseByte LockByte(std::int64_t write, Names names) {
    return {names, write, 0x58000000, 0, false};
}
const TFuseByte kAbsent{{}, 0, 0, 0xFF, false};
TCalibration Calibration(std::uint8_t count, Names frequencies) {
    return {count, 0x38000000, frequencies};
}

struct RowCase {
    std::string name;
    TMicroTyp type;
    std::int32_t mcID;
    std::int32_t flashSize;
    std::int32_t flashPageSize;
    std::int32_t eepromSize;
    std::int32_t eepromPageSize;
    bool jtag;
    TFuseByte low;
    TFuseByte high;
    TFuseByte ext;
    TFuseByte lock;
    TCalibration cal;
};

std::vector<RowCase> RowCases() {
    const TFuseByte L1 =
        LowFuse(0x62, {"CKSEL0", "CKSEL1", "CKSEL2", "CKSEL3", "SUT0", "SUT1", "CKOUT", "CKDIV8"});
    const TFuseByte L2 = LowFuse(
        0xE1, {"CKSEL0", "CKSEL1", "CKSEL2", "CKSEL3", "SUT0", "SUT1", "BODEN", "BODLEVEL"});
    const TFuseByte L3 = LowFuse(
        0x52, {"CKSEL0", "CKSEL1", "CKSEL2", "CKSEL3", "RSTDISBL", "SPIEN", "BODEN", "BODLEVEL"});
    const TFuseByte L4 =
        LowFuse(0x6A, {"CKSEL0", "CKSEL1", "SUT0", "SUT1", "CKDIV8", "WDTON", "EESAVE", "SPIEN"});
    const TFuseByte L5 =
        LowFuse(0x64, {"CKSEL0", "CKSEL1", "CKSEL2", "CKSEL3", "SUT0", "SUT1", "CKOUT", "CKDIV8"});
    const TFuseByte L6 =
        LowFuse(0x6E, {"CKSEL0", "CKSEL1", "", "", "SUT0", "SUT1", "CKOUT", "CKDIV8"});
    const TFuseByte H1 = HighFuse(
        0x99, {"BOOTRST", "BOOTSZ0", "BOOTSZ1", "EESAVE", "WDTON", "SPIEN", "JTAGEN", "OCDEN"});
    const TFuseByte H2 = HighFuse(
        0xD9, {"BOOTRST", "BOOTSZ0", "BOOTSZ1", "EESAVE", "CKOPT", "SPIEN", "WDTON", "RSTDISBL"});
    const TFuseByte H3 = HighFuse(
        0x99, {"BOOTRST", "BOOTSZ0", "BOOTSZ1", "EESAVE", "CKOPT", "SPIEN", "JTAGEN", "OCDEN"});
    const TFuseByte H6 = HighFuse(0xDF, {"BODLEVEL0", "BODLEVEL1", "BODLEVEL2", "EESAVE", "WDTON",
                                         "SPIEN", "DWEN", "RSTDISBL"});
    const TFuseByte H7 = HighFuse(
        0xD9, {"BOOTRST", "BOOTSZ0", "BOOTSZ1", "EESAVE", "WDTON", "SPIEN", "DWEN", "RSTDISBL"});
    const TFuseByte H8 =
        HighFuse(0xFF, {"RSTDISBL", "BODLEVEL0", "BODLEVEL1", "DWEN", "SPMEN", "", "", ""});
    const TFuseByte H9 = HighFuse(0xDF, {"RSTDISBL", "BODLEVEL0", "BODLEVEL1", "BODLEVEL2", "WDTON",
                                         "SPIEN", "EESAVE", "DWEN"});
    const TFuseByte E1 =
        Fuse(0xACA400F8, 0x50080000, 0xFF, {"BODLEVEL0", "BODLEVEL1", "BODLEVEL2"});
    // The one extended fuse byte read with 50 04 00 00.
    const TFuseByte E2 = Fuse(0xACA40000, 0x50040000, 0xFD, {"WDTON", "M103C"});
    const TFuseByte E5 = Fuse(0xACA40000, 0x50080000, 0xFF, {"SELFPRGEN"});
    const TFuseByte E11 =
        Fuse(0xACA40000, 0x50080000, 0xFF, {"BODLEVEL0", "BODLEVEL1", "BODLEVEL2"});
    const TFuseByte E12 = Fuse(0xACA40000, 0x50080000, 0xFF, {"SPMEN"});
    const TFuseByte K1 = LockByte(0xACE000C0, {"LOCKBIT1", "LOCKBIT2", "BOOTLOCK01", "BOOTLOCK02",
                                               "BOOTLOCK11", "BOOTLOCK12"});
    const TFuseByte K2 = LockByte(0xACE000C0, {"LOCKBIT1", "LOCKBIT2"});
    // Names begin at bit 1.
    const TFuseByte K3 = LockByte(0xACF90000, {"", "LOCKBIT1", "LOCKBIT2"});
    const TFuseByte K4 = LockByte(0xACE000FC, {"LOCKBIT1", "LOCKBIT2"});
    const TFuseByte K5 = LockByte(0xACE00000, {"LOCKBIT1", "LOCKBIT2"});
    // The reverse of K5.
    const TFuseByte K6 = LockByte(0xACE00000, {"LOCKBIT2", "LOCKBIT1"});
    const TCalibration C1 = Calibration(1, {"8MHz"});
    const TCalibration C2 = Calibration(4, {"1MHz", "2MHz", "4MHz", "8MHz"});
    const TCalibration C3 = Calibration(1, {"1.2MHz"});
    const TCalibration C4 = Calibration(1, {"9.6MHz (4.8MHz)"});
    const TCalibration C5 = Calibration(2, {"8MHz", "4MHz"});

    const auto ATmega = TMicroTyp::ATmega;
    const auto ATtiny = TMicroTyp::ATtiny;
    // clang-format off
    return {
        {"ATmega8",    ATmega, 0x1E9307, 0x1FFF,  64,  0x1FF, 4, false, L2, H2, kAbsent, K1, C2},
        {"ATmega8a",   ATmega, 0x1E9307, 0x1FFF,  64,  0x1FF, 4, false, L2, H2, kAbsent, K1, C2},
        {"ATmega64",   ATmega, 0x1E9602, 0xFFFF,  256, 0x7FF, 8, true,  L2, H3, E2,      K1, C2},
        {"ATmega2560", ATmega, 0x1E9801, 0x3FFFF, 256, 0xFFF, 8, true,  L1, H1, E1,      K1, C1},
        {"ATmega328p", ATmega, 0x1E950F, 0x7FFF,  128, 0x3FF, 4, false, L1, H7, E11,     K1, C1},
        {"ATtiny12",   ATtiny, 0x1E9005, 0x3FF,   1,   0x3F,  1, false, L3, kAbsent, kAbsent, K3, C3},
        {"ATtiny13",   ATtiny, 0x1E9007, 0x3FF,   32,  0x3F,  4, false, L4, H8, kAbsent, K2, C4},
        {"ATtiny13a",  ATtiny, 0x1E9007, 0x3FF,   32,  0x3F,  4, false, L4, H8, kAbsent, K2, C4},
        {"ATtiny2313", ATtiny, 0x1E910A, 0x7FF,   32,  0x7F,  4, false, L5, H9, E12,     K4, C5},
        {"ATtiny48",   ATtiny, 0x1E9209, 0xFFF,   64,  0x3F,  4, false, L6, H6, E5,      K5, C1},
        {"ATtiny861",  ATtiny, 0x1E930D, 0x1FFF,  64,  0x1FF, 4, false, L5, H6, E5,      K6, C1},
    };
    // clang-format on
}

TEST(TMikrocontroller, DescriptionFollowsItsRow) {
    for (const RowCase& c : RowCases()) {
        SCOPED_TRACE(c.name);
        const auto mc = TMikrocontroller::CreateByName(c.name);
        EXPECT_EQ(mc->ControllerName(), c.name);
        EXPECT_TRUE(mc->Known());
        EXPECT_EQ(mc->McType(), c.type);
        EXPECT_EQ(mc->McID(), c.mcID);
        EXPECT_EQ(mc->FlashSize(), c.flashSize);
        EXPECT_EQ(mc->FlashPageSize(), c.flashPageSize);
        EXPECT_EQ(mc->EEPROMSize(), c.eepromSize);
        EXPECT_EQ(mc->EEPROMPageSize(), c.eepromPageSize);
        EXPECT_EQ(mc->JTAG(), c.jtag);
        EXPECT_EQ(mc->LowFuse(), c.low);
        EXPECT_EQ(mc->HighFuse(), c.high);
        EXPECT_EQ(mc->ExtendedFuse(), c.ext);
        EXPECT_EQ(mc->LockBits(), c.lock);
        EXPECT_EQ(mc->Calibration(), c.cal);
        EXPECT_TRUE(mc->CompatibleWith().empty());
    }
}

TEST(TMikrocontroller, ColumnsThatNeverChange) {
    for (const char* name : {"ATmega8", "ATtiny12", "ATmega2560", "ATtiny15", ""}) {
        SCOPED_TRACE(name);
        const auto mc = TMikrocontroller::CreateByName(name);
        EXPECT_EQ(mc->FlashDelay(), 10);
        EXPECT_EQ(mc->EEPROMDelay(), 10);
        EXPECT_EQ(mc->EraseDelay(), 10);
        EXPECT_EQ(mc->FuseDelay(), 10);
        EXPECT_TRUE(mc->SPI());
        EXPECT_FALSE(mc->PDI());
        EXPECT_TRUE(mc->DataPolling());
    }
}

// Fifteen names of the catalogue, and names that differ from a row's name only in letter case
// or blanks: all get the default description, which equals that of "ATmega324pa".
TEST(TMikrocontroller, NameWithoutRowGetsDefaultDescription) {
    const auto reference = TMikrocontroller::CreateByName("ATmega324pa");
    const char* names[] = {"ATtiny15",    "ATtiny26",   "ATtiny28",
                           "ATmega16U4",  "ATmega32U4", "ATmega32C1",
                           "AT90USB82",   "AT90USB162", "AT90USB646",
                           "AT90USB1286", "AT90USB647", "AT90USB1287",
                           "AT90CAN32",   "AT90CAN64",  "AT90CAN128",
                           "atmega8",     "ATMEGA8",    " ATmega8",
                           "ATmega8 ",    "ATtiny13A",  ""};
    for (const char* name : names) {
        SCOPED_TRACE(std::string("\"") + name + "\"");
        const auto mc = TMikrocontroller::CreateByName(name);
        EXPECT_FALSE(mc->Known());
        EXPECT_EQ(mc->ControllerName(), name); // stored as given, blanks included
        EXPECT_EQ(mc->McType(), TMicroTyp::ATmega);
        EXPECT_EQ(mc->McID(), 0x1E9511);
        EXPECT_EQ(mc->FlashSize(), 0x7FFF);
        EXPECT_EQ(mc->FlashPageSize(), 128);
        EXPECT_EQ(mc->EEPROMSize(), 0x3FF);
        EXPECT_EQ(mc->EEPROMPageSize(), 4);
        EXPECT_TRUE(mc->JTAG());
        ExpectSameDescription(*mc, *reference);
    }
}

TEST(TMikrocontroller, UnnamedDescriptionIsEmpty) {
    const TMikrocontroller mc;
    EXPECT_EQ(mc.ControllerName(), "");
    EXPECT_FALSE(mc.Known());
    EXPECT_EQ(mc.McType(), TMicroTyp::ATmega);
    EXPECT_EQ(mc.McID(), 0);
    EXPECT_EQ(mc.FlashSize(), 0);
    EXPECT_EQ(mc.FlashPageSize(), 0);
    EXPECT_EQ(mc.FlashDelay(), 0);
    EXPECT_FALSE(mc.SPI());
    EXPECT_FALSE(mc.DataPolling());
    EXPECT_EQ(mc.LowFuse(), TFuseByte{});
    EXPECT_EQ(mc.ExtendedFuse(), TFuseByte{});
    EXPECT_EQ(mc.Calibration(), TCalibration{});
    EXPECT_TRUE(mc.CompatibleWith().empty());
}

class Renaming : public ::testing::Test {
protected:
    void SetUp() override {
        mc = TMikrocontroller::CreateByName("ATmega2560");
        mc->SetCompatibleWith(compatible);
    }
    const std::vector<std::string> compatible{"ATmega2560", "ATmega2561"};
    std::unique_ptr<TMikrocontroller> mc;
};

TEST_F(Renaming, NewNameReplacesEveryFieldButCompatibleWith) {
    mc->SetControllerName("ATtiny13");

    EXPECT_EQ(mc->ControllerName(), "ATtiny13");
    EXPECT_TRUE(mc->Known());
    ExpectSameDescription(*mc, *TMikrocontroller::CreateByName("ATtiny13"));
    EXPECT_EQ(mc->ExtendedFuse(), kAbsent);
    EXPECT_EQ(mc->HighFuse().BitNames,
              (Names{"RSTDISBL", "BODLEVEL0", "BODLEVEL1", "DWEN", "SPMEN", "", "", ""}));
    EXPECT_EQ(mc->Calibration().ByteCount, 1);
    EXPECT_EQ(mc->Calibration().Frequencies, (Names{"9.6MHz (4.8MHz)"}));
    EXPECT_EQ(mc->CompatibleWith(), compatible);
}

TEST_F(Renaming, NameWithoutRowFallsBackToDefault) {
    mc->SetControllerName("ATtiny13");
    mc->SetControllerName("ATtiny15");

    EXPECT_FALSE(mc->Known());
    ExpectSameDescription(*mc, *TMikrocontroller::CreateByName("ATmega324pa"));
    EXPECT_EQ(mc->CompatibleWith(), compatible);
}

TEST_F(Renaming, SameNameAgainUndoesWrittenProperties) {
    mc->SetFlashSize(0x1234);
    mc->SetFlashPageSize(7);
    mc->SetJTAG(false);
    mc->SetFuseDelay(99);
    EXPECT_EQ(mc->FlashSize(), 0x1234);
    EXPECT_TRUE(mc->Known()); // writing a property has no further effect

    mc->SetControllerName("ATmega2560");
    ExpectSameDescription(*mc, *TMikrocontroller::CreateByName("ATmega2560"));
}

struct PageCase {
    const char* name;
    int flashBytes;
    int pages;
};

// The page count that the page list builds: FlashSize / FlashPageSize + 1.
TEST(TMikrocontroller, FlashBytesAndPageCount) {
    const PageCase cases[] = {
        {"ATmega8", 8192, 128},   {"ATmega2560", 262144, 1024}, {"ATtiny12", 1024, 1024},
        {"ATtiny2313", 2048, 64}, {"ATmega128", 131072, 512},   {"ATtiny15", 32768, 256},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto mc = TMikrocontroller::CreateByName(c.name);
        EXPECT_EQ(mc->FlashSize() + 1, c.flashBytes);
        EXPECT_EQ(mc->FlashSize() / mc->FlashPageSize() + 1, c.pages);
        EXPECT_EQ(c.pages * mc->FlashPageSize(), c.flashBytes);
    }
}

TEST(TMikrocontroller, SignatureDoesNotIdentifyController) {
    const auto a = TMikrocontroller::CreateByName("ATmega165");
    const auto b = TMikrocontroller::CreateByName("ATmega169p");
    EXPECT_EQ(a->McID(), 0x1E9405);
    EXPECT_EQ(b->McID(), 0x1E9405);
    EXPECT_NE(a->ExtendedFuse(), b->ExtendedFuse());
}

} // namespace
} // namespace pagora
