#include "platform/safe_files.h"

#include "platform/termination.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSysInfo>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include <climits>
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

// A path for a message; its bytes need not be UTF-8.
QString shown(const QByteArray &path) { return QFile::decodeName(path); }

// The folder a path is in: all before its last '/'.
QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash > 0 ? path.left(slash) : QByteArray("/");
}

// Run as root in another user's folder (sudo -E keeps their HOME), what the
// close makes there is given to the folder's owner, as if they had made it:
// else their next close could not replace it. By descriptor, or by name (a
// link not followed) when fd is -1. False, with errno, when that fails.
bool ownAsFolder(int fd, const QByteArray &path)
{
    struct stat folder = {};
    if (::geteuid() != 0 || ::stat(folderOf(path).constData(), &folder) != 0 || folder.st_uid == 0)
        return true;
    return (fd >= 0 ? ::fchown(fd, folder.st_uid, folder.st_gid)
                    : ::lchown(path.constData(), folder.st_uid, folder.st_gid))
        == 0;
}

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
QString createNew(const QByteArray &file, const QByteArray &bytes, mode_t mode, bool *taken)
{
    *taken = false;
    const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
        *taken = errno == EEXIST;
        return callFailed("open", errno);
    }
    const char *call = !ownAsFolder(fd, file) ? "fchown"
        : !writeAll(fd, bytes)                ? "write"
        : ::fsync(fd) != 0                    ? "fsync"
                                              : nullptr;
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

QString nonRegularKind(const QByteArray &path)
{
    struct stat st = {};
    QString kind;
    isRegular(-1, path, true, &st, &kind);
    return kind;
}

QByteArray finalTarget(const QByteArray &path)
{
    QByteArray at = path;
    for (int hops = 0; hops < 40; ++hops) {
        char target[PATH_MAX];
        const ssize_t size = ::readlink(at.constData(), target, sizeof target);
        if (size <= 0)
            return at;
        const QByteArray link(target, size);
        at = link.startsWith('/') ? link : folderOf(at) + '/' + link;
    }
    return at;
}

QString FileLock::take(const QByteArray &file)
{
    release();
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
            if (st.st_uid == 0 && !ownAsFolder(fd, file))
                return giveUp(callFailed("fchown", errno));
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

FileRead readRegular(const QByteArray &name)
{
    FileRead file;
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
        file.owner = st.st_uid;
        file.group = st.st_gid;
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

QByteArray keepBroken(const QByteArray &target, const QByteArray &content, mode_t mode, QString *why)
{
    const QByteArray first = target + ".broken";
    for (int n = 0; n < 1000; ++n) {
        const QByteArray name = n == 0 ? first : first + '.' + QByteArray::number(n);
        if (::link(target.constData(), name.constData()) == 0)
            return name;
        if (errno == EEXIST)
            continue;
        bool taken = false;
        const QString failed = createNew(name, content, mode, &taken);
        if (failed.isEmpty())
            return name;
        if (!taken) {
            *why = QCoreApplication::translate("platform::SafeFiles", "the unreadable file cannot be kept as %1 (%2)")
                       .arg(shown(name), failed);
            return {};
        }
    }
    *why = QCoreApplication::translate("platform::SafeFiles",
                                       "the unreadable file cannot be kept: %1 to %2 all exist (%3)")
               .arg(shown(first), shown(first + ".999"), systemReason(EEXIST));
    return {};
}

QString replaceAtomically(const QByteArray &target, const QByteArray &bytes, const FileRead &old)
{
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = target + ".new-" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        const QString failed = callFailed("open", errno);
        return QCoreApplication::translate("platform::SafeFiles", "the new file %1 cannot be made (%2)")
            .arg(shown(temporary), failed);
    }
    // The owner, group and mode of the file it replaces (a user may have made
    // it private), which only root can give away; a new file is the folder
    // owner's. On the disk before it takes the name: a power cut then leaves
    // the old file or the whole new one.
    const bool owned
        = old.exists ? ::fchown(fd, old.owner, old.group) == 0 || ::geteuid() != 0 : ownAsFolder(fd, target);
    const char *call = !owned                       ? "fchown"
        : old.exists && ::fchmod(fd, old.mode) != 0 ? "fchmod"
        : !writeAll(fd, bytes)                      ? "write"
        : ::fsync(fd) != 0                          ? "fsync"
                                                    : nullptr;
    int error = errno;
    if (::close(fd) != 0 && !call) {
        call = "close";
        error = errno;
    }
    if (call) {
        ::unlink(temporary.constData());
        return QCoreApplication::translate("platform::SafeFiles", "the new file %1 cannot be written (%2)")
            .arg(shown(temporary), callFailed(call, error));
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        error = errno;
        ::unlink(temporary.constData());
        return QCoreApplication::translate("platform::SafeFiles", "the new file %1 cannot replace it (%2)")
            .arg(shown(temporary), callFailed("rename", error));
    }
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(folderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

QString makeFolder(const QByteArray &path)
{
    // The missing levels, from the first that exists down, each made by
    // itself so that a failure names its folder and its reason.
    std::vector<QByteArray> missing;
    for (QByteArray at = folderOf(path);; at = folderOf(at)) {
        struct stat st = {};
        if (::stat(at.constData(), &st) == 0) {
            if (!S_ISDIR(st.st_mode))
                return QCoreApplication::translate("platform::SafeFiles", "%1 is not a folder (%2)")
                    .arg(shown(at), systemReason(ENOTDIR));
            break;
        }
        if (errno != ENOENT && errno != ENOTDIR) {
            const QString failed = callFailed("stat", errno);
            return QCoreApplication::translate("platform::SafeFiles", "the folder %1 cannot be reached (%2)")
                .arg(shown(at), failed);
        }
        missing.push_back(at);
        if (at == "/")
            break;
    }
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
        const bool made = ::mkdir(folder->constData(), 0777) == 0;
        const char *call = !made && errno != EEXIST ? "mkdir" : made && !ownAsFolder(-1, *folder) ? "lchown" : nullptr;
        if (call) {
            const QString failed = callFailed(call, errno);
            return QCoreApplication::translate("platform::SafeFiles", "the folder %1 cannot be created (%2)")
                .arg(shown(*folder), failed);
        }
    }
    return {};
}

} // namespace platform
