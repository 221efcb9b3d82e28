// A fuzzed image fitted to a fuzzed controller and laid onto its pages, as the window does
// whenever a file is opened or a controller chosen.
#include "devices/ControllerList.h"
#include "image/Errors.h"
#include "pages/PageFill.h"
#include "pages/TPageList.h"
#include "pages/Usage.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace pagora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const TMikrocontrollerList& list = ControllerList();
    const TMikrocontroller& mc = list.Items(data[0] % list.Count());
    THexContainer store;
    try {
        store.LoadFromHexText(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    } catch (const std::exception&) {
        return 0;
    }
    TPageList pages;
    const std::int32_t last = mc.FlashSize() / mc.FlashPageSize();
    pages.Rebuild(last, mc.FlashPageSize());
    pages.PageSize = mc.FlashPageSize();
    pages.PageCount = last;
    const std::size_t imageLines = store.Count();
    store.FitToSize(mc.FlashSize());
    bool fits = true;
    try {
        pages.Fill(store);
    } catch (const EListError&) {
        fits = false;
    }
    // It fits exactly when the image is no longer than the flash; image lines are never cut.
    const bool shouldFit = imageLines * 16 <= static_cast<std::size_t>(mc.FlashSize()) + 1;
    if (fits != shouldFit || store.Count() < imageLines) {
        std::abort();
    }
    const double pagesShare = PagesUsedShare(pages);
    const double bytesShare = BytesUsedShare(pages, mc.FlashSize());
    if (pagesShare < 0 || pagesShare > 100 || bytesShare < 0 || bytesShare > 100) {
        std::abort();
    }
    for (const TPage& page : pages) {
        (void)PageFillOf(page, pages.PageSize);
    }
    return 0;
}
