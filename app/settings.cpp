#include "app/settings.h"

#include "app/main_window.h"
#include "platform/conversions.h"
#include "platform/settings_store.h"

namespace glyphery {

Q_LOGGING_CATEGORY(lcSettings, "glyphery.settings")

using platform::getSetting;
using platform::integerText;
using platform::saveSetting;

namespace {

const QString application = QStringLiteral("Glyphery");

struct OptionKey
{
    const char *section;
    const char *key;
};

constexpr OptionKey optionKeys[] = {
    {"Font", "B"},       // Option::Bold
    {"Font", "I"},       // Option::Italic
    {"Options", "Space"}, // Option::Space
    {"Options", "Size"},  // Option::Size
};

const OptionKey &keyOf(Option option)
{
    return optionKeys[static_cast<int>(option)];
}

} // namespace

QString readFontName()
{
    return getSetting(application, QStringLiteral("Font"), QStringLiteral("Name"), QStringLiteral("Arial"));
}

std::int16_t readOption(Option option)
{
    const OptionKey &at = keyOf(option);
    const QString text = getSetting(application, QLatin1String(at.section), QLatin1String(at.key), integerText(0));
    const QString digits = text.trimmed();
    bool whole = !digits.isEmpty() && digits.size() <= 5;
    for (const QChar c : digits)
        whole = whole && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const int value = whole ? digits.toInt() : -1;
    if (value < 0 || value > 2) {
        qCWarning(lcSettings, "%s/%s holds \"%s\", which is no option value; using 0", at.section, at.key,
                  qUtf8Printable(text.left(40)));
        return 0;
    }
    return std::int16_t(value);
}

void frmMain::Form_Unload(std::int16_t &)
{
    saveSetting(application, QStringLiteral("Font"), QStringLiteral("Name"), FSel.text());
    saveSetting(application, QStringLiteral("Font"), QStringLiteral("B"), integerText(chkB.value()));
    saveSetting(application, QStringLiteral("Font"), QStringLiteral("I"), integerText(chkI.value()));
    saveSetting(application, QStringLiteral("Options"), QStringLiteral("Space"), integerText(chkSpace.value()));
    saveSetting(application, QStringLiteral("Options"), QStringLiteral("Size"), integerText(chkSize.value()));
}

} // namespace glyphery
