#include "platform/owner_rights.h"

#include "platform/safe_files.h"

#include <QByteArrayList>

#include <cerrno>
#include <climits>

#include <grp.h>
#include <pwd.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {

Account accountOf(uid_t uid, gid_t groupOfPlace, const QByteArray &place)
{
    const UserEntry user = userEntry(uid);
    if (!user.found) // a user the database does not know: the place's group
        return Account{uid, groupOfPlace, {groupOfPlace}, QByteArray::number(uid), place};
    Account account{uid, user.gid, {}, user.name, place};
    int count = 32;
    account.groups.resize(std::size_t(count));
    while (::getgrouplist(user.name.constData(), user.gid, account.groups.data(), &count) < 0)
        account.groups.resize(std::size_t(count) + 32);
    account.groups.resize(std::size_t(count));
    return account;
}

} // namespace

UserEntry userEntry(uid_t uid)
{
    struct passwd entry = {};
    struct passwd *found = nullptr;
    std::vector<char> buffer(16384);
    UserEntry user;
    while ((user.error = ::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found)) == ERANGE)
        buffer.resize(buffer.size() * 2);
    if (found)
        user = {true, 0, found->pw_name, found->pw_dir, found->pw_gid};
    return user;
}

std::optional<Account> foreignOwner(const QByteArray &path)
{
    if (::geteuid() != 0 || !path.startsWith('/'))
        return {};
    std::vector<QByteArray> ahead; // the parts still to walk, the next one last
    const auto push = [&ahead](const QByteArray &way) {
        const QByteArrayList parts = way.split('/');
        ahead.insert(ahead.end(), parts.rbegin(), parts.rend());
    };
    push(path);
    QByteArray walked; // root's alone so far; empty is "/"
    for (int links = 0; !ahead.empty();) {
        const QByteArray part = ahead.back();
        ahead.pop_back();
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            walked.truncate(std::max<qsizetype>(walked.lastIndexOf('/'), 0));
            continue;
        }
        const QByteArray next = walked + '/' + part;
        struct stat st = {};
        // What is missing from here on is made by root in root's own folder.
        if (::lstat(next.constData(), &st) != 0)
            return {};
        if (st.st_uid != 0)
            return accountOf(st.st_uid, st.st_gid, next);
        if (!S_ISLNK(st.st_mode)) {
            walked = next;
            continue;
        }
        char target[PATH_MAX];
        const ssize_t size = ::readlink(next.constData(), target, sizeof target);
        if (size <= 0 || ++links > 40)
            return {};
        if (target[0] == '/')
            walked.clear();
        push(QByteArray(target, size));
    }
    return {};
}

QString takeRights(const Account &account)
{
    // The C library's setgroups() gives every thread of the process the
    // groups (it signals each one); the system call changes this one alone,
    // as setfsuid() and setfsgid() do.
    if (::syscall(SYS_setgroups, account.groups.size(), account.groups.data()) != 0)
        return callFailed("setgroups", errno);
    ::setfsgid(account.gid);
    if (gid_t(::setfsgid(gid_t(-1))) != account.gid)
        return callFailed("setfsgid", EPERM);
    ::setfsuid(account.uid);
    if (uid_t(::setfsuid(uid_t(-1))) != account.uid)
        return callFailed("setfsuid", EPERM);
    return {};
}

} // namespace platform
