#include "DecimalSeparator.h"

#include <clocale>
#include <cstdlib>

namespace pagora::info {

char DecimalSeparator() {
    const std::lconv* conv = std::localeconv();
    if (conv == nullptr || conv->decimal_point == nullptr || conv->decimal_point[0] == '\0' ||
        conv->decimal_point[1] != '\0') {
        return '.';
    }
    return conv->decimal_point[0];
}

std::string_view NumericLocaleName(const char* lcAll, const char* lcNumeric, const char* lang) {
    for (const char* name : {lcAll, lcNumeric, lang}) {
        if (name != nullptr && name[0] != '\0') {
            return name;
        }
    }
    return {};
}

bool IsCLocale(std::string_view name) {
    return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}

char UserDecimalSeparator() {
    if (IsCLocale(NumericLocaleName(std::getenv("LC_ALL"), std::getenv("LC_NUMERIC"),
                                    std::getenv("LANG")))) {
        return '.';
    }
    // Only the number format is taken from the user's locale: it is all the reports use.
    std::setlocale(LC_NUMERIC, "");
    return DecimalSeparator();
}

} // namespace pagora::info
