#pragma once

namespace pagora::info {

// The decimal separator of the user's locale (LC_ALL, LC_NUMERIC, LANG), taken by the C
// library; '.' for the C locale, a locale that is not installed, and a separator of more than
// one byte.
char UserDecimalSeparator();

} // namespace pagora::info
