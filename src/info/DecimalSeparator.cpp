#include "DecimalSeparator.h"

#include <clocale>

namespace pagora::info {

char UserDecimalSeparator() {
    // Only the number format is taken from the user's locale: it is all the reports use.
    std::setlocale(LC_NUMERIC, "");
    const std::lconv* conv = std::localeconv();
    if (conv == nullptr || conv->decimal_point == nullptr || conv->decimal_point[0] == '\0' ||
        conv->decimal_point[1] != '\0') {
        return '.';
    }
    return conv->decimal_point[0];
}

} // namespace pagora::info
