#include "platform/settings_store.h"

#include "platform/runtime_error.h"

#include "platform/termination.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

Q_LOGGING_CATEGORY(lcSettingsStore, "platform.settings")

namespace {

// How long the close waits for a lock that another live process holds.
constexpr std::chrono::milliseconds lockWait{5000};

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

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// What a file that is not a regular one is, for the messages.
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISLNK(mode))
        return QStringLiteral("a symbolic link");
    return QStringLiteral("not a regular file");
}

// What the settings path leads to when that is something other than a
// regular file (links followed), or nothing. Such a thing is never opened:
// a FIFO would block the open, and a device would be read, or replaced.
QString nonRegularKind(const QString &path)
{
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return {};
    return kindOf(st.st_mode);
}

// The file a path finally names, through any symbolic links, even when the
// last link leads nowhere yet: that file is the one rewritten.
QString finalTarget(const QString &path)
{
    QString at = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(at);
        if (!info.isSymLink())
            return at;
        const QString target = info.symLinkTarget();
        if (target.isEmpty())
            return at;
        at = target;
    }
    return at;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            if (wrote == 0)
                errno = EIO;
            return false;
        }
        done += wrote;
    }
    return true;
}

QString lockWaitReason(QLockFile &lock, int error)
{
    qint64 pid = 0;
    QString host, application;
    if (lock.getLockInfo(&pid, &host, &application) && pid > 0)
        return QStringLiteral("it is held by process %1 (%2)").arg(pid).arg(systemReason(error));
    return QStringLiteral("it is held by another process (%1)").arg(systemReason(error));
}

// QLockFile keeps an flock on the files it holds, and the kernel drops it
// when the process ends: a lock file that no one has an flock on, a moment
// after it was made, is abandoned (left by a process killed while it took
// the lock, so holding no process id yet, or with the helper file QLockFile
// makes to remove a stale one). QLockFile itself would wait until it is 30 s
// old. Returns why the lock cannot be taken when one is in the way for good:
// something other than a lock file stands at its name, or an abandoned one
// cannot be removed.
QString clearAbandonedLocks(const QString &path)
{
    const QString lockName = path + QLatin1String(".lock");
    for (const QString &name : {lockName, lockName + QLatin1String(".rmlock")}) {
        const QByteArray file = QFile::encodeName(name);
        struct stat named = {};
        if (::lstat(file.constData(), &named) != 0)
            continue;
        if (!S_ISREG(named.st_mode)) {
            const int error = S_ISDIR(named.st_mode) ? EISDIR : EEXIST;
            return QStringLiteral("%1 is %2, not a lock file (%3)")
                .arg(name == lockName ? QStringLiteral("it") : name, kindOf(named.st_mode), systemReason(error));
        }
        // A process taking the lock takes the flock right after making the file.
        const qint64 age = QFileInfo(name).lastModified().msecsTo(QDateTime::currentDateTime());
        if (age >= 0 && age < 100)
            QThread::msleep(static_cast<unsigned long>(100 - age));
        const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        QString why;
        struct stat held = {};
        // Removed by name only while the name still is the file that was
        // found abandoned: another process may have replaced it meanwhile.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && ::lstat(file.constData(), &named) == 0
            && held.st_dev == named.st_dev && held.st_ino == named.st_ino && ::unlink(file.constData()) != 0) {
            why = QStringLiteral("%1 is left from an earlier run and cannot be removed (%2)")
                      .arg(name == lockName ? QStringLiteral("it") : name, systemReason(errno));
        }
        ::close(fd);
        if (!why.isEmpty())
            return why;
    }
    return {};
}

// Takes <file>.lock as QSettings would, so other instances of the program
// keep out while it is held. Qt 6.4's QSettings waits for it without end,
// deaf to signals, outside the event loop; this waits at most lockWait and
// gives up on a termination signal. Returns why when it could not be taken.
QString takeLock(QLockFile &lock, const QString &path)
{
    const int signalsBefore = terminationSignals();
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (const QString why = clearAbandonedLocks(path); !why.isEmpty())
            return why;
        if (lock.tryLock(0))
            return {};
        if (lock.error() != QLockFile::LockFailedError) {
            // Make and fill the file as QLockFile does, to learn the system's
            // reason (a full disk fails the write, not the open).
            const QByteArray file = QFile::encodeName(path + QLatin1String(".lock"));
            const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            int error = fd < 0 ? errno : 0;
            if (fd >= 0) {
                const QByteArray info = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
                if (!writeAll(fd, info) || ::fsync(fd) != 0)
                    error = errno;
                ::close(fd);
                ::unlink(file.constData());
            }
            return systemReason(error != 0 ? error : EAGAIN);
        }
        if (terminationSignals() != signalsBefore)
            return QStringLiteral("the wait for it was ended by a termination signal (%1)").arg(systemReason(EINTR));
        if (waited.elapsed() >= lockWait.count())
            return lockWaitReason(lock, EWOULDBLOCK);
        QThread::msleep(50);
    }
}

// The whole content of a regular file, read without blocking on anything
// else. Sets *kind when the path is no regular file, *exists when it is one.
bool readRegular(const QString &path, QByteArray *content, QString *kind, bool *exists, mode_t *mode, int *error)
{
    *exists = false;
    // A socket cannot be opened at all; the others are seen by fstat too.
    *kind = nonRegularKind(path);
    if (!kind->isEmpty())
        return true;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        *error = errno;
        return errno == ENOENT;
    }
    struct stat st = {};
    bool ok = ::fstat(fd, &st) == 0;
    if (ok && !S_ISREG(st.st_mode)) {
        *kind = kindOf(st.st_mode);
    } else if (ok) {
        *exists = true;
        *mode = st.st_mode & 07777;
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                ok = got == 0;
                break;
            }
            content->append(buffer, got);
        }
    }
    if (!ok)
        *error = errno;
    ::close(fd);
    return ok;
}

// A new file of that content under a name not in use; errno when it fails.
int createNew(const QString &name, const QByteArray &bytes, mode_t mode, bool *taken)
{
    *taken = false;
    const QByteArray file = QFile::encodeName(name);
    const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
        *taken = errno == EEXIST;
        return errno;
    }
    const bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int error = ok ? 0 : errno;
    ::close(fd);
    if (!ok)
        ::unlink(file.constData());
    return error;
}

// Keeps the file as <file>.broken, or .broken.1 and on when that is taken, as
// a second name of the same file where the file system allows it: the kept
// file then needs no space, and the original stays until it is replaced.
// Returns the name, or nothing with *why set.
QString keepBroken(const QString &target, const QByteArray &content, mode_t mode, QString *why)
{
    const QString first = target + QLatin1String(".broken");
    for (int n = 0; n < 1000; ++n) {
        const QString name = n == 0 ? first : first + QLatin1Char('.') + QString::number(n);
        if (::link(QFile::encodeName(target).constData(), QFile::encodeName(name).constData()) == 0)
            return name;
        if (errno == EEXIST)
            continue;
        bool taken = false;
        const int error = createNew(name, content, mode, &taken);
        if (error == 0)
            return name;
        if (!taken) {
            *why = QStringLiteral("the unreadable file cannot be kept as %1 (%2)").arg(name, systemReason(error));
            return {};
        }
    }
    *why = QStringLiteral("the unreadable file cannot be kept: %1 to %2 all exist (%3)")
               .arg(first, first + QLatin1String(".999"), systemReason(EEXIST));
    return {};
}

// Replaces the file with the bytes in one rename, as QSaveFile would, but
// with the system's reason for whatever fails. Returns that reason.
QString replaceAtomically(const QString &target, const QByteArray &bytes, bool existed, mode_t mode)
{
    const QString folder = QFileInfo(target).absolutePath();
    QString temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary
            = target + QStringLiteral(".new-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        fd = ::open(QFile::encodeName(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return systemReason(errno);
    const QByteArray file = QFile::encodeName(temporary);
    bool ok = (!existed || ::fchmod(fd, mode) == 0) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(file.constData(), QFile::encodeName(target).constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(file.constData());
        return systemReason(error);
    }
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

// The folder of the file, made when missing; why not, when that fails.
QString makeFolder(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    for (QString at = folder; !at.isEmpty(); at = QFileInfo(at).absolutePath()) {
        const QFileInfo info(at);
        if (info.exists()) {
            if (!info.isDir())
                return QStringLiteral("%1 is not a folder (%2)").arg(at, systemReason(ENOTDIR));
            break;
        }
        if (at == QFileInfo(at).absolutePath())
            break;
    }
    if (QDir().mkpath(folder))
        return {};
    // mkpath gives no reason; the folder's own mkdir does.
    const int error = ::mkdir(QFile::encodeName(folder).constData(), 0777) == 0 ? 0 : errno;
    if (error == 0)
        return {};
    return QStringLiteral("the folder %1 cannot be created (%2)").arg(folder, systemReason(error));
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
    // QSettings parses a section only when it is first used; a bad line
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
    settings();
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
    QLockFile lock(path_ + QLatin1String(".lock"));
    if (const QString why = takeLock(lock, path_); !why.isEmpty())
        fail(QStringLiteral("cannot take the lock %1: %2").arg(path_ + QLatin1String(".lock"), why));

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
    if (brokenNow) // QSettings would refuse to write over it; start afresh.
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
