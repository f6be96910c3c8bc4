#include "platform/settings_store.h"

#include "platform/runtime_error.h"
#include "platform/safe_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <cerrno>
#include <memory>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

Q_LOGGING_CATEGORY(lcSettingsStore, "platform.settings")

namespace {

QString keyPath(const QString &section, const QString &key) { return section + QLatin1Char('/') + key; }

// Hand-edited files can hold what QSettings reads as a list or bytes.
QString asText(const QVariant &value, bool *ok)
{
    *ok = true;
    switch (value.typeId()) {
    case QMetaType::QString: return value.toString();
    case QMetaType::QStringList: return value.toStringList().join(QLatin1String(", "));
    case QMetaType::QByteArray: return QString::fromUtf8(value.toByteArray());
    default: break;
    }
    if (value.canConvert<QString>())
        return value.toString();
    *ok = false;
    return {};
}

// QSettings reads a private copy, never the user's path: Qt 6.4's QSettings
// would open a FIFO there and block, and it keeps what it parsed by path for
// the whole process, which it serves again for a new file of the same size
// and modification time.
std::unique_ptr<QSettings> parsedCopy(const QTemporaryDir &scratch, const QString &name, const QByteArray &bytes,
                                      QString *why)
{
    const QString copy = scratch.filePath(name);
    QFile file(copy);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        *why = QStringLiteral("the temporary copy %1 cannot be written (%2)").arg(copy, file.errorString());
        return nullptr;
    }
    file.close();
    auto settings = std::make_unique<QSettings>(copy, QSettings::IniFormat);
    // Qt 6.4's QSettings parses a section only when it is first used; a bad line
    // would otherwise surface later.
    settings->allKeys();
    return settings;
}

} // namespace

SettingsStore::SettingsStore(QString path) : path_(std::move(path)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::pathFor(const QString &application)
{
    // Qt 6.4 takes a relative XDG_CONFIG_HOME as it is, relative to the
    // current folder; the XDG base directory rules say to ignore it.
    QString base = QFile::decodeName(qgetenv("XDG_CONFIG_HOME"));
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + QLatin1String("/.config");
    return QDir::cleanPath(base) + QLatin1Char('/') + application + QLatin1Char('/') + application
        + QLatin1String(".conf");
}

QSettings *SettingsStore::settings()
{
    if (!loaded_) {
        loaded_ = true;
        QByteArray bytes;
        bool exists = false;
        mode_t mode = 0;
        int error = 0;
        if (!readRegular(path_, &bytes, &notAFile_, &exists, &mode, &error)) {
            qCWarning(lcSettingsStore, "%s cannot be read (%s); using the defaults", qUtf8Printable(path_),
                      qUtf8Printable(systemReason(error)));
            return nullptr;
        }
        if (!notAFile_.isEmpty()) {
            qCWarning(lcSettingsStore, "%s is %s, not a settings file; using the defaults", qUtf8Printable(path_),
                      qUtf8Printable(notAFile_));
            return nullptr;
        }
        QTemporaryDir scratch;
        QString why = scratch.errorString();
        if (scratch.isValid())
            settings_ = parsedCopy(scratch, QStringLiteral("settings.conf"), bytes, &why);
        if (!settings_) {
            qCWarning(lcSettingsStore, "%s cannot be read: %s; using the defaults", qUtf8Printable(path_),
                      qUtf8Printable(why));
            return nullptr;
        }
        broken_ = settings_->status() == QSettings::FormatError;
        if (broken_)
            qCWarning(lcSettingsStore, "%s is not a valid settings file; its values are ignored",
                      qUtf8Printable(path_));
    }
    return settings_.get();
}

QString SettingsStore::getSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    QSettings *file = settings();
    if (!file || broken_)
        return defaultValue;
    const QVariant value = file->value(keyPath(section, key));
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    const QString text = asText(value, &ok);
    if (!ok) {
        qCWarning(lcSettingsStore, "%s/%s in %s is not text; using the default", qUtf8Printable(section),
                  qUtf8Printable(key), qUtf8Printable(path_));
        return defaultValue;
    }
    return text;
}

void SettingsStore::saveSetting(const QString &section, const QString &key, const QString &value)
{
    pending_.emplace_back(keyPath(section, key), value);
}

void SettingsStore::commit()
{
    if (pending_.empty())
        return;
    // Nothing of this run is written later behind the user's back.
    const std::vector<std::pair<QString, QString>> pending = std::move(pending_);
    pending_.clear();
    const auto fail = [this](const QString &reason) {
        raise(err::PathFileAccess, QStringLiteral("Path/File access error: cannot write %1: %2").arg(path_, reason));
    };
    const auto leaveAlone = [this](const QString &kind) {
        qCWarning(lcSettingsStore, "%s is %s, not a settings file; the settings were not written",
                  qUtf8Printable(path_), qUtf8Printable(kind));
    };

    if (const QString kind = nonRegularKind(path_); !kind.isEmpty())
        return leaveAlone(kind);
    if (const QString why = makeFolder(path_); !why.isEmpty())
        fail(why);
    const QString lockName = path_ + QLatin1String(".lock");
    FileLock lock;
    if (const QString why = lock.take(lockName); !why.isEmpty())
        fail(QStringLiteral("cannot take the lock %1: %2").arg(lockName, why));

    // The file as it is now, which may have changed since the start.
    QByteArray old;
    QString kind;
    bool existed = false;
    mode_t mode = 0;
    int error = 0;
    if (!readRegular(path_, &old, &kind, &existed, &mode, &error))
        fail(QStringLiteral("it cannot be read (%1)").arg(systemReason(error)));
    if (!kind.isEmpty())
        return leaveAlone(kind);
    const QString target = finalTarget(path_);
    // A file the user made read-only stays as it is, as when QSettings wrote it.
    if (existed && ::faccessat(AT_FDCWD, QFile::encodeName(target).constData(), W_OK, AT_EACCESS) != 0)
        fail(systemReason(errno));

    // QSettings writes the values into a private copy, in its own format,
    // keeping whatever else a readable file holds.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        fail(QStringLiteral("no temporary folder (%1)").arg(scratch.errorString()));
    QString why;
    auto values = parsedCopy(scratch, QStringLiteral("settings.conf"), old, &why);
    if (!values)
        fail(why);
    const bool brokenNow = values->status() == QSettings::FormatError;
    if (brokenNow) // Qt 6.4's QSettings would refuse to write over it; start afresh.
        values = std::make_unique<QSettings>(scratch.filePath(QStringLiteral("fresh.conf")), QSettings::IniFormat);
    for (const auto &[key, value] : pending)
        values->setValue(key, value);
    values->sync();
    QFile written(values->fileName());
    if (values->status() != QSettings::NoError || !written.open(QIODevice::ReadOnly))
        fail(QStringLiteral("the temporary copy %1 cannot be written (%2)")
                 .arg(values->fileName(), written.errorString()));
    const QByteArray bytes = written.readAll();
    values.reset();

    // A file that is no valid INI, now, is kept whole beside the new one.
    QString kept;
    if (brokenNow && existed) {
        kept = keepBroken(target, old, mode, &why);
        if (kept.isEmpty())
            fail(why);
    }
    if (why = replaceAtomically(target, bytes, existed, mode); !why.isEmpty()) {
        // The old file stays as it was, and under its one name.
        if (!kept.isEmpty())
            ::unlink(QFile::encodeName(kept).constData());
        fail(why);
    }
    if (!kept.isEmpty())
        qCWarning(lcSettingsStore, "kept the unreadable settings file as %s", qUtf8Printable(kept));
    // What is read next comes from the new file.
    settings_.reset();
    loaded_ = false;
    broken_ = false;
}

} // namespace platform
