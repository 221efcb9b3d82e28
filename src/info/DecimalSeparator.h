#pragma once

#include <string_view>

namespace pagora::info {

// The decimal separator of the current C locale (the C locale gives '.'); a separator of more
// than one byte falls back to '.'.
char DecimalSeparator();

// The name that setlocale(LC_NUMERIC, "") takes from the environment: the first non-empty one
// of LC_ALL, LC_NUMERIC and LANG (null pointers stand for unset ones), or "" for none.
std::string_view NumericLocaleName(const char* lcAll, const char* lcNumeric, const char* lang);

// Whether a locale name stands for the C locale, whose separator is '.': "", "C", "POSIX",
// and "C" in an encoding such as "C.UTF-8".
bool IsCLocale(std::string_view name);

// The decimal separator of the user's locale. Loading a locale takes several files, so it is
// only done when the environment names another locale than C.
char UserDecimalSeparator();

} // namespace pagora::info
