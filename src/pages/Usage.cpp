#include "Usage.h"

#include <cmath>
#include <cstdio>

namespace pagora {

double UsedShare(std::int64_t total, std::int64_t blank) {
    if (total <= 0) {
        return 0.0;
    }
    return static_cast<double>((total - blank) * 100) / static_cast<double>(total);
}

UsedShares UsedSharesOf(const TPageList& pages, std::int32_t flashSize) {
    std::int64_t blankPages = 0;
    std::int64_t blankBytes = 0;
    for (const TPage& page : pages) {
        const std::int32_t blank = page.BlankBytes();
        blankPages += blank >= pages.PageSize ? 1 : 0;
        blankBytes += blank;
    }
    return {UsedShare(static_cast<std::int64_t>(pages.PageCount) + 1, blankPages),
            UsedShare(static_cast<std::int64_t>(flashSize) + 1, blankBytes)};
}

std::string FormatPercent(double value, char decimalSeparator) {
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    // Round the tenths half away from zero; the small allowance keeps shares such as 37.45,
    // which binary floating point holds as 37.4499..., going up as written.
    const double scaled = std::floor(std::fabs(value) * 10.0 + 0.5 + 1e-9);
    const auto tenths = static_cast<long long>(scaled);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%lld%c%lld", (value < 0 && tenths != 0) ? "-" : "",
                  tenths / 10, decimalSeparator, tenths % 10);
    return buffer;
}

std::string UsageLabel(double share, bool dataDoesNotFit, char decimalSeparator) {
    if (share > 100.0 || dataDoesNotFit) {
        return "> 100%";
    }
    return FormatPercent(share, decimalSeparator) + "%";
}

} // namespace pagora
