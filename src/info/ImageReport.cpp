#include "ImageReport.h"

#include "image/Errors.h"
#include "pages/MemoryLayout.h"
#include "pages/Usage.h"

#include <utility>

namespace pagora::info {

ImageReport::ImageReport(std::string fileName, const TMikrocontroller* controller, Memory memory)
    : fileName_(std::move(fileName)), controller_(controller), memory_(memory) {
    store_.LoadFromHexFile(fileName_);
    lines_ = store_.Count();
    if (controller_ != nullptr) {
        LayOntoController();
    }
}

std::int32_t HighestAddressOf(const TMikrocontroller& controller, Memory memory) {
    return memory == Memory::Eeprom ? controller.EEPROMSize() : controller.FlashSize();
}

std::int32_t PageSizeOf(const TMikrocontroller& controller, Memory memory) {
    return memory == Memory::Eeprom ? controller.EEPROMPageSize() : controller.FlashPageSize();
}

const char* MemoryName(Memory memory) {
    return memory == Memory::Eeprom ? "EEPROM" : "flash";
}

std::int32_t ImageReport::HighestAddress() const {
    return controller_ == nullptr ? 0 : HighestAddressOf(*controller_, memory_);
}

std::int32_t ImageReport::PageSize() const {
    return controller_ == nullptr ? 0 : PageSizeOf(*controller_, memory_);
}

std::int64_t ImageReport::MemoryBytes() const {
    return controller_ == nullptr ? 0 : static_cast<std::int64_t>(HighestAddress()) + 1;
}

void ImageReport::LayOntoController() {
    fits_ = LayOntoMemory(store_, pages_, HighestAddress(), PageSize());
    const UsedShares shares = UsedSharesOf(pages_, HighestAddress());
    pagesUsed_ = shares.pages;
    bytesUsed_ = shares.bytes;
}

} // namespace pagora::info
