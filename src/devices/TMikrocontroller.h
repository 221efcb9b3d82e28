#pragma once

#include "devices/TCalibration.h"
#include "devices/TFuseByte.h"
#include "devices/TMicroTyp.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pagora {

struct TDeviceRow;

// The description of one 8-bit AVR controller, defined entirely by its name: assigning the
// name fills every other field (except CompatibleWith) from the built-in device table. A name
// without a row is no error; the description then holds the default row and Known is false.
//
// FlashSize and EEPROMSize are highest addresses: the flash holds FlashSize + 1 bytes in
// FlashSize / FlashPageSize + 1 pages.
class TMikrocontroller {
public:
    // An unnamed description: every field zero, empty or false.
    TMikrocontroller() = default;

    // A description without an owner whose name is assigned at once; the caller owns it.
    static std::unique_ptr<TMikrocontroller> CreateByName(std::string_view name);

    const std::string& ControllerName() const { return controllerName_; }
    // Stores the name as given, refills the description from the table and sets Known.
    void SetControllerName(std::string_view value);

    // Fills the description from the table for the current name: the default row first, then
    // the row that bears the name, if any. Returns true when the name has a row.
    bool LoadControllerData();

    TMicroTyp McType() const { return mcType_; }
    void SetMcType(TMicroTyp value) { mcType_ = value; }
    // The three signature bytes, the first most significant: 0x1E9307 is 1E 93 07.
    std::int32_t McID() const { return mcID_; }
    void SetMcID(std::int32_t value) { mcID_ = value; }
    std::int32_t FlashSize() const { return flashSize_; }
    void SetFlashSize(std::int32_t value) { flashSize_ = value; }
    std::int32_t FlashPageSize() const { return flashPageSize_; }
    void SetFlashPageSize(std::int32_t value) { flashPageSize_ = value; }
    std::int32_t EEPROMSize() const { return eepromSize_; }
    void SetEEPROMSize(std::int32_t value) { eepromSize_ = value; }
    std::int32_t EEPROMPageSize() const { return eepromPageSize_; }
    void SetEEPROMPageSize(std::int32_t value) { eepromPageSize_ = value; }
    std::uint8_t FlashDelay() const { return flashDelay_; }
    void SetFlashDelay(std::uint8_t value) { flashDelay_ = value; }
    std::uint8_t EEPROMDelay() const { return eepromDelay_; }
    void SetEEPROMDelay(std::uint8_t value) { eepromDelay_ = value; }
    std::uint8_t EraseDelay() const { return eraseDelay_; }
    void SetEraseDelay(std::uint8_t value) { eraseDelay_ = value; }
    std::uint8_t FuseDelay() const { return fuseDelay_; }
    void SetFuseDelay(std::uint8_t value) { fuseDelay_ = value; }
    bool SPI() const { return spi_; }
    void SetSPI(bool value) { spi_ = value; }
    bool JTAG() const { return jtag_; }
    void SetJTAG(bool value) { jtag_ = value; }
    bool PDI() const { return pdi_; }
    void SetPDI(bool value) { pdi_ = value; }
    bool DataPolling() const { return dataPolling_; }
    void SetDataPolling(bool value) { dataPolling_ = value; }
    // Names of the controllers this one is compatible with, its own included; mostly empty.
    const std::vector<std::string>& CompatibleWith() const { return compatibleWith_; }
    void SetCompatibleWith(std::vector<std::string> value) { compatibleWith_ = std::move(value); }

    const TFuseByte& LowFuse() const { return lowFuse_; }
    const TFuseByte& HighFuse() const { return highFuse_; }
    const TFuseByte& ExtendedFuse() const { return extendedFuse_; }
    // The lock byte's Present and DefaultValue are never set: false and 0 for every controller.
    const TFuseByte& LockBits() const { return lockBits_; }
    const TCalibration& Calibration() const { return calibration_; }
    // ControllerName was found in the device table.
    bool Known() const { return known_; }

private:
    void ApplyRow(const TDeviceRow& row);

    std::vector<std::string> compatibleWith_;
    TFuseByte extendedFuse_;
    TMicroTyp mcType_ = TMicroTyp::ATmega;
    std::int32_t flashPageSize_ = 0;
    bool pdi_ = false;
    std::int32_t eepromPageSize_ = 0;
    std::int32_t flashSize_ = 0;
    std::uint8_t fuseDelay_ = 0;
    std::int32_t eepromSize_ = 0;
    std::uint8_t flashDelay_ = 0;
    TFuseByte lockBits_;
    std::uint8_t eraseDelay_ = 0;
    bool jtag_ = false;
    std::uint8_t eepromDelay_ = 0;
    TFuseByte lowFuse_;
    bool spi_ = false;
    bool dataPolling_ = false;
    std::string controllerName_;
    TCalibration calibration_;
    TFuseByte highFuse_;
    std::int32_t mcID_ = 0;
    bool known_ = false;
};

} // namespace pagora
