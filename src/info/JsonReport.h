#pragma once

#include "Budgets.h"
#include "ImageReport.h"
#include "devices/TMikrocontrollerList.h"
#include "pages/MemoryChecks.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace pagora::info {

// Objects keep their keys in the order they were written.
using Json = nlohmann::ordered_json;

// The summary as one object; with withPages also every page as --pages lists them, and the
// limits given with whether each holds. With a controller, "memory" names the memory ("flash"
// or "eeprom"), and its size and bytes share are "flash_size" and "flash_used" or
// "eeprom_size" and "eeprom_used".
Json SummaryJson(const ImageReport& report, char decimalSeparator, bool withPages,
                 const Budgets& budgets = {});

// The pages that differ from OTHER's, and the counts.
Json DiffJson(const std::string& other, const TPageList& pages,
              const std::vector<PageDifference>& differences);

// Every controller in chooser order, with flash size in bytes and page size.
Json ControllersJson(const TMikrocontrollerList& controllers);

// The text of a value, indented, with bytes that are not UTF-8 (a file name may hold them)
// replaced rather than refused.
std::string JsonText(const Json& value);

} // namespace pagora::info
