#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pagora::info {

// What the command line asks for.
struct InfoOptions {
    std::string File;
    std::optional<std::string> Controller;
    bool Dump = false;
    bool Pages = false;
    bool Json = false;
    bool ListControllers = false;
    // The controller's EEPROM in place of its flash.
    bool Eeprom = false;
    // The highest bytes share allowed, in percent (0 to 100).
    std::optional<double> MaxUsed;
    // The bytes at the top of the memory that must stay blank.
    std::optional<std::int64_t> Reserve;
    // The image to compare with, page by page.
    std::optional<std::string> Diff;
    // Where the picture of the page map goes: a file, or "-" for standard output in place of
    // the report.
    std::optional<std::string> Svg;
    std::int32_t SvgColumns = 32;
    std::int32_t SvgBlock = 12;
};

// Parses the command line. Returns the options, or the exit status to end with at once:
// 0 after --help or --version (printed to standard output), 64 after a usage error (told on
// standard error).
struct ParsedOptions {
    InfoOptions Options;
    std::optional<int> Exit;
};
ParsedOptions ParseOptions(int argc, const char* const* argv);

} // namespace pagora::info
