#pragma once

#include "ImageReport.h"
#include "devices/TMikrocontrollerList.h"

#include <nlohmann/json.hpp>
#include <string>

namespace pagora::info {

// Objects keep their keys in the order they were written.
using Json = nlohmann::ordered_json;

// The summary as one object; with withPages also every page as --pages lists them.
Json SummaryJson(const ImageReport& report, char decimalSeparator, bool withPages);

// Every controller in chooser order, with flash size in bytes and page size.
Json ControllersJson(const TMikrocontrollerList& controllers);

// The text of a value, indented, with bytes that are not UTF-8 (a file name may hold them)
// replaced rather than refused.
std::string JsonText(const Json& value);

} // namespace pagora::info
