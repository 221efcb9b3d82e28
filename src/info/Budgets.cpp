#include "Budgets.h"

#include "image/HexToInt.h"
#include "pages/MemoryChecks.h"
#include "pages/Usage.h"

#include <cstdio>

namespace pagora::info {

namespace {

std::string Address(std::int64_t address) {
    return ToHex(static_cast<std::uint32_t>(address), 6);
}

} // namespace

Budgets CheckBudgets(const ImageReport& report, std::optional<double> maxUsed,
                     std::optional<std::int64_t> reserve) {
    Budgets budgets;
    budgets.MaxUsed = maxUsed;
    if (maxUsed) {
        budgets.MaxUsedHolds = report.Fits() && report.BytesUsed() <= *maxUsed;
    }
    budgets.Reserve = reserve;
    if (reserve) {
        const std::int64_t end = report.MemoryBytes();
        budgets.ReserveFrom = end - *reserve;
        budgets.ReservedData = FirstDataAddress(report.Pages(), budgets.ReserveFrom, end);
    }
    return budgets;
}

std::string BytesShareName(const ImageReport& report) {
    return report.LaidOnto() == Memory::Eeprom ? "EEPROM-Speicher Benutzt"
                                               : "Flash-Speicher Benutzt";
}

std::string BudgetLines(const Budgets& budgets, char decimalSeparator) {
    std::string text;
    if (budgets.MaxUsed) {
        text += "Max used: " + FormatPercent(*budgets.MaxUsed, decimalSeparator) +
                "%, holds: " + (budgets.MaxUsedHolds ? "yes" : "no") + "\n";
    }
    if (budgets.Reserve) {
        text += "Reserve: " + std::to_string(*budgets.Reserve) + " bytes from " +
                Address(budgets.ReserveFrom) + ", holds: ";
        text += budgets.ReservedData ? "no (data at " + Address(*budgets.ReservedData) + ")"
                                     : std::string("yes");
        text += "\n";
    }
    return text;
}

void TellBrokenBudgets(const ImageReport& report, const Budgets& budgets, char decimalSeparator) {
    if (budgets.MaxUsed && !budgets.MaxUsedHolds) {
        std::fprintf(stderr, "pagora-info: %s %s is above --max-used %s%%\n",
                     BytesShareName(report).c_str(),
                     UsageLabel(report.BytesUsed(), !report.Fits(), decimalSeparator).c_str(),
                     FormatPercent(*budgets.MaxUsed, decimalSeparator).c_str());
    }
    if (budgets.ReservedData) {
        std::fprintf(stderr,
                     "pagora-info: data at %s lies in the %lld bytes kept by --reserve (%s to "
                     "%s)\n",
                     Address(*budgets.ReservedData).c_str(),
                     static_cast<long long>(*budgets.Reserve), Address(budgets.ReserveFrom).c_str(),
                     Address(report.MemoryBytes() - 1).c_str());
    }
}

} // namespace pagora::info
