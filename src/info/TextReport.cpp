#include "TextReport.h"

#include "image/CellText.h"
#include "pages/PageFill.h"
#include "pages/PageSquares.h"
#include "pages/Usage.h"

#include <algorithm>
#include <cstdio>

namespace pagora::info {

void WriteSummary(std::FILE* out, const ImageReport& report, char decimalSeparator,
                  const Budgets& budgets) {
    std::string text;
    text += "File: " + report.FileName() + "\n";
    text += "Lines: " + std::to_string(report.Lines()) + "\n";
    if (const TMikrocontroller* controller = report.Controller()) {
        text += "Controller: " + controller->ControllerName() + "\n";
        text += (report.LaidOnto() == Memory::Eeprom ? "EEPROMSize: " : "FlashSize: ") +
                std::to_string(report.MemoryBytes()) +
                ", PageSize: " + std::to_string(report.PageSize()) + "\n";
        text += std::string("Fits: ") + (report.Fits() ? "yes" : "no") + "\n";
        text +=
            "Pages Benutzt: " + UsageLabel(report.PagesUsed(), !report.Fits(), decimalSeparator) +
            "\n";
        text += BytesShareName(report) + ": " +
                UsageLabel(report.BytesUsed(), !report.Fits(), decimalSeparator) + "\n";
        text += BudgetLines(budgets, decimalSeparator);
    }
    std::fputs(text.c_str(), out);
}

void AppendRow(std::string& text, const THexContainer& store, std::size_t row) {
    text += cells::CellText(store, row, cells::kAddressColumn);
    for (int column = cells::kFirstHexColumn; column <= cells::kLastHexColumn; ++column) {
        text += ' ';
        text += cells::CellText(store, row, column);
    }
    text += "  ";
    for (int column = cells::kFirstCharColumn; column <= cells::kLastCharColumn; ++column) {
        text += cells::CellText(store, row, column);
    }
}

void WriteRows(std::FILE* out, const THexContainer& store) {
    std::string text;
    for (std::size_t row = 0; row < store.Count(); ++row) {
        text.clear();
        AppendRow(text, store, row);
        text += '\n';
        std::fwrite(text.data(), 1, text.size(), out);
    }
}

std::string PageText(const TPageList& pages, std::size_t index) {
    const TPage& page = pages.Items(index);
    return std::to_string(index) + ' ' + PageAddressText(index, pages.PageSize) + ' ' +
           std::to_string(page.BlankBytes()) + ' ' +
           std::string(PageFillName(PageFillOf(page, pages.PageSize)));
}

void WritePages(std::FILE* out, const TPageList& pages) {
    for (std::size_t index = 0; index < pages.Count(); ++index) {
        std::fputs((PageText(pages, index) + '\n').c_str(), out);
    }
}

void WriteDiff(std::FILE* out, const TPageList& pages,
               const std::vector<PageDifference>& differences) {
    std::string text;
    for (const PageDifference& difference : differences) {
        text += std::to_string(difference.Page) + ' ' +
                PageAddressText(difference.Page, pages.PageSize) + ' ' +
                std::to_string(difference.Bytes) + '\n';
    }
    text += "Pages differ: " + std::to_string(differences.size()) + " of " +
            std::to_string(pages.Count()) + '\n';
    std::fputs(text.c_str(), out);
}

void WriteControllers(std::FILE* out, const TMikrocontrollerList& controllers) {
    int width = 0;
    for (const TMikrocontroller& controller : controllers) {
        width = std::max(width, static_cast<int>(controller.ControllerName().size()));
    }
    for (const TMikrocontroller& controller : controllers) {
        std::fprintf(out, "%-*s %7lld %4d\n", width, controller.ControllerName().c_str(),
                     static_cast<long long>(controller.FlashSize()) + 1,
                     static_cast<int>(controller.FlashPageSize()));
    }
}

} // namespace pagora::info
