#include "devices/TMikrocontrollerList.h"

#include "DescriptionMatchers.h"
#include "devices/ControllerList.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace pagora {
namespace {

using Lines = std::vector<std::string>;

// The order of the controller chooser.
const Lines kExpectedOrder = {
    "ATtiny12",    "ATtiny13",    "ATtiny15",    "ATtiny2313",  "ATtiny43U",   "ATtiny24",
    "ATtiny24a",   "ATtiny44",    "ATtiny44a",   "ATtiny84",    "ATtiny25",    "ATtiny45",
    "ATtiny85",    "ATtiny26",    "ATtiny261",   "ATtiny461",   "ATtiny861",   "ATtiny28",
    "ATtiny48",    "ATtiny87",    "ATtiny88",    "ATtiny167",   "ATmega8",     "ATmega8a",
    "ATmega16",    "ATmega16a",   "ATmega32",    "ATmega32a",   "ATmega64",    "ATmega64a",
    "ATmega128",   "ATmega128a",  "ATmega8515",  "ATmega8535",  "ATmega162",   "ATmega644",
    "ATmega48",    "ATmega88",    "ATmega168",   "ATmega640",   "ATmega1280",  "ATmega1281",
    "ATmega2560",  "ATmega2561",  "ATmega165",   "ATmega325",   "ATmega3250",  "ATmega645",
    "ATmega6450",  "ATmega329",   "ATmega3290",  "ATmega649",   "ATmega6490",  "ATmega329p",
    "ATmega3290p", "ATmega169p",  "ATmega325p",  "ATmega3250p", "ATmega164p",  "ATmega164pa",
    "ATmega324p",  "ATmega324pa", "ATmega644p",  "ATmega644pa", "ATmega165p",  "ATmega48p",
    "ATmega48pa",  "ATmega88p",   "ATmega88pa",  "ATmega168p",  "ATmega168pa", "ATmega328p",
    "ATmega16U4",  "ATmega32U4",  "ATmega32C1",  "AT90USB82",   "AT90USB162",  "AT90USB646",
    "AT90USB1286", "AT90USB647",  "AT90USB1287", "AT90CAN32",   "AT90CAN64",   "AT90CAN128",
};

Lines NamesOf(const TMikrocontrollerList& list) {
    Lines names;
    for (const TMikrocontroller& mc : list) {
        names.push_back(mc.ControllerName());
    }
    return names;
}

TEST(ControllerList, HoldsAllControllersInChooserOrder) {
    const TMikrocontrollerList& list = ControllerList();
    ASSERT_EQ(list.Count(), 84);
    EXPECT_EQ(NamesOf(list), kExpectedOrder);
    EXPECT_EQ(list.Items(0).ControllerName(), "ATtiny12");
    EXPECT_EQ(list.Items(83).ControllerName(), "AT90CAN128");
    EXPECT_EQ(list.Items(4).ControllerName(), "ATtiny43U");

    const Lines names = NamesOf(list);
    EXPECT_EQ(std::count(names.begin(), names.end(), "ATtiny43U"), 1);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
}

TEST(ControllerList, IsBuiltOnce) {
    EXPECT_EQ(&ControllerList(), &ControllerList());
    EXPECT_EQ(&ControllerList().Items(22), ControllerList().FindByName("ATmega8"));
}

TEST(ControllerList, FifteenNamesHaveNoRow) {
    const std::set<std::string> expected = {
        "ATtiny15",   "ATtiny26",    "ATtiny28",   "ATmega16U4", "ATmega32U4",
        "ATmega32C1", "AT90USB82",   "AT90USB162", "AT90USB646", "AT90USB1286",
        "AT90USB647", "AT90USB1287", "AT90CAN32",  "AT90CAN64",  "AT90CAN128"};
    std::set<std::string> unknown;
    for (const TMikrocontroller& mc : ControllerList()) {
        if (!mc.Known()) {
            unknown.insert(mc.ControllerName());
        }
    }
    EXPECT_EQ(unknown, expected);
}

TEST(ControllerList, FindByNameFindsEveryEntryItself) {
    const TMikrocontrollerList& list = ControllerList();
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list.FindByName(list.Items(i).ControllerName()), &list.Items(i)) << i;
    }
    const TMikrocontroller* mega8 = list.FindByName("ATmega8");
    ASSERT_NE(mega8, nullptr);
    EXPECT_EQ(mega8->FlashSize(), 0x1FFF);
}

TEST(ControllerList, FindByNameIsExact) {
    const char* misses[] = {"atmega8", "ATMEGA8",   "ATmega",    " ATmega8", "ATmega8 ",
                            "",        "ATtiny13a", "ATmega8\r", "ATtiny43u"};
    for (const char* name : misses) {
        EXPECT_EQ(ControllerList().FindByName(name), nullptr) << '"' << name << '"';
    }
}

TEST(ControllerList, ItemsOutsideTheListThrow) {
    EXPECT_THROW(ControllerList().Items(-1), std::out_of_range);
    EXPECT_THROW(ControllerList().Items(84), std::out_of_range);
}

TEST(ControllerList, CompatibilityGroups) {
    const std::vector<Lines> groups = {
        {"ATmega1280", "ATmega1281", "ATmega2560", "ATmega2561", "ATmega640"},
        {"ATmega168", "ATmega48", "ATmega88"},
        {"ATmega325", "ATmega3250", "ATmega645", "ATmega6450"},
        {"ATtiny24", "ATtiny44", "ATtiny84"},
        {"ATtiny25", "ATtiny45", "ATtiny85"},
        {"ATtiny261", "ATtiny461", "ATtiny861"},
        {"AT90CAN32", "AT90CAN64", "AT90CAN128"},
        {"AT90USB1286", "AT90USB1287", "AT90USB646", "AT90USB647"},
        {"AT90USB162", "AT90USB82"},
    };
    std::set<std::string> members;
    for (const Lines& group : groups) {
        for (const std::string& member : group) {
            members.insert(member);
            const TMikrocontroller* mc = ControllerList().FindByName(member);
            ASSERT_NE(mc, nullptr) << member;
            EXPECT_EQ(mc->CompatibleWith(), group) << member;
        }
    }
    for (const TMikrocontroller& mc : ControllerList()) {
        if (!members.count(mc.ControllerName())) {
            EXPECT_TRUE(mc.CompatibleWith().empty()) << mc.ControllerName();
        }
    }
}

TEST(ControllerList, NotableEntries) {
    const TMikrocontroller* usb82 = ControllerList().FindByName("AT90USB82");
    ASSERT_NE(usb82, nullptr);
    EXPECT_FALSE(usb82->Known());
    EXPECT_EQ(usb82->FlashSize(), 0x7FFF);
    EXPECT_EQ(usb82->FlashPageSize(), 128);
    EXPECT_EQ(usb82->CompatibleWith(), (Lines{"AT90USB162", "AT90USB82"}));

    const TMikrocontroller* mega640 = ControllerList().FindByName("ATmega640");
    ASSERT_NE(mega640, nullptr);
    ASSERT_EQ(mega640->CompatibleWith().size(), 5u);
    EXPECT_EQ(mega640->CompatibleWith().front(), "ATmega1280");

    EXPECT_TRUE(ControllerList().FindByName("ATmega8")->CompatibleWith().empty());
}

// Every entry holds exactly the description its name gives.
TEST(ControllerList, EntriesMatchFreshDescriptions) {
    for (const TMikrocontroller& mc : ControllerList()) {
        ExpectSameDescription(mc, *TMikrocontroller::CreateByName(mc.ControllerName()));
    }
}

TEST(TMikrocontrollerList, StartsEmpty) {
    TMikrocontrollerList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.begin(), list.end());
    EXPECT_EQ(list.FindByName("ATmega8"), nullptr);
    EXPECT_THROW(list.Items(0), std::out_of_range);
}

TEST(TMikrocontrollerList, FindByNameReturnsFirstOfEqualNames) {
    TMikrocontrollerList list;
    list.Add(TMikrocontroller::CreateByName("ATmega8"));
    list.Add(TMikrocontroller::CreateByName("ATtiny12"));
    list.Add(TMikrocontroller::CreateByName("ATmega8"));
    list.Add(nullptr);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.FindByName("ATmega8"), &list.Items(0));
    EXPECT_EQ(list.FindByName("ATtiny12"), &list.Items(1));
}

TEST(TMikrocontrollerList, AssignCompatibilitySkipsMissingMembers) {
    TMikrocontrollerList list;
    list.Add(TMikrocontroller::CreateByName("AT90USB82"));
    list.Add(TMikrocontroller::CreateByName("ATmega8"));
    list.AssignCompatibility();
    EXPECT_EQ(list.Items(0).CompatibleWith(), (Lines{"AT90USB162", "AT90USB82"}));
    EXPECT_TRUE(list.Items(1).CompatibleWith().empty());
}

TEST(TMikrocontrollerList, CreateAllOnAFreshList) {
    TMikrocontrollerList list;
    list.CreateAll();
    EXPECT_EQ(NamesOf(list), kExpectedOrder);
    EXPECT_NE(&list.Items(0), &ControllerList().Items(0));
    EXPECT_EQ(list.FindByName("ATmega640")->CompatibleWith(),
              ControllerList().FindByName("ATmega640")->CompatibleWith());
}

} // namespace
} // namespace pagora
