#pragma once

#include "TPageList.h"

#include <cstdint>
#include <string>

namespace pagora {

// A used share in percent: (total - blank) * 100 / total, the product formed in integers and
// the division in floating point; 0 for a total of 0 or less.
double UsedShare(std::int64_t total, std::int64_t blank);

// The shares of the two usage bars, from one pass over the pages. pages: of the PageCount + 1
// pages, those with a data byte (a page whose BlankBytes reach PageSize is blank). bytes: of
// the flashSize + 1 flash bytes (flashSize being the highest flash address), those that are
// not blank.
struct UsedShares {
    double pages = 0.0;
    double bytes = 0.0;
};
UsedShares UsedSharesOf(const TPageList& pages, std::int32_t flashSize);

// A page's own used share: (pageSize - BlankBytes) * 100 / pageSize.
inline double PageUsedShare(const TPage& page, std::int32_t pageSize) {
    return UsedShare(pageSize, page.BlankBytes());
}

// A percentage with exactly one decimal, the tenth rounded half up (6.25 gives "6,3" with a
// comma), using the given decimal separator.
std::string FormatPercent(double value, char decimalSeparator);

// What a usage bar's label reads: the share and "%", or "> 100%" above 100 or when the image
// does not fit.
std::string UsageLabel(double share, bool dataDoesNotFit, char decimalSeparator);

} // namespace pagora
