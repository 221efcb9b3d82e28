#pragma once

namespace pagora::info {

// The decimal separator of the current C locale (the C locale gives '.'); a separator of more
// than one byte falls back to '.'. Call setlocale(LC_NUMERIC, "") first for the user's one.
char DecimalSeparator();

} // namespace pagora::info
