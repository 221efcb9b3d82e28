#include "FakeSettingsBackend.h"

namespace {

class FakeKey : public pagora::SettingsKey {
public:
    FakeKey(std::shared_ptr<FakeStore> store, std::string path)
        : store_(std::move(store)), path_(std::move(path)) {
        ++store_->openNow;
    }
    ~FakeKey() override { --store_->openNow; }

    std::optional<std::string> ReadText(std::string_view name) override {
        return Read<std::string>(name);
    }
    std::optional<std::int32_t> ReadInt(std::string_view name) override {
        return Read<std::int32_t>(name);
    }
    bool WriteText(std::string_view name, std::string_view value) override {
        return Write(name, std::string(value));
    }
    bool WriteInt(std::string_view name, std::int32_t value) override { return Write(name, value); }

private:
    template <typename T> std::optional<T> Read(std::string_view name) {
        auto& values = store_->keys[path_];
        const auto found = values.find(std::string(name));
        if (found == values.end() || !std::holds_alternative<T>(found->second))
            return std::nullopt;
        return std::get<T>(found->second);
    }

    bool Write(std::string_view name, FakeStore::Value value) {
        if (store_->refusedNames.count(std::string(name)))
            return false;
        store_->keys[path_][std::string(name)] = std::move(value);
        return true;
    }

    std::shared_ptr<FakeStore> store_;
    std::string path_;
};

} // namespace

std::unique_ptr<pagora::SettingsKey> FakeSettingsBackend::OpenKey(std::string_view path) {
    store_->opened.emplace_back(path);
    if (store_->openFails)
        return nullptr;
    store_->keys[std::string(path)];
    return std::make_unique<FakeKey>(store_, std::string(path));
}
