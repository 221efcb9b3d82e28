#include "TPageList.h"

#include "image/Errors.h"

namespace pagora {

std::ptrdiff_t TPageList::IndexOf(const TPage* page) const {
    if (page == nullptr || pages_.empty() || page < pages_.data() ||
        page >= pages_.data() + pages_.size()) {
        return -1;
    }
    return page - pages_.data();
}

void TPageList::Rebuild(std::int32_t lastIndex, std::int32_t size) {
    pages_.clear();
    if (lastIndex < 0) {
        return;
    }
    pages_.resize(static_cast<std::size_t>(lastIndex) + 1);
    for (TPage& page : pages_) {
        page.SetPageSize(size);
    }
}

static_assert(THexLine::kBytesPerLine == 16, "AssignLine lays 16 bytes");

void TPageList::Fill(const THexContainer& store) {
    const std::size_t pageCount = pages_.size();
    std::size_t i = 0; // current page
    std::size_t j = 0; // current entry of that page
    for (std::size_t row = 0; row < store.Count(); ++row) {
        const THexLine& line = store[row];
        // A full line that fits the current page whole: copy its 16 bytes at once.
        if (line.CountValue() >= THexLine::kBytesPerLine &&
            line.DataLength() == THexLine::kDataChars && i < pageCount &&
            j + THexLine::kBytesPerLine <= pages_[i].Bytes.size()) {
            TByteText::AssignLine(pages_[i].Bytes.data() + j, line.Data().data());
            j += THexLine::kBytesPerLine;
            if (j == pages_[i].Bytes.size()) {
                ++i;
                j = 0;
            }
            continue;
        }
        for (int b = 1; b <= THexLine::kBytesPerLine; ++b) {
            // No page left, or pages without room (a size of 0): the byte does not fit.
            if (i >= pageCount || pages_[i].Bytes.empty()) {
                throw EListError(kDataDoesNotFitPages);
            }
            std::vector<TByteText>& bytes = pages_[i].Bytes;
            bytes[j].Assign(line.GetByteText(b));
            if (++j == bytes.size()) {
                ++i;
                j = 0;
                if (i >= pageCount) {
                    break; // the rest of this line is dropped; the next line's first byte fails
                }
            }
        }
    }
}

const TPage* TPageList::PageAt(std::int32_t x, std::int32_t y) const {
    for (const TPage& page : pages_) {
        if (page.Rect.Contains(x, y)) {
            return &page;
        }
    }
    return nullptr;
}

} // namespace pagora
