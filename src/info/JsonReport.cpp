#include "JsonReport.h"

#include "pages/PageFill.h"
#include "pages/Usage.h"

#include <algorithm>

namespace pagora::info {

namespace {

// One usage bar: its share in percent and its label. The share is null when the image does
// not fit, since the bars then show no share at all.
Json Usage(double share, bool fits, char decimalSeparator) {
    return {{"percent", fits ? Json(share) : Json(nullptr)},
            {"label", UsageLabel(share, !fits, decimalSeparator)}};
}

Json PagesJson(const TPageList& pages) {
    Json list = Json::array();
    for (std::size_t index = 0; index < pages.Count(); ++index) {
        const TPage& page = pages.Items(index);
        list.push_back({{"page", index},
                        {"address", index * static_cast<std::size_t>(pages.PageSize)},
                        {"blank_bytes", page.BlankBytes()},
                        {"fill", PageFillName(PageFillOf(page, pages.PageSize))}});
    }
    return list;
}

} // namespace

Json SummaryJson(const ImageReport& report, char decimalSeparator, bool withPages,
                 const Budgets& budgets) {
    Json json = {{"file", report.FileName()}, {"lines", report.Lines()}};
    const TMikrocontroller* controller = report.Controller();
    if (controller == nullptr) {
        json["controller"] = nullptr;
        json["fits"] = nullptr;
        json["pages_used"] = nullptr;
        json["flash_used"] = nullptr;
        return json;
    }
    const bool eeprom = report.LaidOnto() == Memory::Eeprom;
    json["controller"] = {{"name", controller->ControllerName()},
                          {eeprom ? "eeprom_size" : "flash_size", report.MemoryBytes()},
                          {"page_size", report.PageSize()},
                          {"pages", report.Pages().Count()}};
    json["memory"] = eeprom ? "eeprom" : "flash";
    json["fits"] = report.Fits();
    json["pages_used"] = Usage(report.PagesUsed(), report.Fits(), decimalSeparator);
    json[eeprom ? "eeprom_used" : "flash_used"] =
        Usage(report.BytesUsed(), report.Fits(), decimalSeparator);
    if (budgets.MaxUsed) {
        json["max_used"] = {{"percent", *budgets.MaxUsed}, {"holds", budgets.MaxUsedHolds}};
    }
    if (budgets.Reserve) {
        json["reserve"] = {
            {"bytes", *budgets.Reserve},
            {"from", budgets.ReserveFrom},
            {"holds", !budgets.ReservedData},
            {"first_data", budgets.ReservedData ? Json(*budgets.ReservedData) : Json(nullptr)}};
    }
    if (withPages) {
        json["pages"] = PagesJson(report.Pages());
    }
    return json;
}

Json DiffJson(const std::string& other, const TPageList& pages,
              const std::vector<PageDifference>& differences) {
    Json list = Json::array();
    for (const PageDifference& difference : differences) {
        list.push_back(
            {{"page", difference.Page},
             {"address", difference.Page * static_cast<std::size_t>(std::max(pages.PageSize, 0))},
             {"bytes", difference.Bytes}});
    }
    return {
        {"other", other}, {"pages", list}, {"differ", differences.size()}, {"of", pages.Count()}};
}

Json ControllersJson(const TMikrocontrollerList& controllers) {
    Json list = Json::array();
    for (const TMikrocontroller& controller : controllers) {
        list.push_back({{"name", controller.ControllerName()},
                        {"flash_size", static_cast<std::int64_t>(controller.FlashSize()) + 1},
                        {"page_size", controller.FlashPageSize()}});
    }
    return list;
}

std::string JsonText(const Json& value) {
    return value.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace pagora::info
