#pragma once

#include "TPage.h"
#include "image/THexContainer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pagora {

inline constexpr const char* kDataDoesNotFitPages =
    "Die Daten passen nicht in den gewählten Controller!\r\nBitte wählen Sie einen anderen!";

// The flash pages of the chosen controller; page k covers the addresses k*PageSize to
// (k+1)*PageSize-1.
class TPageList {
public:
    // Index of the last page (FlashSize div FlashPageSize); set by whoever rebuilds the list.
    std::int32_t PageCount = 0;
    // Bytes per page.
    std::int32_t PageSize = 0;

    std::size_t Count() const { return pages_.size(); }
    TPage& Items(std::size_t index) { return pages_[index]; }
    const TPage& Items(std::size_t index) const { return pages_[index]; }
    std::vector<TPage>::const_iterator begin() const { return pages_.begin(); }
    std::vector<TPage>::const_iterator end() const { return pages_.end(); }
    std::vector<TPage>::iterator begin() { return pages_.begin(); }
    std::vector<TPage>::iterator end() { return pages_.end(); }
    // Index of a page of this list, or -1.
    std::ptrdiff_t IndexOf(const TPage* page) const;
    void Clear() { pages_.clear(); }

    // Replaces all pages by lastIndex + 1 fresh pages of size bytes, each "FF".
    void Rebuild(std::int32_t lastIndex, std::int32_t size);
    // Lays the store's bytes onto the pages from the first byte on. Raises EListError when
    // bytes are left over for which no page remains; the pages keep what was laid.
    void Fill(const THexContainer& store);
    // The first page whose square contains the point, or nullptr.
    const TPage* PageAt(std::int32_t x, std::int32_t y) const;

private:
    std::vector<TPage> pages_;
};

} // namespace pagora
