#pragma once

#include "ImageReport.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pagora::info {

// The size limits a build pipeline sets for an image laid onto a controller's memory, and
// whether the image keeps them.
struct Budgets {
    // --max-used: the highest bytes share allowed, and whether the image stays within it (an
    // image that does not fit never does).
    std::optional<double> MaxUsed;
    bool MaxUsedHolds = true;
    // --reserve: the top bytes kept blank, the first of their addresses, and the first address
    // there that holds data.
    std::optional<std::int64_t> Reserve;
    std::int64_t ReserveFrom = 0;
    std::optional<std::int64_t> ReservedData;

    bool Hold() const { return MaxUsedHolds && !ReservedData; }
};

// Checks the limits given (a reserve no larger than the memory) against the laid-out image.
Budgets CheckBudgets(const ImageReport& report, std::optional<double> maxUsed,
                     std::optional<std::int64_t> reserve);

// The name of the bytes share of the memory: "Flash-Speicher Benutzt" or
// "EEPROM-Speicher Benutzt".
std::string BytesShareName(const ImageReport& report);

// The summary's lines for the limits given, each ending in a line end; "" without limits.
std::string BudgetLines(const Budgets& budgets, char decimalSeparator);

// Tells each broken limit on standard error, naming both figures.
void TellBrokenBudgets(const ImageReport& report, const Budgets& budgets, char decimalSeparator);

} // namespace pagora::info
