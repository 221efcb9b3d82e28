#include "devices/DeviceTable.h"

#include <algorithm>

namespace pagora {

namespace {

constexpr TMicroTyp ATmega = TMicroTyp::ATmega;
constexpr TMicroTyp ATtiny = TMicroTyp::ATtiny;
constexpr bool yes = true;
constexpr bool no = false;

// Every present low fuse byte is written with AC A0 00 00 and read with 50 00 00 00.
constexpr TFusePattern Low(std::uint8_t defaultValue, TBitNamePattern names) {
    return {names, 0xACA00000, 0x50000000, defaultValue, true};
}

// Every present high fuse byte is written with AC A8 00 00 and read with 58 08 00 00.
constexpr TFusePattern High(std::uint8_t defaultValue, TBitNamePattern names) {
    return {names, 0xACA80000, 0x58080000, defaultValue, true};
}

constexpr TFusePattern Ext(std::int64_t writeCommand, std::int64_t readCommand,
                           std::uint8_t defaultValue, TBitNamePattern names) {
    return {names, writeCommand, readCommand, defaultValue, true};
}

// A fuse byte the controller does not have.
constexpr TFusePattern Absent() {
    return {{}, 0, 0, 0xFF, false};
}

// Every lock byte is read with 58 00 00 00.
constexpr TLockPattern Lock(std::int64_t writeCommand, TBitNamePattern names) {
    return {names, writeCommand, 0x58000000};
}

// Every calibration byte is read with 38 00 00 00.
constexpr TCalibrationPattern Cal(std::uint8_t byteCount, std::array<std::string_view, 8> freqs) {
    return {byteCount, 0x38000000, freqs};
}

// clang-format off

// Low fuse byte patterns.
//                               DefaultValue  Bit 0     Bit 1     Bit 2     Bit 3     Bit 4       Bit 5    Bit 6     Bit 7
constexpr TFusePattern L1 = Low(0x62,        {"CKSEL0", "CKSEL1", "CKSEL2", "CKSEL3", "SUT0",     "SUT1",  "CKOUT",  "CKDIV8"});
constexpr TFusePattern L2 = Low(0xE1,        {"CKSEL0", "CKSEL1", "CKSEL2", "CKSEL3", "SUT0",     "SUT1",  "BODEN",  "BODLEVEL"});
constexpr TFusePattern L3 = Low(0x52,        {"CKSEL0", "CKSEL1", "CKSEL2", "CKSEL3", "RSTDISBL", "SPIEN", "BODEN",  "BODLEVEL"});
constexpr TFusePattern L4 = Low(0x6A,        {"CKSEL0", "CKSEL1", "SUT0",   "SUT1",   "CKDIV8",   "WDTON", "EESAVE", "SPIEN"});
constexpr TFusePattern L5 = Low(0x64,        {"CKSEL0", "CKSEL1", "CKSEL2", "CKSEL3", "SUT0",     "SUT1",  "CKOUT",  "CKDIV8"});
constexpr TFusePattern L6 = Low(0x6E,        {"CKSEL0", "CKSEL1", "",       "",       "SUT0",     "SUT1",  "CKOUT",  "CKDIV8"});

// High fuse byte patterns.
//                                DefaultValue  Bit 0        Bit 1        Bit 2        Bit 3        Bit 4     Bit 5    Bit 6     Bit 7
constexpr TFusePattern H0 = Absent();
constexpr TFusePattern H1 = High(0x99,        {"BOOTRST",   "BOOTSZ0",   "BOOTSZ1",   "EESAVE",    "WDTON",  "SPIEN", "JTAGEN", "OCDEN"});
constexpr TFusePattern H2 = High(0xD9,        {"BOOTRST",   "BOOTSZ0",   "BOOTSZ1",   "EESAVE",    "CKOPT",  "SPIEN", "WDTON",  "RSTDISBL"});
constexpr TFusePattern H3 = High(0x99,        {"BOOTRST",   "BOOTSZ0",   "BOOTSZ1",   "EESAVE",    "CKOPT",  "SPIEN", "JTAGEN", "OCDEN"});
constexpr TFusePattern H4 = High(0xD9,        {"BOOTRST",   "BOOTSZ0",   "BOOTSZ1",   "EESAVE",    "CKOPT",  "SPIEN", "WDTON",  "S8515C"});
constexpr TFusePattern H5 = High(0xD9,        {"BOOTRST",   "BOOTSZ0",   "BOOTSZ1",   "EESAVE",    "CKOPT",  "SPIEN", "WDTON",  "S8535C"});
constexpr TFusePattern H6 = High(0xDF,        {"BODLEVEL0", "BODLEVEL1", "BODLEVEL2", "EESAVE",    "WDTON",  "SPIEN", "DWEN",   "RSTDISBL"});
constexpr TFusePattern H7 = High(0xD9,        {"BOOTRST",   "BOOTSZ0",   "BOOTSZ1",   "EESAVE",    "WDTON",  "SPIEN", "DWEN",   "RSTDISBL"});
constexpr TFusePattern H8 = High(0xFF,        {"RSTDISBL",  "BODLEVEL0", "BODLEVEL1", "DWEN",      "SPMEN",  "",      "",       ""});
constexpr TFusePattern H9 = High(0xDF,        {"RSTDISBL",  "BODLEVEL0", "BODLEVEL1", "BODLEVEL2", "WDTON",  "SPIEN", "EESAVE", "DWEN"});

// Extended fuse byte patterns.
//                                WriteCommand ReadCommand DefaultValue  Bit 0        Bit 1        Bit 2        Bit 3        Bit 4    Bit 5 Bit 6 Bit 7
constexpr TFusePattern E0  = Absent();
constexpr TFusePattern E1  = Ext(0xACA400F8, 0x50080000, 0xFF,        {"BODLEVEL0", "BODLEVEL1", "BODLEVEL2", "",          "",      "",   "",   ""});
constexpr TFusePattern E2  = Ext(0xACA40000, 0x50040000, 0xFD,        {"WDTON",     "M103C",     "",          "",          "",      "",   "",   ""});
constexpr TFusePattern E3  = Ext(0xACA40000, 0x50080000, 0xFD,        {"WDTON",     "M103C",     "",          "",          "",      "",   "",   ""});
constexpr TFusePattern E4  = Ext(0xACA40000, 0x50080000, 0xFF,        {"",          "BODLEVEL0", "BODLEVEL1", "BODLEVEL2", "M161C", "",   "",   ""});
constexpr TFusePattern E5  = Ext(0xACA40000, 0x50080000, 0xFF,        {"SELFPRGEN", "",          "",          "",          "",      "",   "",   ""});
constexpr TFusePattern E6  = Ext(0xACA40000, 0x50080000, 0xF9,        {"BOOTRST",   "BOOTSZ0",   "BOOTSZ1",   "",          "",      "",   "",   ""});
constexpr TFusePattern E7  = Ext(0xACA400F8, 0x50080000, 0xFF,        {"",          "BODLEVEL0", "BODLEVEL1", "BODLEVEL2", "",      "",   "",   ""});
constexpr TFusePattern E8  = Ext(0xACA400F8, 0x50080000, 0xFF,        {"RSTDISBL",  "BODLEVEL0", "BODLEVEL1", "",          "",      "",   "",   ""});
constexpr TFusePattern E9  = Ext(0xACA40000, 0x50080000, 0xFF,        {"RSTDISBL",  "BODLEVEL0", "BODLEVEL1", "",          "",      "",   "",   ""});
constexpr TFusePattern E10 = Ext(0xACA40000, 0x50080000, 0xFF,        {"RSTDISBL",  "BODLEVEL0", "BODLEVEL1", "BODLEVEL2", "",      "",   "",   ""});
constexpr TFusePattern E11 = Ext(0xACA40000, 0x50080000, 0xFF,        {"BODLEVEL0", "BODLEVEL1", "BODLEVEL2", "",          "",      "",   "",   ""});
constexpr TFusePattern E12 = Ext(0xACA40000, 0x50080000, 0xFF,        {"SPMEN",     "",          "",          "",          "",      "",   "",   ""});

// Lock byte patterns.
//                                WriteCommand  Bit 0       Bit 1       Bit 2         Bit 3         Bit 4         Bit 5         Bit 6 Bit 7
constexpr TLockPattern K1 = Lock(0xACE000C0,  {"LOCKBIT1", "LOCKBIT2", "BOOTLOCK01", "BOOTLOCK02", "BOOTLOCK11", "BOOTLOCK12", "",   ""});
constexpr TLockPattern K2 = Lock(0xACE000C0,  {"LOCKBIT1", "LOCKBIT2", "",           "",           "",           "",           "",   ""});
constexpr TLockPattern K3 = Lock(0xACF90000,  {"",         "LOCKBIT1", "LOCKBIT2",   "",           "",           "",           "",   ""});
constexpr TLockPattern K4 = Lock(0xACE000FC,  {"LOCKBIT1", "LOCKBIT2", "",           "",           "",           "",           "",   ""});
constexpr TLockPattern K5 = Lock(0xACE00000,  {"LOCKBIT1", "LOCKBIT2", "",           "",           "",           "",           "",   ""});
constexpr TLockPattern K6 = Lock(0xACE00000,  {"LOCKBIT2", "LOCKBIT1", "",           "",           "",           "",           "",   ""});

// Calibration patterns.
//                                     ByteCount  Frequencies
constexpr TCalibrationPattern C1 = Cal(1,         {"8MHz"});
constexpr TCalibrationPattern C2 = Cal(4,         {"1MHz", "2MHz", "4MHz", "8MHz"});
constexpr TCalibrationPattern C3 = Cal(1,         {"1.2MHz"});
constexpr TCalibrationPattern C4 = Cal(1,         {"9.6MHz (4.8MHz)"});
constexpr TCalibrationPattern C5 = Cal(2,         {"8MHz", "4MHz"});

// The description of any name without a row (the same values as "ATmega324pa").
constexpr TDeviceRow kDefaultRow =
//  Names                            McType  McID      FlashSize FlashPageSize EEPROMSize EEPROMPageSize JTAG Low  High Ext   Lock Cal
    {{},                             ATmega, 0x1E9511, 0x7FFF,   128,          0x3FF,     4,             yes, &L1, &H1, &E1,  &K1, &C1};

constexpr TDeviceRow kRows[] = {
//  Names                            McType  McID      FlashSize FlashPageSize EEPROMSize EEPROMPageSize JTAG Low  High Ext   Lock Cal
    {{"ATmega8", "ATmega8a"},        ATmega, 0x1E9307, 0x1FFF,   64,           0x1FF,     4,             no,  &L2, &H2, &E0,  &K1, &C2},
    {{"ATmega16", "ATmega16a"},      ATmega, 0x1E9403, 0x3FFF,   128,          0x1FF,     4,             yes, &L2, &H3, &E0,  &K1, &C2},
    {{"ATmega32", "ATmega32a"},      ATmega, 0x1E9502, 0x7FFF,   128,          0x3FF,     4,             yes, &L2, &H3, &E0,  &K1, &C2},
    {{"ATmega64", "ATmega64a"},      ATmega, 0x1E9602, 0xFFFF,   256,          0x7FF,     8,             yes, &L2, &H3, &E2,  &K1, &C2},
    {{"ATmega128", "ATmega128a"},    ATmega, 0x1E9702, 0x1FFFF,  256,          0xFFF,     8,             yes, &L2, &H3, &E3,  &K1, &C2},
    {{"ATmega8515"},                 ATmega, 0x1E9306, 0x1FFF,   64,           0x1FF,     4,             no,  &L2, &H4, &E0,  &K1, &C2},
    {{"ATmega8535"},                 ATmega, 0x1E9308, 0x1FFF,   64,           0x1FF,     4,             no,  &L2, &H5, &E0,  &K1, &C2},
    {{"ATmega162"},                  ATmega, 0x1E9404, 0x3FFF,   128,          0x1FF,     4,             yes, &L1, &H1, &E4,  &K1, &C1},
    {{"ATmega644"},                  ATmega, 0x1E9609, 0xFFFF,   256,          0x7FF,     8,             yes, &L1, &H1, &E1,  &K1, &C1},
    {{"ATmega48"},                   ATmega, 0x1E9205, 0xFFF,    64,           0xFF,      4,             no,  &L1, &H6, &E5,  &K2, &C1},
    {{"ATmega88"},                   ATmega, 0x1E930A, 0x1FFF,   64,           0x1FF,     4,             no,  &L1, &H6, &E6,  &K1, &C1},
    {{"ATmega168"},                  ATmega, 0x1E9406, 0x3FFF,   128,          0x1FF,     4,             no,  &L1, &H6, &E6,  &K1, &C1},
    {{"ATmega640"},                  ATmega, 0x1E9608, 0xFFFF,   256,          0xFFF,     8,             yes, &L1, &H1, &E1,  &K1, &C1},
    {{"ATmega1280"},                 ATmega, 0x1E9703, 0x1FFFF,  256,          0xFFF,     8,             yes, &L1, &H1, &E1,  &K1, &C1},
    {{"ATmega1281"},                 ATmega, 0x1E9704, 0x1FFFF,  256,          0xFFF,     8,             yes, &L1, &H1, &E1,  &K1, &C1},
    {{"ATmega2560"},                 ATmega, 0x1E9801, 0x3FFFF,  256,          0xFFF,     8,             yes, &L1, &H1, &E1,  &K1, &C1},
    {{"ATmega2561"},                 ATmega, 0x1E9802, 0x3FFFF,  256,          0xFFF,     8,             yes, &L1, &H1, &E1,  &K1, &C1},
    {{"ATmega165"},                  ATmega, 0x1E9405, 0x3FFF,   128,          0x1FF,     4,             yes, &L1, &H1, &E7,  &K1, &C1},
    {{"ATmega325"},                  ATmega, 0x1E9505, 0x7FFF,   128,          0x3FF,     4,             yes, &L1, &H1, &E8,  &K1, &C1},
    {{"ATmega3250"},                 ATmega, 0x1E9506, 0x7FFF,   128,          0x3FF,     4,             yes, &L1, &H1, &E8,  &K1, &C1},
    {{"ATmega645"},                  ATmega, 0x1E9605, 0xFFFF,   256,          0x7FF,     8,             yes, &L1, &H1, &E8,  &K1, &C1},
    {{"ATmega6450"},                 ATmega, 0x1E9606, 0xFFFF,   256,          0x7FF,     8,             yes, &L1, &H1, &E8,  &K1, &C1},
    {{"ATmega329"},                  ATmega, 0x1E9503, 0x7FFF,   128,          0x3FF,     4,             yes, &L1, &H1, &E9,  &K1, &C1},
    {{"ATmega3290"},                 ATmega, 0x1E9504, 0x7FFF,   128,          0x3FF,     4,             yes, &L1, &H1, &E9,  &K1, &C1},
    {{"ATmega649"},                  ATmega, 0x1E9603, 0xFFFF,   256,          0x7FF,     8,             yes, &L1, &H1, &E9,  &K1, &C1},
    {{"ATmega6490"},                 ATmega, 0x1E9604, 0xFFFF,   256,          0x7FF,     8,             yes, &L1, &H1, &E9,  &K1, &C1},
    {{"ATmega329p"},                 ATmega, 0x1E950B, 0x7FFF,   128,          0x3FF,     4,             yes, &L1, &H1, &E9,  &K1, &C1},
    {{"ATmega3290p"},                ATmega, 0x1E950C, 0x7FFF,   128,          0x3FF,     4,             yes, &L1, &H1, &E9,  &K1, &C1},
    {{"ATmega169p"},                 ATmega, 0x1E9405, 0x3FFF,   128,          0x1FF,     4,             yes, &L1, &H1, &E10, &K1, &C1},
    {{"ATmega325p"},                 ATmega, 0x1E950D, 0x7FFF,   128,          0x3FF,     4,             yes, &L1, &H1, &E10, &K1, &C1},
    {{"ATmega3250p"},                ATmega, 0x1E950E, 0x7FFF,   128,          0x3FF,     4,             yes, &L1, &H1, &E10, &K1, &C1},
    {{"ATmega164p", "ATmega164pa"},  ATmega, 0x1E940A, 0x3FFF,   128,          0x1FF,     4,             yes, &L1, &H1, &E1,  &K1, &C1},
    {{"ATmega324p"},                 ATmega, 0x1E9508, 0x7FFF,   128,          0x3FF,     4,             yes, &L1, &H1, &E1,  &K1, &C1},
    {{"ATmega324pa"},                ATmega, 0x1E9511, 0x7FFF,   128,          0x3FF,     4,             yes, &L1, &H1, &E1,  &K1, &C1},
    {{"ATmega644p", "ATmega644pa"},  ATmega, 0x1E960A, 0xFFFF,   256,          0x7FF,     8,             yes, &L1, &H1, &E1,  &K1, &C1},
    {{"ATmega165p"},                 ATmega, 0x1E9407, 0x3FFF,   128,          0x1FF,     4,             yes, &L1, &H1, &E10, &K1, &C1},
    {{"ATmega48p", "ATmega48pa"},    ATmega, 0x1E920A, 0xFFF,    64,           0xFF,      4,             no,  &L1, &H6, &E5,  &K2, &C1},
    {{"ATmega88p", "ATmega88pa"},    ATmega, 0x1E930F, 0x1FFF,   64,           0x1FF,     4,             no,  &L1, &H6, &E6,  &K1, &C1},
    {{"ATmega168p", "ATmega168pa"},  ATmega, 0x1E940B, 0x3FFF,   128,          0x1FF,     4,             no,  &L1, &H6, &E6,  &K1, &C1},
    {{"ATmega328p"},                 ATmega, 0x1E950F, 0x7FFF,   128,          0x3FF,     4,             no,  &L1, &H7, &E11, &K1, &C1},
    {{"ATtiny12"},                   ATtiny, 0x1E9005, 0x3FF,    1,            0x3F,      1,             no,  &L3, &H0, &E0,  &K3, &C3},
    {{"ATtiny13", "ATtiny13a"},      ATtiny, 0x1E9007, 0x3FF,    32,           0x3F,      4,             no,  &L4, &H8, &E0,  &K2, &C4},
    {{"ATtiny2313"},                 ATtiny, 0x1E910A, 0x7FF,    32,           0x7F,      4,             no,  &L5, &H9, &E12, &K4, &C5},
    {{"ATtiny24", "ATtiny24a"},      ATtiny, 0x1E910B, 0x7FF,    32,           0x7F,      4,             no,  &L5, &H6, &E5,  &K5, &C1},
    {{"ATtiny44", "ATtiny44a"},      ATtiny, 0x1E9207, 0xFFF,    64,           0xFF,      4,             no,  &L5, &H6, &E5,  &K5, &C1},
    {{"ATtiny84"},                   ATtiny, 0x1E930C, 0x1FFF,   64,           0x1FF,     4,             no,  &L5, &H6, &E5,  &K5, &C1},
    {{"ATtiny25"},                   ATtiny, 0x1E9108, 0x7FF,    32,           0x7F,      4,             no,  &L5, &H6, &E5,  &K4, &C1},
    {{"ATtiny45"},                   ATtiny, 0x1E9206, 0xFFF,    64,           0xFF,      4,             no,  &L5, &H6, &E5,  &K4, &C1},
    {{"ATtiny85"},                   ATtiny, 0x1E930B, 0x1FFF,   64,           0x1FF,     4,             no,  &L5, &H6, &E5,  &K4, &C1},
    {{"ATtiny261"},                  ATtiny, 0x1E910C, 0x7FF,    32,           0x7F,      4,             no,  &L5, &H6, &E5,  &K6, &C1},
    {{"ATtiny461"},                  ATtiny, 0x1E9208, 0xFFF,    64,           0xFF,      4,             no,  &L5, &H6, &E5,  &K6, &C1},
    {{"ATtiny861"},                  ATtiny, 0x1E930D, 0x1FFF,   64,           0x1FF,     4,             no,  &L5, &H6, &E5,  &K6, &C1},
    {{"ATtiny43U"},                  ATtiny, 0x1E920C, 0xFFF,    64,           0x3F,      4,             no,  &L5, &H6, &E5,  &K5, &C1},
    {{"ATtiny48"},                   ATtiny, 0x1E9209, 0xFFF,    64,           0x3F,      4,             no,  &L6, &H6, &E5,  &K5, &C1},
    {{"ATtiny88"},                   ATtiny, 0x1E9311, 0x1FFF,   64,           0x3F,      4,             no,  &L6, &H6, &E5,  &K5, &C1},
    {{"ATtiny87"},                   ATtiny, 0x1E9387, 0x1FFF,   128,          0x1FF,     4,             no,  &L5, &H6, &E5,  &K5, &C1},
    {{"ATtiny167"},                  ATtiny, 0x1E9487, 0x3FFF,   128,          0x1FF,     4,             no,  &L5, &H6, &E5,  &K5, &C1},
};

// clang-format on

} // namespace

bool TDeviceRow::HasName(std::string_view name) const {
    return std::any_of(Names.begin(), Names.end(),
                       [name](std::string_view own) { return !own.empty() && own == name; });
}

const TDeviceRow& DefaultDeviceRow() {
    return kDefaultRow;
}

std::span<const TDeviceRow> DeviceTableRows() {
    return kRows;
}

const TDeviceRow* FindDeviceRow(std::string_view name) {
    for (const TDeviceRow& row : kRows) {
        if (row.HasName(name)) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace pagora
