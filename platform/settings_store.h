#pragma once

#include <QLoggingCategory>
#include <QString>

namespace platform {

Q_DECLARE_LOGGING_CATEGORY(lcSettingsStore)

// The per-user store of string values by application, section and key: the
// INI file $XDG_CONFIG_HOME/<application>/<application>.conf (~/.config when
// unset), the file QSettings(application, application) uses.

// The stored value, or the default when the key is absent. A file that is not
// valid INI counts as absent.
QString getSetting(const QString &application, const QString &section, const QString &key,
                   const QString &defaultValue);

// Stores a value. Values are written together, atomically, by commitSettings.
void saveSetting(const QString &application, const QString &section, const QString &key, const QString &value);

// Writes every saved value in one atomic replacement of each file. Raises
// Path/File access error (75), naming the file and the reason, when a file
// cannot be written; the old file is then left as it was. A file that was not
// valid INI is kept beside the new one as <file>.broken.
void commitSettings();

QString settingsFilePath(const QString &application);

// Forgets what was read and saved (tests start each case afresh).
void resetSettingsStore();

} // namespace platform
