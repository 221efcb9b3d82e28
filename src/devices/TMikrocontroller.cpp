#include "devices/TMikrocontroller.h"

#include "devices/DeviceTable.h"

#include <algorithm>

namespace pagora {

namespace {

template <typename Pattern> void CopyNames(const Pattern& pattern, std::array<std::string, 8>& to) {
    std::copy(pattern.begin(), pattern.end(), to.begin());
}

TFuseByte MakeFuseByte(const TFusePattern& pattern) {
    TFuseByte fuse;
    CopyNames(pattern.BitNames, fuse.BitNames);
    fuse.WriteCommand = pattern.WriteCommand;
    fuse.ReadCommand = pattern.ReadCommand;
    fuse.DefaultValue = pattern.DefaultValue;
    fuse.Present = pattern.Present;
    return fuse;
}

TCalibration MakeCalibration(const TCalibrationPattern& pattern) {
    TCalibration calibration;
    calibration.ByteCount = pattern.ByteCount;
    calibration.ReadCommand = pattern.ReadCommand;
    CopyNames(pattern.Frequencies, calibration.Frequencies);
    return calibration;
}

} // namespace

std::unique_ptr<TMikrocontroller> TMikrocontroller::CreateByName(std::string_view name) {
    auto controller = std::make_unique<TMikrocontroller>();
    controller->SetControllerName(name);
    return controller;
}

void TMikrocontroller::SetControllerName(std::string_view value) {
    controllerName_ = std::string(value);
    known_ = LoadControllerData();
}

bool TMikrocontroller::LoadControllerData() {
    ApplyRow(DefaultDeviceRow());
    if (const TDeviceRow* row = FindDeviceRow(controllerName_)) {
        ApplyRow(*row);
        return true;
    }
    return false;
}

void TMikrocontroller::ApplyRow(const TDeviceRow& row) {
    mcType_ = row.McType;
    mcID_ = row.McID;
    flashSize_ = row.FlashSize;
    flashPageSize_ = row.FlashPageSize;
    eepromSize_ = row.EEPROMSize;
    eepromPageSize_ = row.EEPROMPageSize;
    jtag_ = row.JTAG;
    flashDelay_ = kDeviceFlashDelay;
    eepromDelay_ = kDeviceEEPROMDelay;
    eraseDelay_ = kDeviceEraseDelay;
    fuseDelay_ = kDeviceFuseDelay;
    spi_ = kDeviceSPI;
    pdi_ = kDevicePDI;
    dataPolling_ = kDeviceDataPolling;

    lowFuse_ = MakeFuseByte(*row.Low);
    highFuse_ = MakeFuseByte(*row.High);
    extendedFuse_ = MakeFuseByte(*row.Ext);
    // The lock byte takes its names and commands only.
    CopyNames(row.Lock->BitNames, lockBits_.BitNames);
    lockBits_.WriteCommand = row.Lock->WriteCommand;
    lockBits_.ReadCommand = row.Lock->ReadCommand;
    calibration_ = MakeCalibration(*row.Cal);
}

} // namespace pagora
