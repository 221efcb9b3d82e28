#include "TPage.h"

#include <algorithm>

namespace pagora {

void TPage::SetPageSize(std::int32_t size) {
    Bytes.assign(static_cast<std::size_t>(std::max(size, 0)), TByteText{});
}

std::int32_t TPage::BlankBytes() const {
    return static_cast<std::int32_t>(
        std::count_if(Bytes.begin(), Bytes.end(), [](const TByteText& b) { return b.Blank(); }));
}

} // namespace pagora
