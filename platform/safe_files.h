#pragma once

// Reading and replacing a file without blocking on what is not a regular
// file, without replacing it, and with the system's reason for every
// failure; and the lock that keeps other instances out while one writes.
// A file is found through its links once, each relative link against its
// own folder, and is then held by descriptors, its folder's and its own: what
// is replaced is the file that was read, in the folder it was read from,
// whatever is renamed on the way in between.

#include <QByteArray>
#include <QString>

#include <utility>

#include <sys/types.h>

namespace platform {

// Writes all of the bytes to the descriptor, again after a signal; false
// with errno set when the write fails.
bool writeAll(int fd, const QByteArray &bytes);

// The system's text for an errno value, as strerror gives it.
QString systemReason(int error);

// "call: reason", for a message that names the call that failed.
QString callFailed(const char *call, int error);

// What the path leads to (links followed) when that is something other than
// a regular file; empty for a regular file or nothing.
QString nonRegularKind(const QByteArray &path);

// A file descriptor, closed with its owner.
class Descriptor
{
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor &operator=(Descriptor &&other) noexcept
    {
        reset(std::exchange(other.fd_, -1));
        return *this;
    }
    ~Descriptor() { reset(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset(int fd = -1);
    // Hands the descriptor over, no longer closed here.
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_ = -1;
};

// An exclusive lock on a lock file, as QLockFile takes one (an flock on the
// file, which holds the holder's process id): instances that take it keep
// out of each other, and the system drops it when its holder ends, however
// that happens.
class FileLock
{
public:
    FileLock() = default;
    ~FileLock() { release(); }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Takes the lock file `path`. Waits about 5 s while another process holds
    // it; gives up at once on a termination signal, or when anything but a
    // regular file stands at the name. Only a file that this process made
    // is ever written: one found there (left by a holder that ended, or a
    // second name of another file) is taken from its name, never written.
    // Returns why it could not be taken.
    QString take(const QByteArray &path);

    // Removes the name while the lock is still held, then lets go.
    void release();

private:
    Descriptor folder_, file_;
    QByteArray name_;
};

// A path read whole, opened without blocking and never read when it is not
// a regular file.
struct FileRead
{
    bool ok = true; // false when it cannot be read; why says why
    bool exists = false; // a regular file is there
    QString kind; // what is there instead of a regular file
    QByteArray content;
    QString why;
    QByteArray path; // where it was found, through the links: for messages
    Descriptor folder; // the folder it is in, or is to be made in
    QByteArray name; // its name in that folder
    Descriptor file; // the file that was read, and is to be replaced

    // Another name in the same folder, as a path for messages.
    QByteArray beside(const QByteArray &other) const;
};
FileRead readRegular(const QByteArray &path);

// Keeps the file that was read as <name>.broken, or .broken.1 and on when
// that is taken, as a second name of the same file where the file system
// allows it: the kept file then needs no space, and the original stays until
// it is replaced. Returns the name in the file's folder, or nothing with
// *why set.
QByteArray keepBroken(const FileRead &read, QString *why);

// Replaces the file that was read with the bytes, in one rename of a new file
// beside it, which reaches the disk first and keeps the old file's owner and
// group (where the rights allow), mode, ACL and user attributes. Returns why
// when it fails.
QString replaceAtomically(const FileRead &old, const QByteArray &bytes);

// The folder of the file, made one level at a time where missing; why not,
// when that fails. Paths are bytes, as the system takes them: a folder
// named in Latin-1 is that folder, not a look-alike in UTF-8.
QString makeFolder(const QByteArray &path);

} // namespace platform
