#pragma once

// The broken and hostile files the viewer must survive, each with what opening it must give:
// the exact error message, or the exact image.
#include "image/THexContainer.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pagora::reliability {

// What stands at the path the reader is handed.
enum class Kind { File, Directory, Missing, Unreadable };

// A line of the image that holds data; every other line of the image reads like a blank
// prefilled line: Count "0", no data, Used.
struct ExpectedLine {
    std::size_t index;
    std::string count;
    std::string data;
};

struct HostileCase {
    std::string name;
    Kind kind = Kind::File;
    std::function<std::string()> content; // what the file holds (File and Unreadable)
    // The exact error message, "%s" standing for the path; empty when an image results.
    std::string error;
    std::size_t lines = 0; // lines of the resulting image
    std::vector<ExpectedLine> filled;
    bool large = false; // tens of MiB: read from a file only, not again from memory
};

// Every case, the large ones last.
const std::vector<HostileCase>& HostileCases();
const HostileCase& CaseNamed(std::string_view name);
std::vector<std::string> CaseNames();

// The case's message for a file at path.
std::string ErrorFor(const HostileCase& c, const std::string& path);

// Empty when the store holds the case's image in its first lines and, after them up to
// `total` lines, only lines appended by FitToSize; otherwise the first difference.
std::string ImageMismatch(const THexContainer& store, const HostileCase& c, std::size_t total);

} // namespace pagora::reliability
