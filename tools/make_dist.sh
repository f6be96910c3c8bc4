#!/usr/bin/env bash
# Writes the source release of the commit HEAD, glyphery-VERSION.tar.xz,
# into OUT_DIR (the current folder by default) and prints its path:
#
#   tools/make_dist.sh [OUT_DIR]          (make dist)
#
# The same commit gives the same bytes: git archive lists the commit's files
# in its order, with the commit's time and modes 0644 and 0755 (tar.umask
# 0022, whatever the user's git configuration says), and writes the commit's
# time into cmake/source-date-epoch (export-subst in .gitattributes); xz
# compresses on one thread. Changes that are not committed are not in it.
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "${1:-.}" && pwd)
version=$(sed -n 's/^project(Glyphery VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
[ -n "$version" ] || { echo "$0: no version in $src/CMakeLists.txt" >&2; exit 1; }
name=glyphery-$version

git -C "$src" diff --quiet HEAD -- || echo "$0: changes that are not committed are not in $name.tar.xz" >&2
git -C "$src" -c tar.umask=0022 archive --format=tar --prefix="$name/" HEAD | xz -6 -T1 -c >"$out/$name.tar.xz.part"
mv "$out/$name.tar.xz.part" "$out/$name.tar.xz"
echo "$out/$name.tar.xz"
