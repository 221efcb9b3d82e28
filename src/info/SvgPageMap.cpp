#include "SvgPageMap.h"

#include "Budgets.h"
#include "XmlText.h"
#include "image/HexToInt.h"
#include "pages/PageFill.h"
#include "pages/PageSquares.h"
#include "pages/Usage.h"
#include "pages/UsageBar.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string_view>

namespace pagora::info {

namespace {

// The squares' field starts 9 pixels in from the left and the top, as in the window, and
// keeps the same margin to the right and below.
constexpr std::int32_t kMapMargin = 9;
// The field's width beyond its cells: the margin at the left, the last square 2 pixels short
// of its cell, the margin at the right.
constexpr std::int32_t kMapEdges = kMapMargin - 2 + kMapMargin;

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
    std::string text = "#";
    text +=
        ToHex(static_cast<std::uint32_t>(colour.red << 16 | colour.green << 8 | colour.blue), 6);
    return text;
}

// A gradient stop's offset, such as 0.0625.
std::string Offset(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string Number(std::int64_t value) {
    return std::to_string(value);
}

// Appends the pieces in order.
void Add(std::string& svg, std::initializer_list<std::string_view> pieces) {
    for (const std::string_view piece : pieces) {
        svg.append(piece);
    }
}

// One bar row: its gradient, label, frame, filled part and percentage.
void AppendBar(std::string& svg, const std::string& id, std::int32_t top, std::int32_t width,
               const std::string& label, double share, bool dataDoesNotFit, char decimalSeparator) {
    const BarFill fill = UsageBarFill(share, dataDoesNotFit, width);
    // The gradient rectangle starts 2 pixels into the bar and reaches its bottom edge; the
    // filled part leaves a white row above and below.
    const std::int32_t gradientTop = top + 2;
    Add(svg,
        {"<defs><linearGradient id=\"", id, R"(" gradientUnits="userSpaceOnUse" x1="0" y1=")",
         Number(gradientTop), R"(" x2="0" y2=")", Number(gradientTop + kBarHeight - 2), "\">\n"});
    for (const GradientStop& stop : UsageBarStops(fill.Colour)) {
        Add(svg, {"<stop offset=\"", Offset(stop.Offset), R"(" stop-color=")", Hex(stop.Colour),
                  "\"/>\n"});
    }
    svg += "</linearGradient></defs>\n";
    const std::int32_t baseline = top + 10;
    Add(svg, {R"(<text class="label" x=")", Number(kLabelLeft), R"(" y=")", Number(baseline), "\">",
              XmlText(label), "</text>\n"});
    Add(svg, {R"(<rect class="bar-frame" x=")", Number(kBarLeft), R"(.5" y=")", Number(top),
              R"(.5" width=")", Number(width - 1), R"(" height=")", Number(kBarHeight - 1),
              R"(" fill="#FFFFFF" stroke="#000000"/>)", "\n"});
    if (fill.Right > 0) {
        Add(svg, {R"(<rect class="bar" x=")", Number(kBarLeft + 1), R"(" y=")", Number(gradientTop),
                  R"(" width=")", Number(fill.Right), R"(" height=")", Number(kBarHeight - 4),
                  R"(" fill="url(#)", id, ")\"/>\n"});
    }
    Add(svg,
        {R"(<text class="percent" x=")", Number(kBarLeft + width + 8), R"(" y=")", Number(baseline),
         "\">", XmlText(UsageLabel(share, dataDoesNotFit, decimalSeparator)), "</text>\n"});
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

// The hint over a page as a title, a line each for page, address and used share. It leaves out
// the window's indentation: a browser drops the blanks before the first line of a title but
// keeps those of the others, which would set the first line apart.
std::string TitleText(std::size_t index, std::int32_t pageSize, const TPage& page,
                      char decimalSeparator) {
    std::string text;
    for (const std::string& line : PageHintLines(index, pageSize, page, decimalSeparator)) {
        text += (text.empty() ? "" : "\n") + line;
    }
    return text;
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
    const std::int64_t mapWidth = std::int64_t{columns} * block + kMapEdges;
    const std::int64_t mapHeight = rows * block + kMapEdges;
    const std::int64_t width =
        std::max(mapWidth, std::int64_t{kBarLeft + kMinBarWidth + kPercentRoom});
    const std::int64_t height = mapHeight + kStatusHeight;
    const auto barWidth = static_cast<std::int32_t>(width - kBarLeft - kPercentRoom);

    std::string svg;
    svg.reserve(static_cast<std::size_t>(count) * 160 + 4096);
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    Add(svg, {R"(<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width=")", Number(width),
              R"(" height=")", Number(height), R"(" viewBox="0 0 )", Number(width), " ",
              Number(height), "\">\n"});
    Add(svg, {"<title>", XmlText(PictureTitle(report)), "</title>\n"});
    svg += R"(<rect width="100%" height="100%" fill="#FFFFFF"/>)"
           "\n";

    // Each square is a rectangle with a 1-pixel black frame: the stroke runs along the middle
    // of the outer pixel ring, so the half-pixel position and a width one less than the square
    // cover the square's pixels exactly.
    Add(svg, {R"(<g class="pages" stroke=")", Hex(kSquareFrame), R"(" stroke-width="1">)", "\n"});
    const std::string side = Number(block - 3);
    std::size_t index = 0;
    for (const TPage& page : pages) {
        const TRect square = PageSquare(index, columns - 1, block);
        Add(svg,
            {"<rect x=\"", Number(square.Left), R"(.5" y=")", Number(square.Top), R"(.5" width=")",
             side, R"(" height=")", side, R"(" fill=")",
             Hex(SquareFillRgb(page, pageSize, doesNotFit)), "\"><title>",
             XmlText(TitleText(index, pageSize, page, decimalSeparator)), "</title></rect>\n"});
        ++index;
    }
    svg += "</g>\n";

    const auto statusTop = static_cast<std::int32_t>(mapHeight);
    Add(svg, {R"(<g class="usage" font-family="sans-serif" font-size=")", Number(kFontSize),
              R"(" fill="#000000">)", "\n"});
    AppendBar(svg, "pages-bar", statusTop + 6, barWidth, "Pages Benutzt:", report.PagesUsed(),
              doesNotFit, decimalSeparator);
    AppendBar(svg, "bytes-bar", statusTop + 23, barWidth, BytesShareName(report) + ":",
              report.BytesUsed(), doesNotFit, decimalSeparator);
    svg += "</g>\n</svg>\n";
    return svg;
}

} // namespace pagora::info
