#pragma once

// Reading and replacing a file without blocking on what is not a regular
// file, without replacing it, and with the system's reason for every
// failure; and the lock that QSettings takes beside a file.

#include <QByteArray>
#include <QString>

#include <sys/types.h>

class QLockFile;

namespace platform {

// Writes all of the bytes to the descriptor, again after a signal; false
// with errno set when the write fails.
bool writeAll(int fd, const QByteArray &bytes);

// The system's text for an errno value, as strerror gives it.
QString systemReason(int error);

// What a path leads to when that is something other than a
// regular file (links followed), or nothing. Such a thing is never opened:
// a FIFO would block the open, and a device would be read, or replaced.
QString nonRegularKind(const QString &path);

// The file a path finally names, through any symbolic links, even when the
// last link leads nowhere yet: that file is the one rewritten.
QString finalTarget(const QString &path);

// Takes <file>.lock as QSettings would, so other instances of the program
// keep out while it is held. Qt 6.4's QSettings waits for it without end,
// deaf to signals, outside the event loop; this waits at most about 5 s and
// gives up on a termination signal. Returns why when it could not be taken.
QString takeLock(QLockFile &lock, const QString &path);

// The whole content of a regular file, read without blocking on anything
// else. Sets *kind when the path is no regular file, *exists when it is one.
bool readRegular(const QString &path, QByteArray *content, QString *kind, bool *exists, mode_t *mode, int *error);

// Keeps the file as <file>.broken, or .broken.1 and on when that is taken, as
// a second name of the same file where the file system allows it: the kept
// file then needs no space, and the original stays until it is replaced.
// Returns the name, or nothing with *why set.
QString keepBroken(const QString &target, const QByteArray &content, mode_t mode, QString *why);

// Replaces the file with the bytes in one rename, as QSaveFile would, but
// with the system's reason for whatever fails. Returns that reason.
QString replaceAtomically(const QString &target, const QByteArray &bytes, bool existed, mode_t mode);

// The folder of the file, made when missing; why not, when that fails.
QString makeFolder(const QString &path);

} // namespace platform
