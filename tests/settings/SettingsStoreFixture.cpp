#include "SettingsStoreFixture.h"

void SettingsStoreFixture::Store(std::string_view key, std::string_view name, const Stored& value) {
    if (std::holds_alternative<std::monostate>(value))
        return;
    const auto opened = NewBackend()->OpenKey(key);
    ASSERT_TRUE(opened);
    if (const auto* text = std::get_if<std::string>(&value))
        ASSERT_TRUE(opened->WriteText(name, *text));
    else
        ASSERT_TRUE(opened->WriteInt(name, std::get<std::int32_t>(value)));
}
