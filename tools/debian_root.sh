#!/usr/bin/env bash
# Runs a command in a Debian root of its own, for the suite and benchmarks on
# another Debian release than the host's:
#
#   tools/debian_root.sh SUITE COMMAND...     (as root; SUITE: trixie, forky, ...)
#
# The root is made once with debootstrap, into $ROOTS_DIR/SUITE (build-debian/
# of the source tree by default), from the Debian archive that the host's apt
# sources name (or $DEBIAN_MIRROR); no archive host is written here. The
# source tree is seen at /src inside, with the host's SOURCE_DATE_EPOCH (the
# date of the commit, which git inside may not be able to read). The command runs in a mount and PID
# namespace of its own: the root is bound onto itself (so that the tests' own
# `unshare -m` works there), with a fresh /proc and /dev/shm and the host's
# /dev, /dev/pts and /sys bound. Nothing stays mounted when it ends, every
# process it left ends with it, and the host's processes (an Orca, an Xvfb)
# are not visible inside.
set -euo pipefail

suite=${1:?usage: $0 SUITE COMMAND...}
shift
[ $# -gt 0 ] || { echo "usage: $0 SUITE COMMAND..." >&2; exit 2; }
[ "$(id -u)" = 0 ] || { echo "$0: making and entering a root needs root" >&2; exit 1; }

src=$(cd "$(dirname "$0")/.." && pwd)
roots=${ROOTS_DIR:-$src/build-debian}
root=$roots/$suite

# The Debian archive the host installs from: the URI of a package list whose
# origin and label are both Debian (not its security archive).
mirror() {
    if [ -n "${DEBIAN_MIRROR:-}" ]; then
        echo "$DEBIAN_MIRROR"
        return
    fi
    apt-cache policy 2>/dev/null | awk '
        /^ *[0-9]+ [a-z]+:\/\// { uri = $2; next }
        /^ *release / && uri != "" { if ($0 ~ /o=Debian,/ && $0 ~ /l=Debian,/) { print uri; exit } uri = "" }'
}

make_root() {
    local archive partial=$root.partial script
    archive=$(mirror)
    [ -n "$archive" ] || { echo "$0: the host's apt sources name no Debian archive; set DEBIAN_MIRROR" >&2; exit 1; }
    # An older debootstrap knows the newest suites by sid's script.
    script=/usr/share/debootstrap/scripts/$suite
    [ -e "$script" ] || script=/usr/share/debootstrap/scripts/sid
    rm -rf "$partial"
    mkdir -p "$roots"
    echo "making a Debian $suite root from $archive ..." >&2
    if ! debootstrap --variant=minbase --include=make,ca-certificates "$suite" "$partial" "$archive" "$script" \
        >"$roots/$suite.debootstrap.log" 2>&1; then
        tail -n 20 "$roots/$suite.debootstrap.log" >&2
        echo "$0: debootstrap of $suite from $archive failed (log: $roots/$suite.debootstrap.log)" >&2
        exit 1
    fi
    # Testing's Release file may be past its Valid-Until date; packages that
    # are installed start no services.
    echo 'Acquire::Check-Valid-Until "false";' >"$partial/etc/apt/apt.conf.d/99glyphery"
    printf '#!/bin/sh\nexit 101\n' >"$partial/usr/sbin/policy-rc.d"
    chmod 755 "$partial/usr/sbin/policy-rc.d"
    mv "$partial" "$root"
}

[ -d "$root" ] || make_root
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
mkdir -p "$root/src"

# Inside the namespaces: the mounts, then the command in the root. The
# command is not exec'd: this shell stays the namespace's first process and
# reaps what the tests leave behind.
exec unshare --mount --pid --fork --kill-child --propagation private bash -c '
    set -e
    root=$1 src=$2
    shift 2
    mount --bind "$root" "$root"
    mount -t proc proc "$root/proc"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
    mount --bind /sys "$root/sys"
    mount --bind "$src" "$root/src"
    chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-}" \
        DEBIAN_FRONTEND=noninteractive "$@"
' debian-root "$root" "$src" "$@"
