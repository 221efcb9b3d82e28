#pragma once

#include "TPageList.h"

#include <cstdint>
#include <string>

namespace pagora {

// Share in percent of the pages that hold any data: (N - U) * 100 / N with N = PageCount + 1
// pages and U the pages without a data byte. 0 when there are no pages.
double PagesUsedShare(const TPageList& pages);

// Share in percent of the flash bytes that are not blank: N = flashSize + 1 bytes (flashSize
// being the highest flash address), U = all blank bytes of the pages.
double BytesUsedShare(const TPageList& pages, std::int32_t flashSize);

// Both shares from one pass over the pages.
struct UsedShares {
    double pages = 0.0;
    double bytes = 0.0;
};
UsedShares UsedSharesOf(const TPageList& pages, std::int32_t flashSize);

// A page's own used share: (PageSize - BlankBytes) * 100 / PageSize.
double PageUsedShare(const TPage& page, std::int32_t pageSize);

// A percentage with exactly one decimal, the tenth rounded half up (6.25 gives "6,3" with a
// comma), using the given decimal separator.
std::string FormatPercent(double value, char decimalSeparator);

// What a usage bar's label reads: the share and "%", or "> 100%" above 100 or when the image
// does not fit.
std::string UsageLabel(double share, bool dataDoesNotFit, char decimalSeparator);

} // namespace pagora
