// A fuzzed image fitted to a fuzzed controller and laid onto its pages, as the window does
// whenever a file is opened or a controller chosen.
#include "devices/ControllerList.h"
#include "pages/MemoryLayout.h"
#include "pages/PageFill.h"
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
    const std::size_t imageLines = store.Count();
    const bool fits = LayOntoMemory(store, pages, mc.FlashSize(), mc.FlashPageSize());
    // It fits exactly when the image is no longer than the flash; image lines are never cut.
    const bool shouldFit = imageLines * 16 <= static_cast<std::size_t>(mc.FlashSize()) + 1;
    if (fits != shouldFit || store.Count() < imageLines) {
        std::abort();
    }
    const UsedShares shares = UsedSharesOf(pages, mc.FlashSize());
    if (shares.pages < 0 || shares.pages > 100 || shares.bytes < 0 || shares.bytes > 100) {
        std::abort();
    }
    for (const TPage& page : pages) {
        (void)PageFillOf(page, pages.PageSize);
    }
    return 0;
}
