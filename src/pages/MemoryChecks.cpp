#include "MemoryChecks.h"

#include "image/HexToInt.h"

#include <algorithm>

namespace pagora {

namespace {

// The value of a byte text, two digits of either case; a text that is not a byte reads -1.
int ByteValue(const TByteText& text) {
    if (text.Size != 2) {
        return -1;
    }
    const int high = HexDigitValue(text.Text[0]);
    const int low = HexDigitValue(text.Text[1]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

bool SameByte(const TByteText& a, const TByteText& b) {
    const int value = ByteValue(a);
    return value >= 0 ? value == ByteValue(b) : a.View() == b.View();
}

std::int32_t DifferingBytes(const TPage* before, const TPage* after) {
    const TByteText blank;
    const std::size_t size = std::max(before != nullptr ? before->Bytes.size() : 0,
                                      after != nullptr ? after->Bytes.size() : 0);
    std::int32_t differing = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const TByteText& a =
            before != nullptr && i < before->Bytes.size() ? before->Bytes[i] : blank;
        const TByteText& b = after != nullptr && i < after->Bytes.size() ? after->Bytes[i] : blank;
        differing += SameByte(a, b) ? 0 : 1;
    }
    return differing;
}

} // namespace

std::optional<std::int64_t> FirstDataAddress(const TPageList& pages, std::int64_t from,
                                             std::int64_t end) {
    if (pages.PageSize <= 0) {
        return std::nullopt;
    }
    const std::int64_t pageSize = pages.PageSize;
    for (std::int64_t address = std::max<std::int64_t>(from, 0); address < end; ++address) {
        const auto page = static_cast<std::size_t>(address / pageSize);
        if (page >= pages.Count()) {
            break;
        }
        const std::vector<TByteText>& bytes = pages.Items(page).Bytes;
        const auto entry = static_cast<std::size_t>(address % pageSize);
        if (entry < bytes.size() && !bytes[entry].Blank()) {
            return address;
        }
    }
    return std::nullopt;
}

std::vector<PageDifference> DifferingPages(const TPageList& before, const TPageList& after) {
    std::vector<PageDifference> differences;
    const std::size_t count = std::max(before.Count(), after.Count());
    for (std::size_t page = 0; page < count; ++page) {
        const std::int32_t bytes =
            DifferingBytes(page < before.Count() ? &before.Items(page) : nullptr,
                           page < after.Count() ? &after.Items(page) : nullptr);
        if (bytes > 0) {
            differences.push_back({page, bytes});
        }
    }
    return differences;
}

} // namespace pagora
