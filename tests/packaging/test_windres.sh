#!/usr/bin/env bash
# Compiles the Windows resources with MinGW's windres, as a Windows build
# would, and reads the result back to check the icon and the version block.
#
# Environment: SOURCE_DIR, BUILD_DIR (the version header it includes).

. "$(dirname "$0")/lib.sh"

need SOURCE_DIR BUILD_DIR
WINDRES=x86_64-w64-mingw32-windres
if ! command -v "$WINDRES" >/dev/null; then
    echo "SKIP: $WINDRES is missing (Debian package binutils-mingw-w64-x86-64)"
    exit 77
fi
# windres preprocesses with MinGW's gcc; without that compiler the host's
# cpp does as well, since the file includes no Windows headers.
preprocess=()
if ! command -v x86_64-w64-mingw32-gcc >/dev/null; then
    need_tool cpp cpp
    preprocess=(--preprocessor=cpp --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED)
fi

# From a folder of its own, as in a build tree: the icon is found beside the
# .rc file, not through the working directory.
cd "$WORK" || exit 1
if "$WINDRES" "${preprocess[@]}" --include-dir="$BUILD_DIR/generated" "$SOURCE_DIR/resources/glyphery.rc" \
    -O coff -o glyphery.res 2>windres.log; then
    ok "$WINDRES resources/glyphery.rc -O coff"
else
    fail "$WINDRES failed:"
    sed 's/^/    /' windres.log >&2
    finish
fi
"$WINDRES" -J coff -i glyphery.res -O rc -o back.rc 2>>windres.log || { fail "cannot read glyphery.res back"; finish; }

# Icon group: 32x32 then 16x16, 8 bits, with the sizes of the ICO's images;
# the version of project(), 1.00 as 1, 0.
major=${VERSION%%.*}
minor=${VERSION#*.}
minor=$((10#${minor%%.*}))
expect=(
    '1 14 /* RT_GROUP_ICON */'
    '"\040\040\000\000", 1, 8, 0x8a8L, 1,'
    '"\020\020\000\000", 1, 8, 0x568L, 2'
    '1 VERSIONINFO'
    "FILEVERSION $major, $minor, 0, 0"
    "PRODUCTVERSION $major, $minor, 0, 0"
    'BLOCK "040704B0"'
    "VALUE \"FileVersion\", \"$VERSION\""
    "VALUE \"ProductVersion\", \"$VERSION\""
    'VALUE "ProductName", "Glyphery"'
    'VALUE "InternalName", "Glyphery"'
    'VALUE "OriginalFilename", "glyphery.exe"'
    'VALUE "CompanyName", "'
    'VALUE "FileDescription", "'
    'VALUE "Translation", 0x407, 1200'
)
for text in "${expect[@]}"; do
    if grep -qF -- "$text" back.rc; then ok "resources have $text"; else fail "resources lack $text"; fi
done
if [ "$(grep -c 'RT_ICON \*/' back.rc)" = 2 ]; then ok "two icon images"; else fail "expected 2 RT_ICON images"; fi

finish
