#pragma once

// Run as root with a path into a folder that another user owns (sudo -E, or
// a root shell that kept a user's HOME or XDG_CONFIG_HOME), the program acts
// there with that user's rights, as sshd reads a user's files: every read,
// folder, lock and replacement is made by a thread whose file-system ids and
// groups are the user's. The kernel then decides what may be touched, and a
// link or a swap that the user plants reaches only what they could reach
// themselves. Root's own folders, and a user's own runs, are untouched.

#include <QByteArray>
#include <QString>

#include <future>
#include <optional>
#include <vector>

#include <sys/types.h>

namespace platform {

// A user's entry in the password database: found, or error when it cannot
// be read.
struct UserEntry
{
    bool found = false;
    int error = 0;
    QByteArray name;
    QByteArray home;
    gid_t gid = 0;
};
UserEntry userEntry(uid_t uid);

// A user whose rights a file operation takes.
struct Account
{
    uid_t uid = 0;
    gid_t gid = 0; // the user's own group, which what they make gets
    std::vector<gid_t> groups; // every group the user is in
    QByteArray name; // from the password database, else the number
    QByteArray folder; // the first place on the path that is theirs
};

// Run as root: the owner of the first folder or link on the way to the path
// that root does not own, links that root owns followed (a relative one
// against its own folder). Nothing when not root or when root owns the way.
std::optional<Account> foreignOwner(const QByteArray &path);

// Gives the calling thread, and only it, the account's file-system rights;
// why not, when that fails.
QString takeRights(const Account &account);

// Runs `work` with the account's rights, on a thread that does nothing else,
// and waits for it; without an account, right here. `work` is told why the
// rights could not be taken, or nothing.
template <typename Work>
auto withRightsOf(const std::optional<Account> &account, Work work)
{
    if (!account)
        return work(QString());
    return std::async(std::launch::async, [&] { return work(takeRights(*account)); }).get();
}

} // namespace platform
