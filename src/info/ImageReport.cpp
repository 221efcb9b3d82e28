#include "ImageReport.h"

#include "image/Errors.h"
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

// The same steps, in the same order, as the window takes when a controller is chosen.
void ImageReport::LayOntoController() {
    const std::int32_t flashSize = controller_->FlashSize();
    const std::int32_t pageSize = controller_->FlashPageSize();
    // A part without flash pages gets no pages, so every byte is left over.
    const std::int32_t lastPage = pageSize > 0 ? flashSize / pageSize : -1;
    pages_.Rebuild(lastPage, pageSize);
    pages_.PageSize = pageSize;
    pages_.PageCount = lastPage;
    store_.FitToSize(flashSize);
    try {
        pages_.Fill(store_);
        fits_ = true;
    } catch (const EListError&) {
        fits_ = false;
    }
    pagesUsed_ = PagesUsedShare(pages_);
    bytesUsed_ = BytesUsedShare(pages_, flashSize);
}

} // namespace pagora::info
