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

// The file a path finally names, through any symbolic links, even when the
// last link leads nowhere yet: that file is the one rewritten.
QString finalTarget(const QString &path);

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
    QString take(const QString &name);

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
    QByteArray content;
    QString why;
};
FileRead readRegular(const QString &path);

// Keeps the file as <file>.broken, or .broken.1 and on when that is taken, as
// a second name of the same file where the file system allows it: the kept
// file then needs no space, and the original stays until it is replaced.
// Returns the name, or nothing with *why set.
QString keepBroken(const QString &target, const QByteArray &content, mode_t mode, QString *why);

// Replaces the file with the bytes in one rename of a new file beside it,
// which reaches the disk first. Returns why when it fails.
QString replaceAtomically(const QString &target, const QByteArray &bytes, bool existed, mode_t mode);

// The folder of the file, made one level at a time where missing; why not,
// when that fails.
QString makeFolder(const QString &path);

} // namespace platform
