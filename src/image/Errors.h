#pragma once

#include <stdexcept>
#include <string>

namespace pagora {

// Raised when a text is not a hexadecimal number ("No Hex-Number").
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by the line store and the page list: an address beyond the store, an image
// that does not fit the chosen controller's pages.
class EListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when a file cannot be opened or read.
class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kNoHexNumber = "No Hex-Number";
inline constexpr const char* kHexFileTooLarge =
    "Das hex-File ist zu Groß für den gewählten Controller!";

} // namespace pagora
