#pragma once

#include "TPageList.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace pagora {

// The address of the first byte from address from up to (not including) end that holds data
// (is not exactly "FF"), page k covering k * PageSize to (k + 1) * PageSize - 1; nothing when
// every byte there is blank or lies on no page.
std::optional<std::int64_t> FirstDataAddress(const TPageList& pages, std::int64_t from,
                                             std::int64_t end);

// A page whose bytes differ between two layouts of the same memory, and how many of them.
struct PageDifference {
    std::size_t Page = 0;
    std::int32_t Bytes = 0;
    friend bool operator==(const PageDifference&, const PageDifference&) = default;
};

// The pages a page-wise programmer has to write again to turn the memory laid out as before
// into the one laid out as after, in page order. Bytes are compared by value ("ff" equals
// "FF"); a page that only one layout has differs in each of its bytes that is not blank.
std::vector<PageDifference> DifferingPages(const TPageList& before, const TPageList& after);

} // namespace pagora
