#include "SvgPageMap.h"

#include "Budgets.h"
#include "XmlText.h"
#include "pages/PageFill.h"
#include "pages/PageSquares.h"
#include "pages/Usage.h"
#include "pages/UsageBar.h"

#include <algorithm>
#include <cstdio>

namespace pagora::info {

namespace {

// The squares' field starts 9 pixels in from the left and the top, as in the window, and
// keeps the same margin to the right and below.
constexpr std::int32_t kMapMargin = 9;

// The status rows below the map, as in the window: labels at the left, the bars 13 pixels
// high at 6 and 23 pixels from the top of a strip 41 pixels high, the percentages right of the
// bars.
constexpr std::int32_t kStatusHeight = 41;
constexpr std::int32_t kLabelLeft = 8;
constexpr std::int32_t kBarLeft = 160;
constexpr std::int32_t kBarHeight = 13;
constexpr std::int32_t kPercentRoom = 56;
constexpr std::int32_t kMinBarWidth = 120;
constexpr std::int32_t kFontSize = 11;

std::string Hex(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.red, colour.green, colour.blue);
    return text;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// One bar row: its gradient, label, frame, filled part and percentage.
void AppendBar(std::string& svg, const std::string& id, std::int32_t top, std::int32_t width,
               const std::string& label, double share, bool dataDoesNotFit, char decimalSeparator) {
    const BarFill fill = UsageBarFill(share, dataDoesNotFit, width);
    // The gradient rectangle starts 2 pixels into the bar and reaches its bottom edge; the
    // filled part leaves a white row above and below.
    const std::int32_t gradientTop = top + 2;
    svg += "<defs><linearGradient id=\"" + id +
           "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" + std::to_string(gradientTop) +
           "\" x2=\"0\" y2=\"" + std::to_string(gradientTop + kBarHeight - 2) + "\">\n";
    for (const GradientStop& stop : UsageBarStops(fill.Colour)) {
        svg += "<stop offset=\"" + Number(stop.Offset) + "\" stop-color=\"" + Hex(stop.Colour) +
               "\"/>\n";
    }
    svg += "</linearGradient></defs>\n";
    const std::int32_t baseline = top + 10;
    svg += "<text class=\"label\" x=\"" + std::to_string(kLabelLeft) + "\" y=\"" +
           std::to_string(baseline) + "\">" + XmlText(label) + "</text>\n";
    svg += "<rect class=\"bar-frame\" x=\"" + std::to_string(kBarLeft) + ".5\" y=\"" +
           std::to_string(top) + ".5\" width=\"" + std::to_string(width - 1) + "\" height=\"" +
           std::to_string(kBarHeight - 1) + "\" fill=\"#FFFFFF\" stroke=\"#000000\"/>\n";
    if (fill.Right > 0) {
        svg += "<rect class=\"bar\" x=\"" + std::to_string(kBarLeft + 1) + "\" y=\"" +
               std::to_string(gradientTop) + "\" width=\"" + std::to_string(fill.Right) +
               "\" height=\"" + std::to_string(kBarHeight - 4) + "\" fill=\"url(#" + id + ")\"/>\n";
    }
    svg += "<text class=\"percent\" x=\"" + std::to_string(kBarLeft + width + 8) + "\" y=\"" +
           std::to_string(baseline) + "\">" +
           XmlText(UsageLabel(share, dataDoesNotFit, decimalSeparator)) + "</text>\n";
}

std::string PictureTitle(const ImageReport& report) {
#ifdef _WIN32
    constexpr const char* kSeparators = "/\\";
#else
    constexpr const char* kSeparators = "/";
#endif
    const std::string& file = report.FileName();
    const std::size_t slash = file.find_last_of(kSeparators);
    std::string title = slash == std::string::npos ? file : file.substr(slash + 1);
    title += " on " + report.Controller()->ControllerName();
    if (report.LaidOnto() == Memory::Eeprom) {
        title += " (EEPROM)";
    }
    return title;
}

// The hint as the window shows it, with line feeds for its line ends.
std::string TitleText(std::string hint) {
    std::erase(hint, '\r');
    return hint;
}

} // namespace

std::string PageMapSvg(const ImageReport& report, SvgLayout layout, char decimalSeparator) {
    const std::int32_t columns = std::clamp(layout.Columns, kMinSvgColumns, kMaxSvgColumns);
    const std::int32_t block = std::clamp(layout.Block, kMinSvgBlock, kMaxSvgBlock);
    const TPageList& pages = report.Pages();
    const std::int32_t pageSize = pages.PageSize;
    const bool doesNotFit = !report.Fits();
    const auto count = static_cast<std::int64_t>(pages.Count());
    const std::int64_t rows = (count + columns - 1) / columns;

    // The last square's right and bottom edges lie 7 pixels past the last cell; 9 more make
    // the margin.
    const std::int64_t mapWidth = std::int64_t{columns} * block + 2 * kMapMargin - 2;
    const std::int64_t mapHeight = rows * block + 2 * kMapMargin - 2;
    const std::int64_t width =
        std::max(mapWidth, std::int64_t{kBarLeft + kMinBarWidth + kPercentRoom});
    const std::int64_t height = mapHeight + kStatusHeight;
    const auto barWidth = static_cast<std::int32_t>(width - kBarLeft - kPercentRoom);

    std::string svg;
    svg.reserve(static_cast<std::size_t>(count) * 160 + 4096);
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " +
           std::to_string(width) + " " + std::to_string(height) + "\">\n";
    svg += "<title>" + XmlText(PictureTitle(report)) + "</title>\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#FFFFFF\"/>\n";

    // Each square is a rectangle with a 1-pixel black frame: the stroke runs along the middle
    // of the outer pixel ring, so the half-pixel position and a width one less than the square
    // cover the square's pixels exactly.
    svg += "<g class=\"pages\" stroke=\"" + Hex(kSquareFrame) + "\" stroke-width=\"1\">\n";
    const std::string side = std::to_string(block - 3);
    std::size_t index = 0;
    for (const TPage& page : pages) {
        const TRect square = PageSquare(index, columns - 1, block);
        svg += "<rect x=\"" + std::to_string(square.Left) + ".5\" y=\"" +
               std::to_string(square.Top) + ".5\" width=\"" + side + "\" height=\"" + side +
               "\" fill=\"" + Hex(SquareFillRgb(page, pageSize, doesNotFit)) + "\"><title>" +
               XmlText(TitleText(PageHintText(index, pageSize, page, decimalSeparator))) +
               "</title></rect>\n";
        ++index;
    }
    svg += "</g>\n";

    const auto statusTop = static_cast<std::int32_t>(mapHeight);
    svg += "<g class=\"usage\" font-family=\"sans-serif\" font-size=\"" +
           std::to_string(kFontSize) + "\" fill=\"#000000\">\n";
    AppendBar(svg, "pages-bar", statusTop + 6, barWidth, "Pages Benutzt:", report.PagesUsed(),
              doesNotFit, decimalSeparator);
    AppendBar(svg, "bytes-bar", statusTop + 23, barWidth, BytesShareName(report) + ":",
              report.BytesUsed(), doesNotFit, decimalSeparator);
    svg += "</g>\n</svg>\n";
    return svg;
}

} // namespace pagora::info
