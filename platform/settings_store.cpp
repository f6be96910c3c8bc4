#include "platform/settings_store.h"

#include "platform/runtime_error.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QThread>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
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

QString backupPath(const QString &path)
{
    QString candidate = path + QLatin1String(".broken");
    for (int n = 1; QFileInfo::exists(candidate) && n < 1000; ++n)
        candidate = path + QLatin1String(".broken.") + QString::number(n);
    return candidate;
}

// Why a file cannot be written into its folder: the first obstacle on the way.
QString whyNotWritable(const QString &path)
{
    QString folder = QFileInfo(path).absolutePath();
    for (QString at = folder; !at.isEmpty(); at = QFileInfo(at).absolutePath()) {
        const QFileInfo info(at);
        if (info.exists()) {
            if (!info.isDir())
                return QStringLiteral("%1 is not a folder").arg(at);
            break;
        }
        if (at == QFileInfo(at).absolutePath())
            break;
    }
    if (!QDir().mkpath(folder))
        return QStringLiteral("the folder %1 cannot be created").arg(folder);
    QTemporaryFile probe(folder + QLatin1String("/.write-test-XXXXXX"));
    if (!probe.open())
        return probe.errorString();
    const QByteArray bytes(4096, ' ');
    if (probe.write(bytes) != bytes.size() || !probe.flush())
        return probe.errorString();
    return QStringLiteral("the file could not be written");
}

// QSettings locks the file while it writes, through QLockFile. A lock file
// left by a process killed while it took the lock (so holding no process id
// yet), or left with the helper file QLockFile makes to remove a stale one,
// counts as stale only once it is 30 s old, and the window would hang until
// then. QLockFile keeps an flock on the files it holds, and the kernel drops
// it when the process ends: such a file that no one has an flock on, a
// moment after it was made, is abandoned. QLockFile removes stale locks the
// same way, only later.
void removeAbandonedLocks(const QString &path)
{
    for (const QString &name : {path + QLatin1String(".lock"), path + QLatin1String(".lock.rmlock")}) {
        const QFileInfo info(name);
        if (!info.exists())
            continue;
        // A process taking the lock takes the flock right after making the file.
        const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
        if (age >= 0 && age < 100)
            QThread::msleep(static_cast<unsigned long>(100 - age));
        const QByteArray file = QFile::encodeName(name);
        const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(file.constData());
        ::close(fd);
    }
}

} // namespace

SettingsStore::SettingsStore(QString path) : path_(std::move(path)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::pathFor(const QString &application)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + application
        + QLatin1Char('/') + application + QLatin1String(".conf");
}

QSettings &SettingsStore::settings()
{
    if (!settings_) {
        settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
        // QSettings parses a section only when it is first used; a bad line
        // would otherwise surface as a FormatError from the sync at close.
        settings_->allKeys();
        broken_ = settings_->status() == QSettings::FormatError;
        if (broken_)
            qCWarning(lcSettingsStore, "%s is not a valid settings file; its values are ignored",
                      qUtf8Printable(path_));
    }
    return *settings_;
}

QString SettingsStore::getSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    QSettings &file = settings();
    if (broken_)
        return defaultValue;
    const QVariant value = file.value(keyPath(section, key));
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
    settings();
    if (broken_) {
        const QString backup = backupPath(path_);
        if (QFile::rename(path_, backup))
            qCWarning(lcSettingsStore, "kept the unreadable settings file as %s", qUtf8Printable(backup));
        settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
        broken_ = false;
    }
    removeAbandonedLocks(path_);
    for (const auto &[key, value] : pending_)
        settings_->setValue(key, value);
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        const QString reason = whyNotWritable(path_);
        // Nothing of this run is written later behind the user's back.
        settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
        pending_.clear();
        raise(err::PathFileAccess, QStringLiteral("Path/File access error: cannot write %1: %2").arg(path_, reason));
    }
    pending_.clear();
}

} // namespace platform
