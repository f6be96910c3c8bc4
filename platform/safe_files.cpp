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
#include <tuple>
#include <vector>

#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
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

// The folder a path is in and its last name: "." for a name alone.
std::pair<QByteArray, QByteArray> split(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return {".", path};
    return {slash == 0 ? QByteArray("/") : path.left(slash), path.mid(slash + 1)};
}

// Another name in the folder of a path, for messages.
QByteArray beside(const QByteArray &path, const QByteArray &name) { return split(path).first + '/' + name; }

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

// Whether what was looked at is a regular file; *kind says what it is otherwise.
bool isRegular(const struct stat &st, QString *kind)
{
    if (!S_ISREG(st.st_mode))
        *kind = kindOf(st.st_mode);
    return S_ISREG(st.st_mode);
}

bool sameFile(const struct stat &a, const struct stat &b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The descriptor still holds the file that the name in the folder is.
bool stillNamed(const Descriptor &folder, const Descriptor &file, const QByteArray &name)
{
    struct stat held = {}, named = {};
    return ::fstat(file.get(), &held) == 0
        && ::fstatat(folder.get(), name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(held, named);
}

// The holder named in a lock file: its process id on the first line, as
// take() and QLockFile write it.
QString heldBy(const Descriptor &file, int error)
{
    char text[32] = {};
    const ssize_t got = file.valid() ? ::pread(file.get(), text, sizeof text - 1, 0) : 0;
    const qint64 pid = got > 0 ? QByteArray(text, int(got)).split('\n').first().toLongLong() : 0;
    if (pid > 0)
        return QCoreApplication::translate("platform::SafeFiles", "it is held by process %1 (%2)")
            .arg(QString::number(pid), callFailed("flock", error));
    return QCoreApplication::translate("platform::SafeFiles", "it is held by another process (%1)")
        .arg(callFailed("flock", error));
}

// The lock file at the name: made anew where there is none (*made), else the
// one there. None, with why, when what stands there is no regular file or
// cannot be opened; none and no reason when it went in between.
Descriptor openLockFile(const Descriptor &folder, const QByteArray &name, bool *made, QString *why)
{
    constexpr int flags = O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    Descriptor file(::openat(folder.get(), name.constData(), flags | O_CREAT | O_EXCL, 0666));
    *made = file.valid();
    if (!*made && errno == EEXIST)
        file.reset(::openat(folder.get(), name.constData(), flags));
    const int error = errno;
    struct stat st = {};
    QString kind;
    const int looked
        = file.valid() ? ::fstat(file.get(), &st) : ::fstatat(folder.get(), name.constData(), &st, AT_SYMLINK_NOFOLLOW);
    if (looked == 0 && !isRegular(st, &kind) && !file.valid())
        *why = QCoreApplication::translate("platform::SafeFiles", "it is %1, not a lock file (%2)")
                   .arg(kind, callFailed("open", error));
    else if (!kind.isEmpty())
        *why = QCoreApplication::translate("platform::SafeFiles", "it is %1, not a lock file").arg(kind);
    else if (!file.valid() && error != ENOENT)
        *why = callFailed("open", error);
    else if (file.valid() && looked != 0)
        *why = callFailed("fstat", errno);
    return why->isEmpty() ? std::move(file) : Descriptor();
}

// Opens read.path for reading, each link followed from its own folder, and
// fills in the folder and the name where the file is (or would be). The
// descriptor, or -1 with *error; no folder when that is missing (nothing to
// read) or cannot be opened (read.why says why).
int openThroughLinks(FileRead &read, int *error)
{
    auto [folder, name] = split(read.path);
    for (int links = 0;; ++links) {
        read.name = name.isEmpty() ? QByteArray(".") : name;
        // O_PATH: a folder that may be searched but not listed serves too.
        Descriptor next(::openat(read.folder.valid() ? read.folder.get() : AT_FDCWD, folder.constData(),
                                 O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!next.valid()) {
            if (errno != ENOENT) {
                read.ok = false;
                read.why = callFailed("open", errno);
            }
            read.folder.reset();
            return -1;
        }
        read.folder = std::move(next);
        // No look at the name before the open: what stands there may change in
        // between. A FIFO opened without blocking, a device, a folder are seen
        // by fstat and never read; a link is followed here, from its folder.
        const int fd = ::openat(read.folder.get(), read.name.constData(),
                                O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        *error = errno;
        char target[PATH_MAX];
        const ssize_t size = fd < 0 && *error == ELOOP && links < 40
            ? ::readlinkat(read.folder.get(), read.name.constData(), target, sizeof target)
            : 0;
        if (size <= 0)
            return fd;
        const QByteArray link(target, size);
        read.path = link.startsWith('/') ? link : beside(read.path, link);
        std::tie(folder, name) = split(link);
    }
}

// The POSIX ACL and the user's own extended attributes, as sed -i keeps
// them; the call that failed, or nothing.
const char *copyAttributes(int from, int to)
{
    std::vector<char> names(1024);
    ssize_t size;
    while ((size = ::flistxattr(from, names.data(), names.size())) < 0 && errno == ERANGE)
        names.resize(names.size() * 4);
    if (size < 0)
        return errno == ENOTSUP ? nullptr : "flistxattr";
    std::vector<char> value(1024);
    for (const char *name = names.data(); name < names.data() + size; name += std::strlen(name) + 1) {
        if (std::strcmp(name, "system.posix_acl_access") != 0 && std::strncmp(name, "user.", 5) != 0)
            continue;
        ssize_t length;
        while ((length = ::fgetxattr(from, name, value.data(), value.size())) < 0 && errno == ERANGE)
            value.resize(value.size() * 4);
        if (length < 0 && errno != ENODATA)
            return "fgetxattr";
        if (length >= 0 && ::fsetxattr(to, name, value.data(), std::size_t(length), 0) != 0)
            return "fsetxattr";
    }
    return nullptr;
}

// The new file takes the old one's owner and group, where the rights allow
// it (only root gives a file away), then its mode, ACL and attributes; the
// call that failed, or nothing.
const char *takeOver(const Descriptor &old, int fd)
{
    struct stat st = {};
    if (::fstat(old.get(), &st) != 0)
        return "fstat";
    if (::fchown(fd, st.st_uid, st.st_gid) != 0 && errno != EPERM)
        return "fchown";
    if (::fchmod(fd, st.st_mode & 07777) != 0)
        return "fchmod";
    return copyAttributes(old.get(), fd);
}

// Writes the bytes to the new file and closes it, on the disk before it takes
// a name; the call that failed, or nothing, with errno.
const char *finish(Descriptor &file, const QByteArray &bytes)
{
    const char *call = !writeAll(file.get(), bytes) ? "write" : ::fsync(file.get()) != 0 ? "fsync" : nullptr;
    const int error = errno;
    const int closed = ::close(file.release());
    if (!call && closed != 0)
        return "close";
    errno = error;
    return call;
}

} // namespace

void Descriptor::reset(int fd)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString callFailed(const char *call, int error)
{
    return QLatin1String(call) + QLatin1String(": ") + systemReason(error);
}

QString nonRegularKind(const QByteArray &path)
{
    struct stat st = {};
    QString kind;
    if (::stat(path.constData(), &st) == 0)
        isRegular(st, &kind);
    return kind;
}

QString FileLock::take(const QByteArray &path)
{
    release();
    const auto [folderName, name] = split(path);
    Descriptor folder(::open(folderName.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        return callFailed("open", errno);
    const int signalsBefore = terminationSignals();
    QElapsedTimer waited;
    waited.start();
    Descriptor file;
    bool made = false;
    for (;;) {
        QString why;
        if (!file.valid() && !(file = openLockFile(folder, name, &made, &why)).valid() && !why.isEmpty())
            return why;
        if (file.valid() && ::flock(file.get(), LOCK_EX | LOCK_NB) == 0) {
            // Taken, unless the name was removed or made anew since the open:
            // the lock of a file no longer named keeps no one out.
            const bool named = stillNamed(folder, file, name);
            if (named && made)
                break;
            // A file this process did not make is never written: its name
            // goes while it is held, and a file of our own takes its place.
            if (named && ::unlinkat(folder.get(), name.constData(), 0) != 0)
                return callFailed("unlink", errno);
            file.reset();
            continue;
        }
        const int error = file.valid() ? errno : EWOULDBLOCK; // none: gone since it was seen
        if (error != EWOULDBLOCK && error != EINTR)
            return callFailed("flock", error);
        if (terminationSignals() != signalsBefore)
            return QCoreApplication::translate("platform::SafeFiles",
                                               "the wait for it was ended by a termination signal (%1)")
                .arg(systemReason(EINTR));
        if (waited.elapsed() >= lockWait.count())
            return heldBy(file, EWOULDBLOCK);
        // The same descriptor again: its flock comes free when the holder ends.
        std::this_thread::sleep_for(lockPoll);
    }
    folder_ = std::move(folder);
    file_ = std::move(file);
    name_ = name;
    // The holder is written only into a file with no other name.
    struct stat st = {};
    const QByteArray holder = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
        + QCoreApplication::applicationName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
    if (::fstat(file_.get(), &st) == 0 && st.st_nlink == 1 && !writeAll(file_.get(), holder)) {
        const int error = errno;
        release();
        return callFailed("write", error);
    }
    return {};
}

void FileLock::release()
{
    if (!file_.valid())
        return;
    // Removed while still held, so that no one takes the file on its way
    // out; and only when it is ours.
    if (stillNamed(folder_, file_, name_))
        ::unlinkat(folder_.get(), name_.constData(), 0);
    file_.reset();
    folder_.reset();
}

QByteArray FileRead::beside(const QByteArray &other) const { return platform::beside(path, other); }

FileRead readRegular(const QByteArray &path)
{
    FileRead read;
    read.path = path;
    int error = 0;
    const int fd = openThroughLinks(read, &error);
    if (!read.folder.valid())
        return read;
    read.file.reset(fd);
    struct stat st = {};
    // A socket cannot be opened at all.
    const int looked = fd >= 0 ? ::fstat(fd, &st)
        : error == ENXIO       ? ::fstatat(read.folder.get(), read.name.constData(), &st, AT_SYMLINK_NOFOLLOW)
                               : (errno = error, -1);
    if (looked != 0 && errno == ENOENT)
        return read;
    if (looked != 0) {
        read.ok = false;
        read.why = callFailed(fd >= 0 ? "fstat" : "open", errno);
        return read;
    }
    if (!isRegular(st, &read.kind))
        return read;
    read.exists = true;
    read.content.reserve(qsizetype(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            read.ok = false;
            read.why = callFailed("read", errno);
        }
        if (got <= 0)
            break;
        read.content.append(buffer, got);
    }
    return read;
}

QByteArray keepBroken(const FileRead &read, QString *why)
{
    const QByteArray first = read.name + ".broken";
    struct stat st = {};
    const mode_t mode = ::fstat(read.file.get(), &st) == 0 ? st.st_mode & 07777 : 0600;
    for (int n = 0; n < 1000; ++n) {
        const QByteArray name = n == 0 ? first : first + '.' + QByteArray::number(n);
        if (::linkat(read.folder.get(), read.name.constData(), read.folder.get(), name.constData(), 0) == 0)
            return name;
        if (errno == EEXIST)
            continue;
        // A file system without second names: a copy.
        Descriptor copy(::openat(read.folder.get(), name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (!copy.valid() && errno == EEXIST)
            continue;
        const char *call = !copy.valid() ? "open" : finish(copy, read.content);
        if (!call)
            return name;
        const int error = errno;
        if (std::strcmp(call, "open") != 0)
            ::unlinkat(read.folder.get(), name.constData(), 0);
        *why = QCoreApplication::translate("platform::SafeFiles", "the unreadable file cannot be kept as %1 (%2)")
                   .arg(shown(beside(read.path, name)), callFailed(call, error));
        return {};
    }
    *why = QCoreApplication::translate("platform::SafeFiles",
                                       "the unreadable file cannot be kept: %1 to %2 all exist (%3)")
               .arg(shown(beside(read.path, first)), shown(beside(read.path, first + ".999")), systemReason(EEXIST));
    return {};
}

QString replaceAtomically(const FileRead &old, const QByteArray &bytes)
{
    QByteArray temporary;
    Descriptor file;
    errno = ENOENT; // no folder to make it in
    for (int attempt = 0; attempt < 100 && old.folder.valid() && !file.valid(); ++attempt) {
        temporary = old.name + ".new-" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        file.reset(::openat(old.folder.get(), temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!file.valid() && errno != EEXIST)
            break;
    }
    if (temporary.isEmpty())
        temporary = old.name + ".new";
    if (!file.valid()) {
        const QString failed = callFailed("open", errno);
        return QCoreApplication::translate("platform::SafeFiles", "the new file %1 cannot be made (%2)")
            .arg(shown(beside(old.path, temporary)), failed);
    }
    // A user may have made the file private, or shared it through an ACL. A
    // new file is made with the rights it is written with. On the disk
    // before it takes the name: a power cut then leaves the old file or the
    // whole new one.
    const char *call = old.exists ? takeOver(old.file, file.get()) : nullptr;
    if (call)
        file.reset();
    call = call ? call : finish(file, bytes);
    if (call) {
        const int error = errno;
        ::unlinkat(old.folder.get(), temporary.constData(), 0);
        return QCoreApplication::translate("platform::SafeFiles", "the new file %1 cannot be written (%2)")
            .arg(shown(beside(old.path, temporary)), callFailed(call, error));
    }
    if (::renameat(old.folder.get(), temporary.constData(), old.folder.get(), old.name.constData()) != 0) {
        const int error = errno;
        ::unlinkat(old.folder.get(), temporary.constData(), 0);
        return QCoreApplication::translate("platform::SafeFiles", "the new file %1 cannot replace it (%2)")
            .arg(shown(beside(old.path, temporary)), callFailed("rename", error));
    }
    // The rename itself reaches the disk with the folder.
    const Descriptor folder(::openat(old.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid())
        ::fsync(folder.get());
    return {};
}

QString makeFolder(const QByteArray &path)
{
    // The missing levels, from the first that exists down, each made by
    // itself so that a failure names its folder and its reason.
    std::vector<QByteArray> missing;
    for (QByteArray at = split(path).first;; at = split(at).first) {
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
        if (::mkdir(folder->constData(), 0777) != 0 && errno != EEXIST) {
            const QString failed = callFailed("mkdir", errno);
            return QCoreApplication::translate("platform::SafeFiles", "the folder %1 cannot be created (%2)")
                .arg(shown(*folder), failed);
        }
    }
    return {};
}

} // namespace platform
