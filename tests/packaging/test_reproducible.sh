#!/usr/bin/env bash
# The package built a second time, as someone else would build it, must be
# the same file, byte for byte, as the package of this build: from the source
# release of the commit (tools/make_dist.sh), unpacked into another folder,
# configured and built with CMake alone, without a network where a network
# namespace can be had (as root), later, and under another umask, locale and
# time zone. When the two differ, diffoscope shows where. The source release
# itself is made twice, the second time under a git configuration that asks
# for other modes, and must give the same bytes.
#
# Where the working tree has changes that are not committed, or is no git
# checkout (a source release), the second build is made from a copy of its
# files instead.
#
# Environment: BUILD_DIR (configured and built the way the package's builds
# are: by make, which exports SOURCE_DATE_EPOCH), SOURCE_DIR.

. "$(dirname "$0")/lib.sh"

need BUILD_DIR SOURCE_DIR
need_tool cmake cmake
need_tool dpkg-deb dpkg
need_tool dpkg-shlibdeps dpkg-dev
need_tool xz xz-utils
need_tool diffoscope diffoscope-minimal

cache() { sed -n "s/^$1:[A-Z]*=//p" "$BUILD_DIR/CMakeCache.txt"; }
epoch=$(cat "$BUILD_DIR/source-date-epoch" 2>/dev/null)
if [ -z "$epoch" ]; then
    fail "the build has no SOURCE_DATE_EPOCH (neither the environment, a release stamp nor git gave one)"
    finish
fi
ok "SOURCE_DATE_EPOCH of the build: $epoch ($(date -u -d "@$epoch" '+%F %T UTC'))"

# --- the first package, from this build
if sh "$SOURCE_DIR/cmake/make_deb.sh" "$BUILD_DIR" "$WORK/a" >"$WORK/a.log" 2>&1; then
    ok "package of $BUILD_DIR"
else
    fail "cmake/make_deb.sh $BUILD_DIR failed:"
    sed 's/^/    /' "$WORK/a.log" >&2
    finish
fi

# --- the source release, twice
git_here() { [ -z "$(git -C "$SOURCE_DIR" rev-parse --show-cdup 2>&1)" ]; }
release=
if command -v git >/dev/null && git_here; then
    mkdir -p "$WORK/dist1" "$WORK/dist2"
    tarball=$("$SOURCE_DIR/tools/make_dist.sh" "$WORK/dist1" 2>"$WORK/dist.log") || fail "tools/make_dist.sh failed"
    (umask 077; export TZ=XXX-14 GIT_CONFIG_COUNT=1 GIT_CONFIG_KEY_0=tar.umask GIT_CONFIG_VALUE_0=0077
     "$SOURCE_DIR/tools/make_dist.sh" "$WORK/dist2") >/dev/null 2>>"$WORK/dist.log" || fail "tools/make_dist.sh failed"
    check_eq "source release" "glyphery-$VERSION.tar.xz" "$(basename "$tarball")"
    if cmp -s "$tarball" "$WORK/dist2/$(basename "$tarball")"; then
        ok "the source release made twice is the same, byte for byte"
    else
        fail "the source release differs when made twice:"
        diffoscope --text - "$tarball" "$WORK/dist2/$(basename "$tarball")" 2>&1 | head -n 60 | sed 's/^/    /' >&2
    fi
    # Every file of the commit, nothing else, and the commit's time as the stamp.
    tar -tJf "$tarball" | grep -v '/$' | sed "s|^glyphery-$VERSION/||" >"$WORK/released"
    git -C "$SOURCE_DIR" ls-tree -r --name-only HEAD >"$WORK/committed"
    check_same_lines "files in the source release" "$WORK/committed" "$WORK/released"
    check_eq "cmake/source-date-epoch in the source release" "$(git -C "$SOURCE_DIR" log -1 --format=%ct HEAD)" \
        "$(tar -xOJf "$tarball" "glyphery-$VERSION/cmake/source-date-epoch")"
    if git -C "$SOURCE_DIR" diff --quiet HEAD --; then
        release=$tarball
    else
        echo "note: the working tree has changes that are not committed: the second build is made from its files"
    fi
else
    echo "note: $SOURCE_DIR is no git checkout: the second build is made from a copy of its files"
fi

# --- the second build, in another folder. It lies where the first lies
# beside its sources (inside them, or next to a folder of the same name).
rel=$(realpath -m --relative-to="$SOURCE_DIR" "$BUILD_DIR")
case $rel in
    ..|../*) src=$WORK/b/$(basename "$SOURCE_DIR") ;;
    *) src=$WORK/b/glyphery-$VERSION ;;
esac
build=$(realpath -m "$src/$rel")
mkdir -p "$src"
if [ -n "$release" ]; then
    tar -xJf "$release" -C "$src" --strip-components=1
elif git_here 2>/dev/null && command -v git >/dev/null; then
    (cd "$SOURCE_DIR" && git ls-files -z | tar --null -T - -cf -) | tar -xf - -C "$src"
else
    (cd "$SOURCE_DIR" && tar --exclude="./$rel" --exclude='./build*' -cf - .) | tar -xf - -C "$src"
fi

# Another umask, locale and time zone than this one's.
[ "$(umask)" = 0077 ] && mask=0022 || mask=0077
locale=$(locale -a 2>/dev/null | grep -v -i -x -E 'C|POSIX|C\.utf-?8' | head -n 1)
locale=${locale:-C}
offline=()
if [ "$(id -u)" = 0 ] && unshare -n true 2>/dev/null; then
    offline=(unshare -n)
    ok "the second build runs without a network"
else
    echo "note: no network namespace (not root): the second build could reach the network"
fi
echo "first build: $BUILD_DIR, umask $(umask), LC_ALL=${LC_ALL:-}, TZ=${TZ:-}"
echo "second build: $build, umask $mask, LC_ALL=$locale, TZ=XXX-14, started $(date -u '+%F %T UTC')"
(
    umask "$mask"
    export TZ=XXX-14 LC_ALL=$locale LANG=$locale SOURCE_DATE_EPOCH=$epoch
    "${offline[@]}" cmake -S "$src" -B "$build" -G "$(cache CMAKE_GENERATOR)" -DBUILD_TESTING=OFF \
        -DCMAKE_BUILD_TYPE="$(cache CMAKE_BUILD_TYPE)" -DCMAKE_CXX_COMPILER="$(cache CMAKE_CXX_COMPILER)" \
        -DCMAKE_CXX_FLAGS="$(cache CMAKE_CXX_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(cache CMAKE_EXE_LINKER_FLAGS)" \
        -DGLYPHERY_WERROR="$(cache GLYPHERY_WERROR)" -DGLYPHERY_HARDENING="$(cache GLYPHERY_HARDENING)" \
        -DGLYPHERY_DPKG_BUILDFLAGS="$(cache GLYPHERY_DPKG_BUILDFLAGS)" &&
    "${offline[@]}" cmake --build "$build" -j 2 --target glyphery glyphery_docs &&
    "${offline[@]}" sh "$src/cmake/make_deb.sh" "$build" "$WORK/b-out"
) >"$WORK/b.log" 2>&1
status=$?
if [ "$status" -ne 0 ]; then
    fail "the second build failed (exit status $status):"
    tail -n 40 "$WORK/b.log" | sed 's/^/    /' >&2
    finish
fi
ok "second build with CMake alone and its package"

# --- the two packages
a=$(ls "$WORK"/a/*.deb)
b=$(ls "$WORK"/b-out/*.deb)
if cmp -s "$a" "$b"; then
    ok "the two packages are the same, byte for byte: $(basename "$a") $(sha256sum <"$a" | cut -c1-16)"
else
    fail "the two packages differ ($(basename "$a")):"
    timeout 600 diffoscope --text - "$a" "$b" 2>&1 | head -n 200 | sed 's/^/    /' >&2
    echo "    (a program built without SOURCE_DATE_EPOCH in the environment, not by make, carries its" \
         "resources' file times)" >&2
fi

finish
