#pragma once

#include "platform/settings_store.h"

#include <QLoggingCategory>
#include <QString>

#include <cstdint>
#include <optional>

namespace glyphery {

Q_DECLARE_LOGGING_CATEGORY(lcSettings)

// The five remembered settings, in the order start-up reads them and the
// close writes them.
enum class Setting { FontName, Bold, Italic, Space, Size };

struct SettingKey
{
    const char *section;
    const char *key;
    const char *defaultValue;
};

// Where each setting is stored and what it is when absent, by Setting.
// clang-format off
inline constexpr SettingKey settingKeys[] = {
    {"Font", "Name", "Arial"},
    {"Font", "B", "0"},
    {"Font", "I", "0"},
    {"Options", "Space", "0"},
    {"Options", "Size", "0"},
};
// clang-format on

// An option's value from its stored text: a whole number from 0 to 2, blanks
// around it allowed; anything else is none.
std::optional<std::int16_t> parseOption(const QString &text);

// The stored text of a setting, its default when absent.
QString readSetting(platform::SettingsStore &store, Setting setting);

// The stored value of an option. Text that is no option value counts as 0,
// with one warning line; the next close writes a valid value.
std::int16_t readOption(platform::SettingsStore &store, Setting setting);

void saveSetting(platform::SettingsStore &store, Setting setting, const QString &value);

} // namespace glyphery
