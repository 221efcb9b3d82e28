#include "DescriptionMatchers.h"

#include <gtest/gtest.h>
#include <iomanip>

namespace pagora {

namespace {

void PrintNames(const std::array<std::string, 8>& names, std::ostream* os) {
    *os << "{";
    for (std::size_t i = 0; i < names.size(); ++i) {
        *os << (i ? ", " : "") << '"' << names[i] << '"';
    }
    *os << "}";
}

} // namespace

void PrintTo(const TFuseByte& fuse, std::ostream* os) {
    *os << std::hex << std::uppercase << "{Present " << fuse.Present << ", Write 0x"
        << fuse.WriteCommand << ", Read 0x" << fuse.ReadCommand << ", Default 0x"
        << int{fuse.DefaultValue} << std::dec << ", ";
    PrintNames(fuse.BitNames, os);
    *os << "}";
}

void PrintTo(const TCalibration& calibration, std::ostream* os) {
    *os << "{ByteCount " << int{calibration.ByteCount} << ", Read 0x" << std::hex << std::uppercase
        << calibration.ReadCommand << std::dec << ", ";
    PrintNames(calibration.Frequencies, os);
    *os << "}";
}

void PrintTo(TMicroTyp type, std::ostream* os) {
    switch (type) {
    case TMicroTyp::ATmega:
        *os << "ATmega";
        break;
    case TMicroTyp::ATtiny:
        *os << "ATtiny";
        break;
    case TMicroTyp::XMega:
        *os << "XMega";
        break;
    case TMicroTyp::mtNone:
        *os << "mtNone";
        break;
    }
}

void ExpectSameDescription(const TMikrocontroller& actual, const TMikrocontroller& expected) {
    SCOPED_TRACE("compared with \"" + expected.ControllerName() + "\"");
    EXPECT_EQ(actual.McType(), expected.McType());
    EXPECT_EQ(actual.McID(), expected.McID());
    EXPECT_EQ(actual.FlashSize(), expected.FlashSize());
    EXPECT_EQ(actual.FlashPageSize(), expected.FlashPageSize());
    EXPECT_EQ(actual.EEPROMSize(), expected.EEPROMSize());
    EXPECT_EQ(actual.EEPROMPageSize(), expected.EEPROMPageSize());
    EXPECT_EQ(actual.FlashDelay(), expected.FlashDelay());
    EXPECT_EQ(actual.EEPROMDelay(), expected.EEPROMDelay());
    EXPECT_EQ(actual.EraseDelay(), expected.EraseDelay());
    EXPECT_EQ(actual.FuseDelay(), expected.FuseDelay());
    EXPECT_EQ(actual.SPI(), expected.SPI());
    EXPECT_EQ(actual.JTAG(), expected.JTAG());
    EXPECT_EQ(actual.PDI(), expected.PDI());
    EXPECT_EQ(actual.DataPolling(), expected.DataPolling());
    EXPECT_EQ(actual.LowFuse(), expected.LowFuse());
    EXPECT_EQ(actual.HighFuse(), expected.HighFuse());
    EXPECT_EQ(actual.ExtendedFuse(), expected.ExtendedFuse());
    EXPECT_EQ(actual.LockBits(), expected.LockBits());
    EXPECT_EQ(actual.Calibration(), expected.Calibration());
}

} // namespace pagora
