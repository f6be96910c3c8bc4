#include "platform/settings_store.h"

#include "platform/runtime_error.h"
#include "platform/safe_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace platform {

Q_LOGGING_CATEGORY(lcSettingsStore, "platform.settings")

namespace {

// $HOME when it is an absolute path, else the real user's home folder in the
// password database (Qt would take "/" then; seen on 6.4.2 and 6.8.2). Empty,
// with why, when neither has one.
QByteArray homeFolder(QString *why)
{
    const QByteArray home = qgetenv("HOME");
    if (home.startsWith('/'))
        return home;
    struct passwd entry = {};
    struct passwd *found = nullptr;
    std::vector<char> buffer(16384);
    int error = 0;
    while ((error = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE)
        buffer.resize(buffer.size() * 2);
    const QByteArray database = found ? QByteArray(found->pw_dir) : QByteArray();
    if (database.startsWith('/'))
        return database;
    if (error != 0)
        *why = QCoreApplication::translate("platform::SettingsStore",
                                           "HOME is no absolute path, and the password database cannot be read (%1)")
                   .arg(callFailed("getpwuid_r", error));
    else if (found)
        *why = QCoreApplication::translate("platform::SettingsStore",
                                           "HOME is no absolute path, and the password database gives user %1 "
                                           "no home folder")
                   .arg(::getuid());
    else
        *why = QCoreApplication::translate("platform::SettingsStore",
                                           "HOME is no absolute path, and user %1 is not in the password database")
                   .arg(::getuid());
    return {};
}

void warn(const QString &message) { qCWarning(lcSettingsStore, "%s", qUtf8Printable(message)); }

QString noHomeFolder()
{
    QString why;
    homeFolder(&why);
    return QCoreApplication::translate("platform::SettingsStore", "no home folder: %1").arg(why);
}

} // namespace

SettingsStore::SettingsStore(QByteArray path) : path_(std::move(path)), shownPath_(QFile::decodeName(path_)) {}

SettingsStore::~SettingsStore() = default;

QByteArray SettingsStore::pathFor(const QString &application)
{
    // The XDG base directory rules say to ignore a relative XDG_CONFIG_HOME
    // (Qt 6.4.2 took it relative to the current folder; 6.8.2 ignores it).
    // The variables' bytes are the path, whatever their encoding.
    QByteArray base = qgetenv("XDG_CONFIG_HOME");
    if (!base.startsWith('/')) {
        QString why;
        const QByteArray home = homeFolder(&why);
        if (home.isEmpty())
            return {};
        base = home + "/.config";
    }
    while (base.size() > 1 && base.endsWith('/'))
        base.chop(1);
    const QByteArray name = QFile::encodeName(application);
    return base + '/' + name + '/' + name + ".conf";
}

const IniFile *SettingsStore::file()
{
    if (!loaded_) {
        loaded_ = true;
        if (path_.isEmpty()) {
            warn(QCoreApplication::translate("platform::SettingsStore",
                                             "the settings cannot be found (%1); using the defaults")
                     .arg(noHomeFolder()));
            return nullptr;
        }
        FileRead read = readRegular(path_);
        if (!read.ok) {
            warn(QCoreApplication::translate("platform::SettingsStore", "%1 cannot be read (%2); using the defaults")
                     .arg(shownPath_, read.why));
            return nullptr;
        }
        if (!read.kind.isEmpty()) {
            warn(QCoreApplication::translate("platform::SettingsStore",
                                             "%1 is %2, not a settings file; using the defaults")
                     .arg(shownPath_, read.kind));
            return nullptr;
        }
        file_.emplace(std::move(read.content));
        if (!file_->valid())
            warn(QCoreApplication::translate("platform::SettingsStore",
                                             "%1 is not a valid settings file; its values are ignored")
                     .arg(shownPath_));
    }
    return file_ ? &*file_ : nullptr;
}

QString SettingsStore::getSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    const IniFile *values = file();
    if (!values || !values->valid())
        return defaultValue;
    return values->value(section, key).value_or(defaultValue);
}

void SettingsStore::saveSetting(const QString &section, const QString &key, const QString &value)
{
    for (IniSetting &staged : pending_) {
        if (staged.section == section && staged.key == key) {
            staged.value = value;
            return;
        }
    }
    pending_.push_back({section, key, value});
}

void SettingsStore::commit()
{
    if (pending_.empty())
        return;
    // Nothing of this run is written later behind the user's back.
    const std::vector<IniSetting> pending = std::move(pending_);
    pending_.clear();
    if (path_.isEmpty())
        raise(err::PathFileAccess,
              QCoreApplication::translate("platform::SettingsStore",
                                          "Path/File access error: cannot write the settings: %1")
                  .arg(noHomeFolder()));
    const auto fail = [this](const QString &reason) {
        raise(err::PathFileAccess,
              QCoreApplication::translate("platform::SettingsStore", "Path/File access error: cannot write %1: %2")
                  .arg(shownPath_, reason));
    };
    const auto leaveAlone = [this](const QString &kind) {
        warn(QCoreApplication::translate("platform::SettingsStore",
                                         "%1 is %2, not a settings file; the settings were not written")
                 .arg(shownPath_, kind));
    };

    // Before anything is made beside it: a link to /dev/null means "never save".
    if (const QString kind = nonRegularKind(path_); !kind.isEmpty())
        return leaveAlone(kind);
    if (const QString why = makeFolder(path_); !why.isEmpty())
        fail(why);
    const QByteArray lockName = path_ + ".lock";
    FileLock lock;
    if (const QString why = lock.take(lockName); !why.isEmpty())
        fail(QCoreApplication::translate("platform::SettingsStore", "cannot take the lock %1: %2")
                 .arg(shownPath_ + QLatin1String(".lock"), why));

    // The file as it is now, which may have changed since the start.
    const FileRead old = readRegular(path_);
    if (!old.ok)
        fail(QCoreApplication::translate("platform::SettingsStore", "it cannot be read (%1)").arg(old.why));
    if (!old.kind.isEmpty())
        return leaveAlone(old.kind);
    const QByteArray target = finalTarget(path_);
    // A file the user made read-only stays as it is, as when QSettings wrote it.
    if (old.exists && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
        fail(callFailed("access", errno));

    // The values go into what else a readable file holds; a file that is no
    // valid INI, now, is kept whole beside a new one.
    const IniFile values(old.content);
    const bool brokenNow = old.exists && !values.valid();
    const QByteArray bytes = (brokenNow ? IniFile() : values).withValues(pending);
    QString why;
    QByteArray kept;
    if (brokenNow) {
        kept = keepBroken(target, old.content, old.mode, &why);
        if (kept.isEmpty())
            fail(why);
    }
    if (why = replaceAtomically(target, bytes, old); !why.isEmpty()) {
        // The old file stays as it was, and under its one name.
        if (!kept.isEmpty())
            ::unlink(kept.constData());
        fail(why);
    }
    if (!kept.isEmpty())
        warn(QCoreApplication::translate("platform::SettingsStore", "kept the unreadable settings file as %1")
                 .arg(QFile::decodeName(kept)));
    // What is read next comes from the new file.
    file_.reset();
    loaded_ = false;
}

} // namespace platform
