#pragma once

#include <QLoggingCategory>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class QSettings;

namespace platform {

Q_DECLARE_LOGGING_CATEGORY(lcSettingsStore)

// One INI file of string values by section and key. Values are read on first
// use and written together, in one atomic replacement of the file, by commit.
class SettingsStore
{
public:
    explicit SettingsStore(QString path);
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // The per-user file of an application: $XDG_CONFIG_HOME/<application>/
    // <application>.conf (~/.config when unset), the one QSettings uses.
    static QString pathFor(const QString &application);

    const QString &path() const { return path_; }

    // The stored value, or the default when the key is absent. A file that is
    // not valid INI counts as absent.
    QString getSetting(const QString &section, const QString &key, const QString &defaultValue);

    // Stages a value for the next commit.
    void saveSetting(const QString &section, const QString &key, const QString &value);

    // Writes every staged value. Raises Path/File access error (75), naming
    // the file and the reason, when the file cannot be written; the old file
    // is then left as it was. A file that was not valid INI is kept beside
    // the new one as <file>.broken.
    void commit();

private:
    QSettings &settings();

    QString path_;
    std::unique_ptr<QSettings> settings_;
    bool broken_ = false;
    std::vector<std::pair<QString, QString>> pending_;
};

} // namespace platform
