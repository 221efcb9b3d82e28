#include "devices/TMikrocontrollerList.h"

#include <array>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string>

namespace pagora {

static_assert(std::forward_iterator<TMikrocontrollerList::iterator>);
static_assert(std::forward_iterator<TMikrocontrollerList::const_iterator>);

namespace {

// The chooser order, four names a line.
constexpr std::string_view kChooserOrder[] = {
    // clang-format off
    "ATtiny12",    "ATtiny13",    "ATtiny15",    "ATtiny2313",  //  1- 4
    "ATtiny43U",   "ATtiny24",    "ATtiny24a",   "ATtiny44",    //  5- 8
    "ATtiny44a",   "ATtiny84",    "ATtiny25",    "ATtiny45",    //  9-12
    "ATtiny85",    "ATtiny26",    "ATtiny261",   "ATtiny461",   // 13-16
    "ATtiny861",   "ATtiny28",    "ATtiny48",    "ATtiny87",    // 17-20
    "ATtiny88",    "ATtiny167",   "ATmega8",     "ATmega8a",    // 21-24
    "ATmega16",    "ATmega16a",   "ATmega32",    "ATmega32a",   // 25-28
    "ATmega64",    "ATmega64a",   "ATmega128",   "ATmega128a",  // 29-32
    "ATmega8515",  "ATmega8535",  "ATmega162",   "ATmega644",   // 33-36
    "ATmega48",    "ATmega88",    "ATmega168",   "ATmega640",   // 37-40
    "ATmega1280",  "ATmega1281",  "ATmega2560",  "ATmega2561",  // 41-44
    "ATmega165",   "ATmega325",   "ATmega3250",  "ATmega645",   // 45-48
    "ATmega6450",  "ATmega329",   "ATmega3290",  "ATmega649",   // 49-52
    "ATmega6490",  "ATmega329p",  "ATmega3290p", "ATmega169p",  // 53-56
    "ATmega325p",  "ATmega3250p", "ATmega164p",  "ATmega164pa", // 57-60
    "ATmega324p",  "ATmega324pa", "ATmega644p",  "ATmega644pa", // 61-64
    "ATmega165p",  "ATmega48p",   "ATmega48pa",  "ATmega88p",   // 65-68
    "ATmega88pa",  "ATmega168p",  "ATmega168pa", "ATmega328p",  // 69-72
    "ATmega16U4",  "ATmega32U4",  "ATmega32C1",  "AT90USB82",   // 73-76
    "AT90USB162",  "AT90USB646",  "AT90USB1286", "AT90USB647",  // 77-80
    "AT90USB1287", "AT90CAN32",   "AT90CAN64",   "AT90CAN128",  // 81-84
    // clang-format on
};

// The compatibility groups. Every member holds its whole group, in this order, its own name
// included.
constexpr std::array<std::string_view, 5> kGroup1 = {"ATmega1280", "ATmega1281", "ATmega2560",
                                                     "ATmega2561", "ATmega640"};
constexpr std::array<std::string_view, 3> kGroup2 = {"ATmega168", "ATmega48", "ATmega88"};
constexpr std::array<std::string_view, 4> kGroup3 = {"ATmega325", "ATmega3250", "ATmega645",
                                                     "ATmega6450"};
constexpr std::array<std::string_view, 3> kGroup4 = {"ATtiny24", "ATtiny44", "ATtiny84"};
constexpr std::array<std::string_view, 3> kGroup5 = {"ATtiny25", "ATtiny45", "ATtiny85"};
constexpr std::array<std::string_view, 3> kGroup6 = {"ATtiny261", "ATtiny461", "ATtiny861"};
constexpr std::array<std::string_view, 3> kGroup7 = {"AT90CAN32", "AT90CAN64", "AT90CAN128"};
constexpr std::array<std::string_view, 4> kGroup8 = {"AT90USB1286", "AT90USB1287", "AT90USB646",
                                                     "AT90USB647"};
constexpr std::array<std::string_view, 2> kGroup9 = {"AT90USB162", "AT90USB82"};

constexpr std::span<const std::string_view> kGroups[] = {
    kGroup1, kGroup2, kGroup3, kGroup4, kGroup5, kGroup6, kGroup7, kGroup8, kGroup9,
};

} // namespace

TMikrocontroller& TMikrocontrollerList::Items(int index) {
    if (index < 0 || index >= Count()) {
        throw std::out_of_range("Listenindex überschreitet das Maximum (" + std::to_string(index) +
                                ")");
    }
    return *items_[static_cast<std::size_t>(index)];
}

const TMikrocontroller& TMikrocontrollerList::Items(int index) const {
    return const_cast<TMikrocontrollerList&>(*this).Items(index);
}

void TMikrocontrollerList::Add(std::unique_ptr<TMikrocontroller> controller) {
    if (controller) {
        items_.push_back(std::move(controller));
    }
}

TMikrocontroller* TMikrocontrollerList::FindByName(std::string_view name) {
    for (const auto& controller : items_) {
        if (controller->ControllerName() == name) {
            return controller.get();
        }
    }
    return nullptr;
}

const TMikrocontroller* TMikrocontrollerList::FindByName(std::string_view name) const {
    return const_cast<TMikrocontrollerList&>(*this).FindByName(name);
}

void TMikrocontrollerList::CreateAll() {
    for (std::string_view name : kChooserOrder) {
        Add(TMikrocontroller::CreateByName(name));
    }
    AssignCompatibility();
}

void TMikrocontrollerList::AssignCompatibility() {
    for (std::span<const std::string_view> group : kGroups) {
        const std::vector<std::string> lines(group.begin(), group.end());
        for (std::string_view member : group) {
            if (TMikrocontroller* controller = FindByName(member)) {
                controller->SetCompatibleWith(lines);
            }
        }
    }
}

} // namespace pagora
