#!/usr/bin/env bash
# Builds the Debian package (cmake/make_deb.sh) into a private folder and
# checks it with lintian, hardening-check, dpkg-deb and apt's resolver.
#
# Environment: BUILD_DIR (configured and built), SOURCE_DIR.

. "$(dirname "$0")/lib.sh"
HERE=$(cd "$(dirname "$0")" && pwd)

need BUILD_DIR SOURCE_DIR GLYPHERY
need_tool cmake cmake
need_tool dpkg-deb dpkg
need_tool dpkg-shlibdeps dpkg-dev
need_tool file file
need_tool lintian lintian
need_tool hardening-check devscripts
need_tool apt-get apt

ARCH=$(dpkg --print-architecture)
OUT=$WORK/out
if sh "$SOURCE_DIR/cmake/make_deb.sh" "$BUILD_DIR" "$OUT" >"$WORK/make_deb.log" 2>&1; then
    ok "cmake/make_deb.sh"
else
    fail "cmake/make_deb.sh failed:"
    sed 's/^/    /' "$WORK/make_deb.log" >&2
    finish
fi

debs=("$OUT"/*.deb)
check_eq "package file" "glyphery_${VERSION}_$ARCH.deb" "$(cd "$OUT" && ls -- *.deb 2>&1 | tr '\n' ' ' | sed 's/ $//')"
DEB=${debs[0]}
[ -f "$DEB" ] || finish

# --- control fields
field() { dpkg-deb -f "$DEB" "$1" 2>&1; }
check_eq "Package" "glyphery" "$(field Package)"
check_eq "Version" "$VERSION" "$(field Version)"
check_eq "Architecture" "$ARCH" "$(field Architecture)"
check_eq "Section" "utils" "$(field Section)"
check_eq "Priority" "optional" "$(field Priority)"
# Each on its own, not alternatives: apt installs all of them.
check_eq "Recommends" "xclip, wl-clipboard, qt6-wayland, qt6-translations-l10n" "$(field Recommends)"
[ -n "$(field Maintainer)" ] && ok "Maintainer is '$(field Maintainer)'" || fail "no Maintainer"
[ -n "$(field Description | head -1)" ] && ok "Description: $(field Description | head -1)" || fail "no Description"
depends=$(field Depends)
# The package that ships a library the program links, by the name this
# release gives it (libqt6core6 on Debian 12, libqt6core6t64 on 13).
package_of() {
    local path
    path=$(ldd "$GLYPHERY" | awk -v lib="$1" '$1 == lib { print $3 }')
    [ -n "$path" ] && { dpkg -S "$path" 2>/dev/null || dpkg -S "$(readlink -f "$path")"; } | sed -n '1s/:.*//p'
}
# Found by dpkg-shlibdeps from the binary, not written by hand.
for lib in qt6-qpa-plugins $(for so in libc.so.6 libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6; do
                                 package_of "$so" || echo "no-package-for-$so"; done); do
    case ", $depends," in *", $lib "*|*", $lib,"*) ok "Depends has $lib" ;; *) fail "Depends lacks $lib: $depends" ;; esac
done

# --- contents
dpkg-deb -c "$DEB" >"$WORK/contents" || fail "dpkg-deb -c"
awk '{print $6}' "$WORK/contents" | grep -v '/$' | sed 's|^\./usr/||' >"$WORK/files"
check_same_lines "files in the package" "$HERE/installed_files.txt" "$WORK/files"
if awk '$2 != "root/root" {bad=1} END {exit bad}' "$WORK/contents"; then ok "everything is owned by root/root"; else
    fail "entries not owned by root/root:"; awk '$2 != "root/root"' "$WORK/contents" | sed 's/^/    /' >&2; fi
# The archive's root folder, ./, stands first, as in every package dpkg-deb makes.
if awk '$6 != "./" && $6 !~ /^\.\/usr\// {bad=1} END {exit bad}' "$WORK/contents"; then ok "everything is under /usr"; else
    fail "entries outside /usr:"; awk '$6 != "./" && $6 !~ /^\.\/usr\//' "$WORK/contents" | sed 's/^/    /' >&2; fi
dpkg-deb -x "$DEB" "$WORK/x" || fail "dpkg-deb -x"
kind=$(file -b "$WORK/x/usr/bin/glyphery")
case "$kind" in
    *ELF*", stripped"*) ok "usr/bin/glyphery is a stripped ELF program" ;;
    *) fail "usr/bin/glyphery is not a stripped ELF program: $kind" ;;
esac

# --- hardening: every protection the distribution's flags give, none missing.
# Stack-clash protection reads "unknown" where no function has a frame large
# enough to need a probe; that is no "no". Control-flow protection is x86's
# CET ("Control flow integrity") or ARM's BTI and PAC ("Branch Protection",
# which newer hardening-check reports on every architecture): the one of the
# other architecture is not asked for. The sanitizer build has its own flags
# instead (GLYPHERY_HARDENING=OFF).
case $ARCH in
    arm64) control_flow="Branch Protection" other_control_flow="Control flow integrity" ;;
    *) control_flow="Control flow integrity" other_control_flow="Branch Protection" ;;
esac
if grep -qx 'GLYPHERY_HARDENING:BOOL=OFF' "$BUILD_DIR/CMakeCache.txt"; then
    echo "skip: hardening-check: this build is made without the hardening flags"
else
    hardening=$(hardening-check "$WORK/x/usr/bin/glyphery" 2>&1 | grep -vF " $other_control_flow:")
    for protection in "Position Independent Executable" "Stack protected" "Fortify Source functions" \
                      "Read-only relocations" "Immediate binding" "$control_flow"; do
        line=$(printf '%s\n' "$hardening" | grep -F " $protection:")
        case "$line" in
            *": yes"*) ok "hardening-check: $protection: yes" ;;
            *) fail "hardening-check: $protection: ${line#*: }" ;;
        esac
    done
    if printf '%s\n' "$hardening" | grep -q ': no'; then
        fail "hardening-check reports a missing protection:"
        printf '%s\n' "$hardening" | sed 's/^/    /' >&2
    fi
fi

# --- lintian: no errors, no warnings
# Its own TMPDIR: lintian leaves a cache file behind in it on every run.
mkdir -p "$WORK/lintian-tmp"
TMPDIR=$WORK/lintian-tmp lintian --fail-on error,warning "$DEB" >"$WORK/lintian.log" 2>&1
status=$?
out=$(grep -v '^running with root privileges is not recommended!$' "$WORK/lintian.log")
if [ "$status" -eq 0 ] && ! printf '%s\n' "$out" | grep -qE '^[EW]: '; then
    ok "lintian: no errors, no warnings"
    [ -z "$out" ] || printf '%s\n' "$out" | sed 's/^/    /'
else
    fail "lintian: exit status $status:"
    printf '%s\n' "$out" | sed 's/^/    /' >&2
fi

# --- apt can install it here: every dependency resolves (simulated only)
out=$(apt-get -s -o Debug::NoLocking=1 install "$DEB" 2>&1)
status=$?
if [ "$status" -eq 0 ] && printf '%s\n' "$out" | grep -qE "^Inst glyphery |glyphery is already the newest version"; then
    ok "apt-get -s install ./$(basename "$DEB") resolves"
else
    fail "apt-get -s install: exit status $status:"
    printf '%s\n' "$out" | sed 's/^/    /' >&2
fi

finish
