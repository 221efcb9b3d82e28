#pragma once

#include "settings/SettingsBackend.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <variant>
#include <vector>

// An in-memory store that can refuse to open keys or to write chosen values, and that
// records every opening.
struct FakeStore {
    using Value = std::variant<std::string, std::int32_t>;
    std::map<std::string, std::map<std::string, Value>> keys;
    bool openFails = false;
    std::set<std::string> refusedNames;
    std::vector<std::string> opened;
    int openNow = 0;
};

class FakeSettingsBackend : public pagora::SettingsBackend {
public:
    explicit FakeSettingsBackend(std::shared_ptr<FakeStore> store) : store_(std::move(store)) {}

    std::unique_ptr<pagora::SettingsKey> OpenKey(std::string_view path) override;

private:
    std::shared_ptr<FakeStore> store_;
};
