#include "DecimalSeparator.h"

#include <clocale>

namespace pagora::info {

char DecimalSeparator() {
    const std::lconv* conv = std::localeconv();
    if (conv == nullptr || conv->decimal_point == nullptr || conv->decimal_point[0] == '\0' ||
        conv->decimal_point[1] != '\0') {
        return '.';
    }
    return conv->decimal_point[0];
}

} // namespace pagora::info
