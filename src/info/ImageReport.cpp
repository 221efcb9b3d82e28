#include "ImageReport.h"

#include "image/Errors.h"
#include "pages/FlashLayout.h"
#include "pages/Usage.h"

#include <utility>

namespace pagora::info {

ImageReport::ImageReport(std::string fileName, const TMikrocontroller* controller)
    : fileName_(std::move(fileName)), controller_(controller) {
    store_.LoadFromHexFile(fileName_);
    lines_ = store_.Count();
    if (controller_ != nullptr) {
        LayOntoController();
    }
}

std::int64_t ImageReport::FlashBytes() const {
    return controller_ == nullptr ? 0 : static_cast<std::int64_t>(controller_->FlashSize()) + 1;
}

void ImageReport::LayOntoController() {
    const std::int32_t flashSize = controller_->FlashSize();
    fits_ = LayOntoFlash(store_, pages_, flashSize, controller_->FlashPageSize());
    const UsedShares shares = UsedSharesOf(pages_, flashSize);
    pagesUsed_ = shares.pages;
    bytesUsed_ = shares.bytes;
}

} // namespace pagora::info
