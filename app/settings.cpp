#include "app/settings.h"

#include "app/main_window.h"
#include "platform/conversions.h"

#include <QCoreApplication>

namespace glyphery {

Q_LOGGING_CATEGORY(lcSettings, "glyphery.settings")

using platform::integerText;

namespace {

const SettingKey &keyOf(Setting setting) { return settingKeys[static_cast<int>(setting)]; }

} // namespace

std::optional<std::int16_t> parseOption(const QString &text)
{
    const QString digits = text.trimmed();
    bool whole = !digits.isEmpty() && digits.size() <= 5;
    for (const QChar c : digits)
        whole = whole && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const int value = whole ? digits.toInt() : -1;
    if (value < 0 || value > 2)
        return std::nullopt;
    return std::int16_t(value);
}

QString readSetting(platform::SettingsStore &store, Setting setting)
{
    const SettingKey &at = keyOf(setting);
    return store.getSetting(QLatin1String(at.section), QLatin1String(at.key), QString::fromUtf8(at.defaultValue));
}

std::int16_t readOption(platform::SettingsStore &store, Setting setting)
{
    const QString text = readSetting(store, setting);
    const std::optional<std::int16_t> value = parseOption(text);
    if (!value) {
        const SettingKey &at = keyOf(setting);
        qCWarning(lcSettings, "%s",
                  qUtf8Printable(QCoreApplication::translate("frmMain",
                                                             "%1/%2 holds \"%3\", which is no option value; "
                                                             "using 0")
                                     .arg(QLatin1String(at.section), QLatin1String(at.key), text.left(40))));
        return 0;
    }
    return *value;
}

void saveSetting(platform::SettingsStore &store, Setting setting, const QString &value)
{
    const SettingKey &at = keyOf(setting);
    store.saveSetting(QLatin1String(at.section), QLatin1String(at.key), value);
}

void frmMain::Form_Unload(std::int16_t &)
{
    saveSetting(settings, Setting::FontName, FSel.text());
    saveSetting(settings, Setting::Bold, integerText(chkB.value()));
    saveSetting(settings, Setting::Italic, integerText(chkI.value()));
    saveSetting(settings, Setting::Space, integerText(chkSpace.value()));
    saveSetting(settings, Setting::Size, integerText(chkSize.value()));
}

} // namespace glyphery
