#include "platform/settings_store.h"

#include "platform/owner_rights.h"
#include "platform/runtime_error.h"
#include "platform/safe_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <utility>
#include <vector>

#include <fcntl.h>
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
    const UserEntry user = userEntry(::getuid());
    if (user.home.startsWith('/'))
        return user.home;
    if (user.error != 0)
        *why = QCoreApplication::translate("platform::SettingsStore",
                                           "HOME is no absolute path, and the password database cannot be read (%1)")
                   .arg(callFailed("getpwuid_r", user.error));
    else if (user.found)
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

// Run as root for another user, the reason says whose rights failed.
QString forWhom(const std::optional<Account> &owner, const QString &why)
{
    if (!owner)
        return why;
    return QCoreApplication::translate("platform::SettingsStore", "%1, with the rights of %2, the owner of %3")
        .arg(why, QFile::decodeName(owner->name), QFile::decodeName(owner->folder));
}

// What a close did: why it failed, when it did, and what it has to say.
struct Written
{
    QString failure;
    QStringList notes;
};

// The values go into what else the file at the path holds, under its lock,
// in one replacement; a file that is no valid INI, now, is kept whole beside
// a new one. A path that is not a regular file is left alone.
Written writeValues(const QByteArray &path, const std::vector<IniSetting> &pending)
{
    const QString shownPath = QFile::decodeName(path);
    const auto leftAlone = [&shownPath](const QString &kind) {
        return Written{{},
                       {QCoreApplication::translate("platform::SettingsStore",
                                                    "%1 is %2, not a settings file; the settings were not written")
                            .arg(shownPath, kind)}};
    };
    // Before anything is made beside it: a link to /dev/null means "never save".
    if (const QString kind = nonRegularKind(path); !kind.isEmpty())
        return leftAlone(kind);
    if (const QString why = makeFolder(path); !why.isEmpty())
        return {why, {}};
    FileLock lock;
    if (const QString why = lock.take(path + ".lock"); !why.isEmpty())
        return {QCoreApplication::translate("platform::SettingsStore", "cannot take the lock %1: %2")
                    .arg(shownPath + QLatin1String(".lock"), why),
                {}};
    // The file as it is now, which may have changed since the start.
    const FileRead old = readRegular(path);
    if (!old.ok)
        return {QCoreApplication::translate("platform::SettingsStore", "it cannot be read (%1)").arg(old.why), {}};
    if (!old.kind.isEmpty())
        return leftAlone(old.kind);
    // A file the user made read-only stays as it is, as when QSettings wrote it.
    if (old.exists && ::faccessat(old.folder.get(), old.name.constData(), W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) != 0)
        return {callFailed("access", errno), {}};
    const IniFile values(old.content);
    const bool brokenNow = old.exists && !values.valid();
    const QByteArray bytes = (brokenNow ? IniFile() : values).withValues(pending);
    QString why;
    const QByteArray kept = brokenNow ? keepBroken(old, &why) : QByteArray();
    if (brokenNow && kept.isEmpty())
        return {why, {}};
    if (why = replaceAtomically(old, bytes); !why.isEmpty()) {
        // The old file stays as it was, and under its one name.
        if (!kept.isEmpty())
            ::unlinkat(old.folder.get(), kept.constData(), 0);
        return {why, {}};
    }
    if (kept.isEmpty())
        return {};
    return {{},
            {QCoreApplication::translate("platform::SettingsStore", "kept the unreadable settings file as %1")
                 .arg(QFile::decodeName(old.beside(kept)))}};
}

} // namespace

SettingsStore::SettingsStore(QByteArray path, const QString &whyNoPath)
    : path_(std::move(path)), shownPath_(QFile::decodeName(path_)), whyNoPath_(whyNoPath)
{
}

QString SettingsStore::noHomeFolder() const
{
    return QCoreApplication::translate("platform::SettingsStore", "no home folder: %1").arg(whyNoPath_);
}

SettingsStore SettingsStore::forApplication(const QString &application)
{
    QString why;
    QByteArray path = pathFor(application, &why);
    return SettingsStore(std::move(path), why);
}

SettingsStore::~SettingsStore() = default;

QByteArray SettingsStore::pathFor(const QString &application, QString *whyNone)
{
    // The XDG base directory rules say to ignore a relative XDG_CONFIG_HOME
    // (Qt 6.4.2 took it relative to the current folder; 6.8.2 ignores it).
    // The variables' bytes are the path, whatever their encoding.
    QByteArray base = qgetenv("XDG_CONFIG_HOME");
    if (!base.startsWith('/')) {
        QString why;
        const QByteArray home = homeFolder(&why);
        if (home.isEmpty()) {
            if (whyNone)
                *whyNone = why;
            return {};
        }
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
        const std::optional<Account> owner = foreignOwner(path_);
        FileRead read = withRightsOf(owner, [this](const QString &denied) {
            if (denied.isEmpty())
                return readRegular(path_);
            FileRead failed;
            failed.ok = false;
            failed.why = denied;
            return failed;
        });
        if (!read.ok) {
            warn(QCoreApplication::translate("platform::SettingsStore", "%1 cannot be read (%2); using the defaults")
                     .arg(shownPath_, forWhom(owner, read.why)));
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
    const std::optional<Account> owner = foreignOwner(path_);
    const Written written = withRightsOf(owner, [&](const QString &denied) {
        return denied.isEmpty() ? writeValues(path_, pending) : Written{denied, {}};
    });
    for (const QString &note : written.notes)
        warn(note);
    if (!written.failure.isEmpty())
        raise(err::PathFileAccess,
              QCoreApplication::translate("platform::SettingsStore", "Path/File access error: cannot write %1: %2")
                  .arg(shownPath_, forWhom(owner, written.failure)));
    // What is read next comes from the new file.
    file_.reset();
    loaded_ = false;
}

} // namespace platform
