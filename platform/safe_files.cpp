#include "platform/safe_files.h"

#include "platform/termination.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>
#include <QSysInfo>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

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

// How long the close waits for a lock that another live process holds, and
// how often it looks again.
constexpr std::chrono::milliseconds lockWait{5000};
constexpr std::chrono::milliseconds lockPoll{5};

// What a file that is not a regular one is, for the messages.
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QCoreApplication::translate("platform::SafeFiles", "a folder");
    if (S_ISCHR(mode))
        return QCoreApplication::translate("platform::SafeFiles", "a character device");
    if (S_ISBLK(mode))
        return QCoreApplication::translate("platform::SafeFiles", "a block device");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("platform::SafeFiles", "a FIFO");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("platform::SafeFiles", "a socket");
    if (S_ISLNK(mode))
        return QCoreApplication::translate("platform::SafeFiles", "a symbolic link");
    return QCoreApplication::translate("platform::SafeFiles", "not a regular file");
}

// Whether the descriptor, or the name when it is -1 (a last link followed
// when `follow`), is a regular file; *kind says what it is otherwise. Fills
// *st; false with an empty *kind when not even that could be learnt.
bool isRegular(int fd, const QByteArray &name, bool follow, struct stat *st, QString *kind)
{
    const int got = fd >= 0 ? ::fstat(fd, st) : follow ? ::stat(name.constData(), st) : ::lstat(name.constData(), st);
    if (got == 0 && !S_ISREG(st->st_mode))
        *kind = kindOf(st->st_mode);
    return got == 0 && S_ISREG(st->st_mode);
}

bool sameFile(const struct stat &a, const struct stat &b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The descriptor still holds the file that the name leads to.
bool stillNamed(int fd, const QByteArray &name)
{
    struct stat held = {}, named = {};
    return ::fstat(fd, &held) == 0 && ::lstat(name.constData(), &named) == 0 && sameFile(held, named);
}

// The holder named in a lock file: its process id on the first line, as
// take() and QLockFile write it.
QString heldBy(int fd, int error)
{
    char text[32] = {};
    const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
    const qint64 pid = got > 0 ? QByteArray(text, int(got)).split('\n').first().toLongLong() : 0;
    if (pid > 0)
        return QCoreApplication::translate("platform::SafeFiles", "it is held by process %1 (%2)")
            .arg(QString::number(pid), callFailed("flock", error));
    return QCoreApplication::translate("platform::SafeFiles", "it is held by another process (%1)")
        .arg(callFailed("flock", error));
}

// A new file of that content under a name not in use; why not, when that
// fails.
QString createNew(const QString &name, const QByteArray &bytes, mode_t mode, bool *taken)
{
    *taken = false;
    const QByteArray file = QFile::encodeName(name);
    const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
        *taken = errno == EEXIST;
        return callFailed("open", errno);
    }
    const char *call = !writeAll(fd, bytes) ? "write" : ::fsync(fd) != 0 ? "fsync" : nullptr;
    const int error = errno;
    ::close(fd);
    if (!call)
        return {};
    ::unlink(file.constData());
    return callFailed(call, error);
}

} // namespace

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString callFailed(const char *call, int error)
{
    return QLatin1String(call) + QLatin1String(": ") + systemReason(error);
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

QString FileLock::take(const QString &name)
{
    release();
    const QByteArray file = QFile::encodeName(name);
    const int signalsBefore = terminationSignals();
    QElapsedTimer waited;
    waited.start();
    int fd = -1;
    const auto giveUp = [&fd](const QString &why) {
        if (fd >= 0)
            ::close(fd);
        return why;
    };
    for (;;) {
        if (fd < 0) {
            fd = ::open(file.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0666);
            const int error = errno;
            struct stat st = {};
            QString kind;
            const bool regular = isRegular(fd, file, false, &st, &kind);
            if (!kind.isEmpty() && fd < 0)
                return QCoreApplication::translate("platform::SafeFiles", "it is %1, not a lock file (%2)")
                    .arg(kind, callFailed("open", error));
            if (!kind.isEmpty())
                return giveUp(
                    QCoreApplication::translate("platform::SafeFiles", "it is %1, not a lock file").arg(kind));
            if (fd < 0)
                return callFailed("open", error);
            if (!regular)
                return giveUp(callFailed("fstat", errno));
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // Taken, unless the name was removed or made anew since the open:
            // the lock of a file no longer named keeps no one out.
            if (stillNamed(fd, file))
                break;
            ::close(fd);
            fd = -1;
            continue;
        }
        const int error = errno;
        if (error != EWOULDBLOCK && error != EINTR)
            return giveUp(callFailed("flock", error));
        if (terminationSignals() != signalsBefore)
            return giveUp(QCoreApplication::translate("platform::SafeFiles",
                                                      "the wait for it was ended by a termination signal (%1)")
                              .arg(systemReason(EINTR)));
        if (waited.elapsed() >= lockWait.count())
            return giveUp(heldBy(fd, EWOULDBLOCK));
        // The same descriptor again: its flock comes free when the holder ends.
        std::this_thread::sleep_for(lockPoll);
    }
    fd_ = fd;
    name_ = file;
    const QByteArray holder = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
        + QCoreApplication::applicationName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
    if (::ftruncate(fd, 0) != 0 || !writeAll(fd, holder)) {
        const int error = errno;
        release();
        return callFailed("write", error);
    }
    return {};
}

void FileLock::release()
{
    if (fd_ < 0)
        return;
    // Removed while still held, so that no one takes the file on its way
    // out; and only when it is ours.
    if (stillNamed(fd_, name_))
        ::unlink(name_.constData());
    ::close(fd_);
    fd_ = -1;
}

FileRead readRegular(const QString &path)
{
    FileRead file;
    const QByteArray name = QFile::encodeName(path);
    // No look at the path before the open: what stands there may change in
    // between. A FIFO opened without blocking, a device, a folder are seen
    // by fstat and never read.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    const int error = errno;
    struct stat st = {};
    // A socket cannot be opened at all.
    const bool regular = (fd >= 0 || error == ENXIO) && isRegular(fd, name, true, &st, &file.kind);
    if (fd < 0) {
        if (file.kind.isEmpty() && error != ENOENT) {
            file.ok = false;
            file.why = callFailed("open", error);
        }
        return file;
    }
    if (!regular && file.kind.isEmpty()) {
        file.ok = false;
        file.why = callFailed("fstat", errno);
    } else if (regular) {
        file.exists = true;
        file.mode = st.st_mode & 07777;
        file.content.reserve(qsizetype(st.st_size));
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                file.ok = false;
                file.why = callFailed("read", errno);
            }
            if (got <= 0)
                break;
            file.content.append(buffer, got);
        }
    }
    ::close(fd);
    return file;
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
        const QString failed = createNew(name, content, mode, &taken);
        if (failed.isEmpty())
            return name;
        if (!taken) {
            *why = QCoreApplication::translate("platform::SafeFiles", "the unreadable file cannot be kept as %1 (%2)")
                       .arg(name, failed);
            return {};
        }
    }
    *why = QCoreApplication::translate("platform::SafeFiles",
                                       "the unreadable file cannot be kept: %1 to %2 all exist (%3)")
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
    if (fd < 0) {
        const QString failed = callFailed("open", errno);
        return QCoreApplication::translate("platform::SafeFiles", "the new file %1 cannot be made (%2)")
            .arg(temporary, failed);
    }
    const QByteArray file = QFile::encodeName(temporary);
    // On the disk before it takes the name: a power cut then leaves the old
    // file or the whole new one.
    const char *call = existed && ::fchmod(fd, mode) != 0 ? "fchmod"
        : !writeAll(fd, bytes)                            ? "write"
        : ::fsync(fd) != 0                                ? "fsync"
                                                          : nullptr;
    int error = errno;
    if (::close(fd) != 0 && !call) {
        call = "close";
        error = errno;
    }
    if (call) {
        ::unlink(file.constData());
        return QCoreApplication::translate("platform::SafeFiles", "the new file %1 cannot be written (%2)")
            .arg(temporary, callFailed(call, error));
    }
    if (::rename(file.constData(), QFile::encodeName(target).constData()) != 0) {
        error = errno;
        ::unlink(file.constData());
        return QCoreApplication::translate("platform::SafeFiles", "the new file %1 cannot replace it (%2)")
            .arg(temporary, callFailed("rename", error));
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
    // The missing levels, from the first that exists down, each made by
    // itself so that a failure names its folder and its reason.
    QStringList missing;
    for (QString at = QFileInfo(path).absolutePath();;) {
        struct stat st = {};
        if (::stat(QFile::encodeName(at).constData(), &st) == 0) {
            if (!S_ISDIR(st.st_mode))
                return QCoreApplication::translate("platform::SafeFiles", "%1 is not a folder (%2)")
                    .arg(at, systemReason(ENOTDIR));
            break;
        }
        if (errno != ENOENT && errno != ENOTDIR) {
            const QString failed = callFailed("stat", errno);
            return QCoreApplication::translate("platform::SafeFiles", "the folder %1 cannot be reached (%2)")
                .arg(at, failed);
        }
        missing.prepend(at);
        const QString up = QFileInfo(at).absolutePath();
        if (up == at)
            break;
        at = up;
    }
    for (const QString &folder : std::as_const(missing)) {
        if (::mkdir(QFile::encodeName(folder).constData(), 0777) != 0 && errno != EEXIST) {
            const QString failed = callFailed("mkdir", errno);
            return QCoreApplication::translate("platform::SafeFiles", "the folder %1 cannot be created (%2)")
                .arg(folder, failed);
        }
    }
    return {};
}

} // namespace platform
