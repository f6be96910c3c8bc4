#!/bin/sh
# Runs a test binary as an unprivileged user. As root the binary is copied to
# a folder that user can reach, since the build tree may sit under /root.
set -eu
binary=$1
shift
if [ "$(id -u)" != 0 ]; then
    exec "$binary" "$@"
fi
command -v runuser >/dev/null || { echo "runuser is missing"; exit 77; }
place=$(mktemp -d)
trap 'rm -rf "$place"' EXIT
chmod 755 "$place"
cp "$binary" "$place/"
runuser -u nobody -- "$place/$(basename "$binary")" "$@"
