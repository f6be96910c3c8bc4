#pragma once

// Reading and replacing a file without blocking on what is not a regular
// file, without replacing it, and with the system's reason for every
// failure; and the lock that keeps other instances out while one writes.

#include <QByteArray>
#include <QString>

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

// The file a path finally names, through any symbolic links, even when the
// last link leads nowhere yet: that file is the one rewritten.
QByteArray finalTarget(const QByteArray &path);

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

    // Takes the lock file `name`, made when missing. Waits about 5 s while
    // another process holds it; gives up at once on a termination signal, or
    // when anything but a regular file stands at the name. Returns why it
    // could not be taken.
    QString take(const QByteArray &name);

    // Removes the name while the lock is still held, then lets go.
    void release();

private:
    int fd_ = -1;
    QByteArray name_;
};

// A path read whole, opened without blocking and never read when it is not
// a regular file.
struct FileRead
{
    bool ok = true; // false when it cannot be read; why says why
    bool exists = false; // a regular file is there
    QString kind; // what is there instead of a regular file
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    QByteArray content;
    QString why;
};
FileRead readRegular(const QByteArray &path);

// Keeps the file as <file>.broken, or .broken.1 and on when that is taken, as
// a second name of the same file where the file system allows it: the kept
// file then needs no space, and the original stays until it is replaced.
// Returns the name, or nothing with *why set.
QByteArray keepBroken(const QByteArray &target, const QByteArray &content, mode_t mode, QString *why);

// Replaces the file `old` describes with the bytes, in one rename of a new
// file beside it, which reaches the disk first and keeps the old file's
// owner, group and mode. Returns why when it fails.
QString replaceAtomically(const QByteArray &target, const QByteArray &bytes, const FileRead &old);

// The folder of the file, made one level at a time where missing; why not,
// when that fails. Paths are bytes, as the system takes them: a folder
// named in Latin-1 is that folder, not a look-alike in UTF-8. Run as root,
// a folder or file made in another user's folder is given to that user.
QString makeFolder(const QByteArray &path);

} // namespace platform
