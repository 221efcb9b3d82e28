#pragma once

#include "devices/TMicroTyp.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace pagora {

// The built-in device table: one row per controller (one or two names), each naming the
// patterns of its fuse, lock and calibration records. The rows live in DeviceTable.cpp.

using TBitNamePattern = std::array<std::string_view, 8>;

struct TFusePattern {
    TBitNamePattern BitNames;
    std::int64_t WriteCommand;
    std::int64_t ReadCommand;
    std::uint8_t DefaultValue;
    bool Present;
};

// A lock byte pattern sets only the names and the commands; a lock byte's Present and
// DefaultValue are never set.
struct TLockPattern {
    TBitNamePattern BitNames;
    std::int64_t WriteCommand;
    std::int64_t ReadCommand;
};

struct TCalibrationPattern {
    std::uint8_t ByteCount;
    std::int32_t ReadCommand;
    std::array<std::string_view, 8> Frequencies;
};

struct TDeviceRow {
    // The names the row describes; a row with one name leaves the second empty. An empty
    // entry is no name: the empty controller name has no row.
    std::array<std::string_view, 2> Names;
    TMicroTyp McType;
    std::int32_t McID;
    std::int32_t FlashSize; // highest flash address
    std::int32_t FlashPageSize;
    std::int32_t EEPROMSize; // highest EEPROM address
    std::int32_t EEPROMPageSize;
    bool JTAG;
    const TFusePattern* Low;
    const TFusePattern* High;
    const TFusePattern* Ext;
    const TLockPattern* Lock;
    const TCalibrationPattern* Cal;

    // Exact, byte for byte comparison with the row's names.
    bool HasName(std::string_view name) const;
};

// Columns with the same value in every row, the default row included.
inline constexpr std::uint8_t kDeviceFlashDelay = 10;
inline constexpr std::uint8_t kDeviceEEPROMDelay = 10;
inline constexpr std::uint8_t kDeviceEraseDelay = 10;
inline constexpr std::uint8_t kDeviceFuseDelay = 10;
inline constexpr bool kDeviceSPI = true;
inline constexpr bool kDevicePDI = false;
inline constexpr bool kDeviceDataPolling = true;

// The description of every name without a row of its own (the values of "ATmega324pa").
const TDeviceRow& DefaultDeviceRow();

// All named rows, in table order.
std::span<const TDeviceRow> DeviceTableRows();

// The row that bears this exact name, or nullptr.
const TDeviceRow* FindDeviceRow(std::string_view name);

} // namespace pagora
