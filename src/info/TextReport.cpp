#include "TextReport.h"

#include "image/CellText.h"
#include "image/HexToInt.h"
#include "pages/PageFill.h"
#include "pages/Usage.h"

#include <algorithm>
#include <cstdio>

namespace pagora::info {

void WriteSummary(OutputBuffer& out, const ImageReport& report, char decimalSeparator) {
    std::string text;
    text += "File: " + report.FileName() + "\n";
    text += "Lines: " + std::to_string(report.Lines()) + "\n";
    if (const TMikrocontroller* controller = report.Controller()) {
        text += "Controller: " + controller->ControllerName() + "\n";
        text += "FlashSize: " + std::to_string(report.FlashBytes()) +
                ", PageSize: " + std::to_string(controller->FlashPageSize()) + "\n";
        text += std::string("Fits: ") + (report.Fits() ? "yes" : "no") + "\n";
        text +=
            "Pages Benutzt: " + UsageLabel(report.PagesUsed(), !report.Fits(), decimalSeparator) +
            "\n";
        text += "Flash-Speicher Benutzt: " +
                UsageLabel(report.BytesUsed(), !report.Fits(), decimalSeparator) + "\n";
    }
    out.Append(text);
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

void WriteRows(OutputBuffer& out, const THexContainer& store) {
    std::string text;
    for (std::size_t row = 0; row < store.Count(); ++row) {
        text.clear();
        AppendRow(text, store, row);
        text += '\n';
        out.Append(text);
    }
}

std::string PageText(const TPageList& pages, std::size_t index) {
    const TPage& page = pages.Items(index);
    const auto address =
        static_cast<std::uint32_t>(index * static_cast<std::size_t>(std::max(pages.PageSize, 0)));
    return std::to_string(index) + ' ' + ToHex(address, 6) + ' ' +
           std::to_string(page.BlankBytes()) + ' ' +
           std::string(PageFillName(PageFillOf(page, pages.PageSize)));
}

void WritePages(OutputBuffer& out, const TPageList& pages) {
    for (std::size_t index = 0; index < pages.Count(); ++index) {
        out.Append(PageText(pages, index));
        out.Append('\n');
    }
}

void WriteControllers(OutputBuffer& out, const TMikrocontrollerList& controllers) {
    int width = 0;
    for (const TMikrocontroller& controller : controllers) {
        width = std::max(width, static_cast<int>(controller.ControllerName().size()));
    }
    char line[128];
    for (const TMikrocontroller& controller : controllers) {
        std::snprintf(line, sizeof line, "%-*s %7lld %4d\n", width,
                      controller.ControllerName().c_str(),
                      static_cast<long long>(controller.FlashSize()) + 1,
                      static_cast<int>(controller.FlashPageSize()));
        out.Append(line);
    }
}

} // namespace pagora::info
