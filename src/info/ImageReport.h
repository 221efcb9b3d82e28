#pragma once

#include "devices/TMikrocontroller.h"
#include "image/THexContainer.h"
#include "pages/TPageList.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace pagora::info {

// The memory of a controller that an image is laid onto.
enum class Memory : std::uint8_t { Flash, Eeprom };

// The highest address and the page size of a controller's memory, as the device table gives
// them.
std::int32_t HighestAddressOf(const TMikrocontroller& controller, Memory memory);
std::int32_t PageSizeOf(const TMikrocontroller& controller, Memory memory);
// "flash" or "EEPROM", for messages.
const char* MemoryName(Memory memory);

// One image read as the viewer reads it and, with a controller, laid onto that controller's
// pages as the viewer lays it: what the grid, the page map and the usage bars would show. The
// pages are those of the controller's flash, or of its EEPROM, which is laid out the same way.
class ImageReport {
public:
    // Reads the file; with a controller, fits the store to the memory and fills its pages.
    // The reader's errors (EConvertError, EListError, EFileError) pass to the caller.
    ImageReport(std::string fileName, const TMikrocontroller* controller,
                Memory memory = Memory::Flash);

    const std::string& FileName() const { return fileName_; }
    // Lines of the image as read, before fitting to a controller.
    std::size_t Lines() const { return lines_; }
    // The controller the image was laid onto, or nullptr.
    const TMikrocontroller* Controller() const { return controller_; }
    Memory LaidOnto() const { return memory_; }
    // The memory's highest address and page size as the device table gives them; 0 without a
    // controller.
    std::int32_t HighestAddress() const;
    std::int32_t PageSize() const;
    // The memory's size in bytes, one more than its highest address; 0 without a controller.
    std::int64_t MemoryBytes() const;
    // False when the pages could not take every byte; true without a controller.
    bool Fits() const { return fits_; }
    // The shares of the two usage bars, in percent; 0 without a controller.
    double PagesUsed() const { return pagesUsed_; }
    double BytesUsed() const { return bytesUsed_; }

    // The store after fitting (the grid's rows) and the pages (the page map's squares).
    const THexContainer& Store() const { return store_; }
    const TPageList& Pages() const { return pages_; }

private:
    void LayOntoController();

    std::string fileName_;
    const TMikrocontroller* controller_;
    Memory memory_;
    THexContainer store_;
    TPageList pages_;
    std::size_t lines_ = 0;
    bool fits_ = true;
    double pagesUsed_ = 0.0;
    double bytesUsed_ = 0.0;
};

} // namespace pagora::info
