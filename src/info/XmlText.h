#pragma once

#include <string>
#include <string_view>

namespace pagora::info {

// Text as XML character data or attribute value: markup characters escaped, and every byte
// that is not valid UTF-8 or a character XML does not allow replaced by U+FFFD.
std::string XmlText(std::string_view text);

} // namespace pagora::info
