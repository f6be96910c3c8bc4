#include "platform/safe_files.h"

#include "platform/termination.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QThread>

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

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

namespace {

// How long the close waits for a lock that another live process holds.
constexpr std::chrono::milliseconds lockWait{5000};

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
// makes to remove a stale one). Qt 6.4's QLockFile would wait until it is 30 s
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

} // namespace

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString nonRegularKind(const QString &path)
{
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return {};
    return kindOf(st.st_mode);
}

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
            const QString name = path + QLatin1String(".lock");
            const QByteArray info = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
            bool taken = false;
            const int error = createNew(name, info, 0644, &taken);
            if (error == 0)
                ::unlink(QFile::encodeName(name).constData());
            return systemReason(error != 0 ? error : EAGAIN);
        }
        if (terminationSignals() != signalsBefore)
            return QStringLiteral("the wait for it was ended by a termination signal (%1)").arg(systemReason(EINTR));
        if (waited.elapsed() >= lockWait.count())
            return lockWaitReason(lock, EWOULDBLOCK);
        QThread::msleep(50);
    }
}

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

} // namespace platform
