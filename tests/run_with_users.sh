#!/bin/sh
# Runs a test binary as root beside three users of its own, glyphery-ann
# (also in the group glyphery-share), glyphery-bob and glyphery-carol. They
# exist only in a mount namespace of the run, over copies of /etc/passwd and
# /etc/group: the system's own user database is never written.
set -eu
[ "$(id -u)" = 0 ] || { echo "needs root to act for other users"; exit 77; }
command -v unshare >/dev/null || { echo "unshare is missing"; exit 77; }
exec unshare --mount --propagation private sh -eu -c '
    db=$(mktemp -d)
    trap "umount /etc/passwd /etc/group 2>/dev/null || true; rm -rf \"\$db\"" EXIT
    cp /etc/passwd /etc/group "$db/"
    for id in 64101 64102 64103 64104; do
        ! cut -d: -f3 "$db/passwd" "$db/group" | grep -qx "$id" || { echo "id $id is taken"; exit 77; }
    done
    cat >>"$db/passwd" <<USERS
glyphery-ann:x:64101:64101::/nonexistent:/usr/sbin/nologin
glyphery-bob:x:64102:64102::/nonexistent:/usr/sbin/nologin
glyphery-carol:x:64103:64103::/nonexistent:/usr/sbin/nologin
USERS
    cat >>"$db/group" <<GROUPS
glyphery-ann:x:64101:
glyphery-bob:x:64102:
glyphery-carol:x:64103:
glyphery-share:x:64104:glyphery-ann
GROUPS
    mount --bind "$db/passwd" /etc/passwd
    mount --bind "$db/group" /etc/group
    "$@"
' sh "$@"
