#pragma once

#include "platform/ini_file.h"

#include <QLoggingCategory>
#include <QString>

#include <optional>
#include <vector>

namespace platform {

Q_DECLARE_LOGGING_CATEGORY(lcSettingsStore)

// One INI file of string values by section and key. Values are read on first
// use and written together, in one atomic replacement of the file, by commit.
class SettingsStore
{
public:
    // An empty path stands for a file that cannot be found: no home folder,
    // for the reason given.
    explicit SettingsStore(QByteArray path, const QString &whyNoPath = {});
    // The store of pathFor's file, or of none with pathFor's reason.
    static SettingsStore forApplication(const QString &application);
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // The per-user file of an application: $XDG_CONFIG_HOME/<application>/
    // <application>.conf, with $HOME/.config when that is unset or relative,
    // and the password database's home folder when $HOME is. Empty when no
    // home folder can be found, with why. The variables' bytes are taken as
    // they are.
    static QByteArray pathFor(const QString &application, QString *whyNone = nullptr);

    const QByteArray &path() const { return path_; }

    // The stored value, or the default when the key is absent. A file that is
    // not valid INI counts as absent; so does a path that leads to anything
    // but a regular file (a device, FIFO, socket or folder), which is never
    // read.
    QString getSetting(const QString &section, const QString &key, const QString &defaultValue);

    // Stages a value for the next commit.
    void saveSetting(const QString &section, const QString &key, const QString &value);

    // Writes every staged value, in one atomic replacement of the file (of
    // the file a symbolic link leads to), keeping what else the file holds.
    // Raises Path/File access error (75), naming the file and the system's
    // reason, when the file cannot be written or its lock (<file>.lock)
    // cannot be taken within about 5 s; the old file is then left as it was.
    // A file that is not valid INI at the close is kept whole beside the new
    // one as <file>.broken (.1 to .999 when taken). A path that is not a
    // regular file is left alone, with a warning, and is no failure.
    void commit();

private:
    const IniFile *file();
    QString noHomeFolder() const;

    QByteArray path_; // bytes, as the system names the file
    QString shownPath_; // for messages
    QString whyNoPath_; // why there is no path, when there is none
    std::optional<IniFile> file_;
    bool loaded_ = false;
    std::vector<IniSetting> pending_;
};

} // namespace platform
