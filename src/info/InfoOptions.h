#pragma once

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
