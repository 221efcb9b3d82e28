#include "InfoOptions.h"

#include "ExitStatus.h"
#include "SvgPageMap.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdio>
#include <system_error>

namespace pagora::info {

namespace {

constexpr const char* kDescription =
    "Reads an Intel HEX image (*.hex, *.eep) as AVR-Pagora does and tells whether it fits\n"
    "a controller's flash (or EEPROM) and how full that memory is.";

constexpr const char* kFooter =
    "Without --dump, --pages, --diff or --json a summary is printed: the file, its lines\n"
    "and, with a controller, its flash and page size, whether the image fits and the shares\n"
    "\"Pages Benutzt:\" and \"Flash-Speicher Benutzt:\" in the locale's number format (on\n"
    "Windows that of the regional settings).\n"
    "--dump: one line per row: address, 16 byte cells, two blanks, 16 character cells.\n"
    "--pages: one line per page: number, first address, blank bytes and fill class\n"
    "(full, mostly, half, little, blank).\n"
    "Every line written ends in LF alone, on Windows as well.\n"
    "\n"
    "--eeprom lays the image onto the controller's EEPROM instead of its flash; the summary\n"
    "then says \"EEPROMSize:\" and \"EEPROM-Speicher Benutzt:\", and the JSON report\n"
    "\"eeprom_size\" and \"eeprom_used\". Example:\n"
    "  pagora-info --eeprom --controller ATmega32 firmware.eep\n"
    "\n"
    "--max-used PERCENT fails (exit status 1) when the bytes share is above PERCENT, a\n"
    "number from 0 to 100 with a point or a comma (80, 80.5, 80,5). The exact share is\n"
    "compared, not its rounded label. Example:\n"
    "  pagora-info --controller ATmega328p --max-used 90 firmware.hex\n"
    "\n"
    "--reserve BYTES keeps the top BYTES bytes of the memory for a boot loader: it fails\n"
    "(exit status 1) when a byte there is not FF and names the first such address. BYTES is\n"
    "decimal or hexadecimal with 0x, at most the memory's size. Example:\n"
    "  pagora-info --controller ATmega328p --reserve 0x800 firmware.hex\n"
    "Both are told in the summary and in --json, and a failure on standard error.\n"
    "\n"
    "--diff OTHER lays OTHER and FILE onto the controller's pages and prints one line per\n"
    "page whose bytes differ (number, first address, differing bytes), then\n"
    "\"Pages differ: N of M\": the pages a page-wise programmer writes again to turn OTHER\n"
    "into FILE. Bytes are compared by value. Example:\n"
    "  pagora-info --controller ATmega8 --diff old.hex new.hex\n"
    "\n"
    "--svg PICTURE writes the page map and the two usage bars as an SVG picture (\"-\": to\n"
    "standard output, in place of the report), drawn as the viewer draws them: a square per\n"
    "page in its fill colour (all red when the image does not fit), its hint as the square's\n"
    "title. --svg-columns N sets the squares per row (1 to 1024, default 32), --svg-block\n"
    "PIXELS their pitch (5 to 100, default 12). Example:\n"
    "  pagora-info --controller ATmega328p --svg firmware.svg firmware.hex\n"
    "\n"
    "Exit status: 0 read and fits (or no controller given), 1 read but does not fit (or a\n"
    "limit of --max-used or --reserve is broken, or OTHER does not fit), 2 the file could\n"
    "not be read, 64 wrong usage, 74 the report or the picture could not be written.";

void UsageError(const std::string& message) {
    std::fprintf(stderr, "pagora-info: %s\nRun with --help for more information.\n",
                 message.c_str());
}

// A share in percent from 0 to 100: digits, optionally a point or a comma and more digits.
std::optional<double> ParsePercent(std::string text) {
    std::size_t digits = 0;
    std::size_t separators = 0;
    for (char& c : text) {
        if (c == ',' || c == '.') {
            c = '.';
            ++separators;
        } else if (c >= '0' && c <= '9') {
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || separators > 1 || text.front() == '.' || text.back() == '.') {
        return std::nullopt;
    }
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value > 100.0) {
        return std::nullopt;
    }
    return value;
}

// A byte count: decimal digits, or hexadecimal digits after 0x (or 0X).
std::optional<std::int64_t> ParseByteCount(const std::string& text) {
    int base = 10;
    std::size_t first = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        first = 2;
    }
    if (first >= text.size()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + first, end, value, base);
    if (error != std::errc() || stop != end || value < 0) {
        return std::nullopt;
    }
    return value;
}

} // namespace

ParsedOptions ParseOptions(int argc, const char* const* argv) {
    ParsedOptions parsed;
    InfoOptions& options = parsed.Options;
    CLI::App app(kDescription, "pagora-info");
    app.footer(kFooter);
    app.set_version_flag("--version", std::string("pagora-info ") + PAGORA_VERSION,
                         "Print the version and exit");

    std::string controller;
    CLI::Option* controllerOption =
        app.add_option("--controller", controller,
                       "Lay the image onto this controller's flash (exact name)")
            ->option_text("NAME");
    app.add_flag("--eeprom", options.Eeprom,
                 "Lay the image onto the controller's EEPROM instead of its flash")
        ->needs(controllerOption)
        ->option_text(" ");
    CLI::Option* dump =
        app.add_flag("--dump", options.Dump, "Print the rows as the grid shows them")
            ->option_text(" ");
    CLI::Option* pages =
        app.add_flag("--pages", options.Pages, "Print one line per flash page (needs --controller)")
            ->needs(controllerOption)
            ->option_text(" ");
    CLI::Option* json = app.add_flag("--json", options.Json,
                                     "Print the summary (with --pages also the pages) as JSON")
                            ->option_text(" ");
    CLI::Option* list = app.add_flag("--list-controllers", options.ListControllers,
                                     "Print the controllers with flash and page size")
                            ->option_text(" ");
    std::string maxUsed;
    CLI::Option* maxUsedOption =
        app.add_option("--max-used", maxUsed,
                       "Fail when over PERCENT of the memory's bytes are used")
            ->needs(controllerOption)
            ->option_text("PERCENT");
    std::string reserve;
    CLI::Option* reserveOption =
        app.add_option("--reserve", reserve, "Fail when the memory's top BYTES bytes hold data")
            ->needs(controllerOption)
            ->option_text("BYTES");
    std::string diff;
    CLI::Option* diffOption =
        app.add_option("--diff", diff,
                       "Print the pages that differ from OTHER's (needs --controller)")
            ->needs(controllerOption)
            ->option_text("OTHER");
    std::string svg;
    CLI::Option* svgOption =
        app.add_option("--svg", svg, "Draw the page map as an SVG picture (- for standard output)")
            ->needs(controllerOption)
            ->option_text("PICTURE");
    app.add_option("--svg-columns", options.SvgColumns, "Squares per row of the picture")
        ->needs(svgOption)
        ->check(CLI::Range(kMinSvgColumns, kMaxSvgColumns))
        ->option_text("N");
    app.add_option("--svg-block", options.SvgBlock, "Pitch of the picture's squares in pixels")
        ->needs(svgOption)
        ->check(CLI::Range(kMinSvgBlock, kMaxSvgBlock))
        ->option_text("PIXELS");
    CLI::Option* file =
        app.add_option("FILE", options.File, "The Intel HEX file to read")->option_text(" ");
    dump->excludes(pages)->excludes(json);
    diffOption->excludes(dump)->excludes(pages);
    list->excludes(controllerOption)->excludes(dump)->excludes(pages)->excludes(file);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForVersion& version) {
        std::printf("%s\n", version.what());
        parsed.Exit = kFits;
        return parsed;
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            std::fputs(app.help().c_str(), stdout);
            parsed.Exit = kFits;
        } else {
            UsageError(error.what());
            parsed.Exit = kUsage;
        }
        return parsed;
    }
    if (controllerOption->count() > 0) {
        options.Controller = controller;
    }
    if (!options.ListControllers && file->count() == 0) {
        UsageError("FILE is required");
        parsed.Exit = kUsage;
        return parsed;
    }
    if (maxUsedOption->count() > 0) {
        options.MaxUsed = ParsePercent(maxUsed);
        if (!options.MaxUsed) {
            UsageError("--max-used: \"" + maxUsed +
                       "\" is not a percentage from 0 to 100 (such as 80, 80.5 or 80,5)");
            parsed.Exit = kUsage;
            return parsed;
        }
    }
    if (reserveOption->count() > 0) {
        options.Reserve = ParseByteCount(reserve);
        if (!options.Reserve) {
            UsageError("--reserve: \"" + reserve +
                       "\" is not a number of bytes (decimal, or hexadecimal with 0x)");
            parsed.Exit = kUsage;
            return parsed;
        }
    }
    if (diffOption->count() > 0) {
        options.Diff = diff;
    }
    if (svgOption->count() > 0) {
        options.Svg = svg;
        if (svg.empty()) {
            UsageError("--svg: the picture needs a file name (or - for standard output)");
            parsed.Exit = kUsage;
            return parsed;
        }
        if (svg == "-" && (options.Json || options.Dump || options.Pages || options.Diff)) {
            UsageError("--svg - writes the picture to standard output in place of the report; "
                       "--json, --dump, --pages and --diff need another file for it");
            parsed.Exit = kUsage;
            return parsed;
        }
    }
    return parsed;
}

} // namespace pagora::info
