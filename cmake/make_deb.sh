#!/bin/sh
# Makes the Debian package of a configured and built tree the way Debian's
# own tools do: the installed tree (cmake --install --strip, under /usr), the
# control file with the dependencies dpkg-shlibdeps finds, md5sums, and
# dpkg-deb.
#
#   cmake/make_deb.sh BUILD_DIR OUT_DIR      writes OUT_DIR/glyphery_VERSION_ARCH.deb
#
# The same tree gives the same package, bit for bit: the modes are set here
# (0755 folders and programs, 0644 the rest) whatever the umask; every time
# in it is SOURCE_DATE_EPOCH (from the environment, else the one the build
# was configured with); dpkg-deb writes the names sorted and owned by root;
# and nothing here depends on the locale or the time zone.
set -eu

[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR OUT_DIR" >&2; exit 2; }
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
umask 022
export LC_ALL=C
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(cat "$build/source-date-epoch")
fi

work=$(mktemp -d "$out/deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
root=$work/root
mkdir -p "$root/DEBIAN" "$work/shlibs/debian"

DESTDIR=$root "${CMAKE:-cmake}" --install "$build" --prefix /usr --strip >"$work/install.log" ||
    { cat "$work/install.log" >&2; exit 1; }
find "$root" -type d -exec chmod 0755 {} +
find "$root" -type f -perm /u+x -exec chmod 0755 {} +
find "$root" -type f ! -perm /u+x -exec chmod 0644 {} +

# Depends: what the programs link, as dpkg-shlibdeps names it, before the
# fields the template adds.
set --
for file in "$root"/usr/bin/*; do
    [ "$(head -c 4 "$file" | tail -c 3)" = ELF ] && set -- "$@" "-e$file"
done
printf 'Source: glyphery\n\nPackage: glyphery\nArchitecture: any\n' >"$work/shlibs/debian/control"
shlibs=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$@" | sed -n 's/^shlibs:Depends=//p')

arch=$(dpkg --print-architecture)
# Installed-Size as dpkg-gencontrol counts it: KiB per file, rounded up, and
# one for every folder and link.
size=$(cd "$root" && find usr \( -type f -printf 'f %s\n' \) -o \( ! -type f -printf 'o\n' \) |
    awk '{ n += ($1 == "f") ? int(($2 + 1023) / 1024) : 1 } END { print n }')
awk -v arch="$arch" -v size="$size" -v shlibs="$shlibs" '
    /^Architecture:/ { print "Architecture: " arch; next }
    /^Installed-Size:/ { print "Installed-Size: " size; next }
    /^Depends:/ { sub(/^Depends: */, ""); print "Depends: " shlibs ($0 == "" ? "" : ", " $0); next }
    { print }' "$build/deb/control.in" >"$root/DEBIAN/control"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

package=$(sed -n 's/^Package: //p' "$root/DEBIAN/control")
version=$(sed -n 's/^Version: //p' "$root/DEBIAN/control")
deb=$out/${package}_${version}_$arch.deb
if [ -n "$SOURCE_DATE_EPOCH" ]; then
    export SOURCE_DATE_EPOCH
    find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
fi
dpkg-deb --root-owner-group -Zxz -z6 --threads-max=1 --build "$root" "$deb" >/dev/null
echo "$deb"
