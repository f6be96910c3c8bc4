#!/usr/bin/env bash
# Installs the build into a private DESTDIR under /usr, as a distribution
# would, and checks every installed file with the tools desktops and Debian
# use on them.
#
# Environment: BUILD_DIR, SOURCE_DIR, GLYPHERY (the built program).

. "$(dirname "$0")/lib.sh"
HERE=$(cd "$(dirname "$0")" && pwd)

need BUILD_DIR SOURCE_DIR GLYPHERY
need_tool cmake cmake
need_tool desktop-file-validate desktop-file-utils
need_tool appstreamcli appstream
need_tool groff groff-base
need_tool lexgrog man-db
need_tool dpkg-parsechangelog dpkg-dev

export QT_QPA_PLATFORM=offscreen

DEST=$WORK/dest
if DESTDIR=$DEST cmake --install "$BUILD_DIR" --prefix /usr >"$WORK/install.log" 2>&1; then
    ok "cmake --install $BUILD_DIR --prefix /usr into DESTDIR $DEST"
else
    fail "cmake --install failed:"
    sed 's/^/    /' "$WORK/install.log" >&2
    finish
fi
ROOT=$DEST/usr

# --- the file list: nothing missing, nothing extra, nothing outside /usr
(cd "$ROOT" && find . \( -type f -o -type l \) | sed 's|^\./||') >"$WORK/files"
check_same_lines "installed files" "$HERE/installed_files.txt" "$WORK/files"
check_eq "top folders in DESTDIR" "usr" "$(cd "$DEST" && ls -A | tr '\n' ' ' | sed 's/ $//')"

# --- desktop entry
DESKTOP=$ROOT/share/applications/$APP_ID.desktop
quiet_ok "desktop-file-validate $APP_ID.desktop prints nothing" desktop-file-validate "$DESKTOP"
for line in "Type=Application" "Name=Glyphery" "Exec=glyphery" "Icon=$APP_ID" "Terminal=false" \
            "StartupNotify=true" "StartupWMClass=Glyphery" "Categories=Qt;Utility;"; do
    if grep -qxF -- "$line" "$DESKTOP"; then ok "desktop entry has $line"; else fail "desktop entry lacks $line"; fi
done
for key in 'Comment' 'Comment\[de\]' 'Keywords' 'Keywords\[de\]'; do
    if grep -qE "^$key=.+" "$DESKTOP"; then ok "desktop entry has ${key//\\/}"; else fail "desktop entry lacks ${key//\\/}"; fi
done
keywords=$(sed -n 's/^Keywords=//p' "$DESKTOP")
for word in "character map" "special characters" "clipboard"; do
    case ";$keywords" in *";$word;"*) ok "Keywords has '$word'" ;; *) fail "Keywords lacks '$word': $keywords" ;; esac
done
keywords_de=$(sed -n 's/^Keywords\[de\]=//p' "$DESKTOP")
for word in "Zeichentabelle" "Sonderzeichen" "Zwischenablage"; do
    case ";$keywords_de" in *";$word;"*) ok "Keywords[de] has '$word'" ;; *) fail "Keywords[de] lacks '$word': $keywords_de" ;; esac
done
# What the entry names must be what was installed.
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$DESKTOP")
[ -x "$ROOT/bin/$exec_name" ] && ok "Exec=$exec_name is installed in bin" || fail "Exec=$exec_name: no such program in $ROOT/bin"
icon_name=$(sed -n 's/^Icon=//p' "$DESKTOP")
[ -f "$ROOT/share/icons/hicolor/48x48/apps/$icon_name.png" ] && [ -f "$ROOT/share/icons/hicolor/scalable/apps/$icon_name.svg" ] \
    && ok "Icon=$icon_name is in the hicolor theme" || fail "Icon=$icon_name is not installed in the hicolor theme"

# --- AppStream metadata
META=$ROOT/share/metainfo/$APP_ID.metainfo.xml
out=$(appstreamcli validate --no-net "$META" 2>&1)
status=$?
if [ "$status" -eq 0 ] && ! printf '%s\n' "$out" | grep -qE '^[EW]:'; then
    ok "appstreamcli validate --no-net: no errors, no warnings"
    printf '%s\n' "$out" | grep -E '^[IP]:' | sed 's/^/    /'
else
    fail "appstreamcli validate --no-net: exit status $status, output:"
    printf '%s\n' "$out" | sed 's/^/    /' >&2
fi
for text in "<id>$APP_ID</id>" '<metadata_license>CC0-1.0</metadata_license>' \
            '<project_license>MIT</project_license>' "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" \
            '<content_rating type="oars-1.1"' "<release version=\"$VERSION\" date=\"" '<binary>glyphery</binary>'; do
    if grep -qF -- "$text" "$META"; then ok "metainfo has $text"; else fail "metainfo lacks $text"; fi
done

# --- man page
MAN=$ROOT/share/man/man1/glyphery.1.gz
if gzip -t "$MAN" 2>/dev/null && gzip -dc "$MAN" >"$WORK/glyphery.1"; then
    ok "man page is gzip-compressed"
    quiet_ok "groff -ww -z -man glyphery.1 prints nothing" groff -ww -z -man "$WORK/glyphery.1"
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS KEYS MOUSE FILES ENVIRONMENT; do
        grep -qx "\.SH $section" "$WORK/glyphery.1" && ok "man page has $section" || fail "man page lacks section $section"
    done
    grep -qF "\"Glyphery $VERSION\"" "$WORK/glyphery.1" && ok "man page footer says Glyphery $VERSION" \
        || fail "man page .TH does not say \"Glyphery $VERSION\": $(grep '^\.TH' "$WORK/glyphery.1")"
    # Plain text as a reader sees it, hyphens and all.
    groff -man -Tascii -P-cbou "$WORK/glyphery.1" 2>/dev/null >"$WORK/glyphery.txt"
    for text in "Glyphery/Glyphery.conf" "XDG_CONFIG_HOME" "QT_QPA_PLATFORM" "[Font]" "[Options]" \
                "Shift+Enter" "Tab" "double-click"; do
        grep -qF -- "$text" "$WORK/glyphery.txt" && ok "man page mentions $text" || fail "man page does not mention $text"
    done
else
    fail "$MAN is not a gzip file"
fi
# The same page in each language of the program, each translated: its NAME
# line is not the English one.
whatis=$(lexgrog "$MAN" 2>&1)
for page in "$ROOT"/share/man/*/man1/glyphery.1.gz; do
    lang=${page#"$ROOT/share/man/"}; lang=${lang%%/*}
    gzip -dc "$page" >"$WORK/glyphery.$lang.1" || { fail "$page is not a gzip file"; continue; }
    quiet_ok "groff -ww -z -man on the $lang page prints nothing" groff -ww -z -man -Kutf8 "$WORK/glyphery.$lang.1"
    translated=$(lexgrog "$WORK/glyphery.$lang.1" 2>&1)
    if [ "${translated#*: }" != "${whatis#*: }" ] && [[ $translated == *'"glyphery - '* ]]; then
        ok "the $lang page names itself in its language: ${translated#*: }"
    else
        fail "the $lang page's NAME is not translated: $translated"
    fi
done

# --- the installed program
version=$(timeout 20 "$ROOT/bin/glyphery" --version 2>&1)
status=$?
check_eq "installed glyphery --version (exit status $status)" "Glyphery $VERSION" "$version"
[ "$status" -eq 0 ] || fail "installed glyphery --version: exit status $status"
check_eq "built glyphery --version" "Glyphery $VERSION" "$(timeout 20 "$GLYPHERY" --version 2>&1)"
help=$(timeout 20 "$ROOT/bin/glyphery" --help 2>&1)
status=$?
if [ "$status" -eq 0 ] && [ -n "$help" ]; then
    ok "glyphery --help exits 0"
    # Every option the program lists is documented in the man page.
    for option in $(printf '%s\n' "$help" | grep -oE -- '(^|[[ ,])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u); do
        grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" "$WORK/glyphery.txt" \
            && ok "man page documents $option" || fail "--help lists $option, the man page does not"
    done
else
    fail "glyphery --help: exit status $status, output: $help"
fi

# --- one version everywhere: project(VERSION) is the one place; the newest
# entry of the changelog and the newest release of the metainfo are this
# version, of the same day, and the README names no other.
gzip -dc "$ROOT/share/doc/glyphery/changelog.gz" >"$WORK/changelog" || fail "changelog.gz is not a gzip file"
check_eq "changelog package" "glyphery" "$(dpkg-parsechangelog -l "$WORK/changelog" -S Source 2>&1)"
check_eq "changelog version" "$VERSION" "$(dpkg-parsechangelog -l "$WORK/changelog" -S Version 2>&1)"
changelog_day=$(date -u -d "$(dpkg-parsechangelog -l "$WORK/changelog" -S Date 2>&1)" +%F 2>&1)
newest_release=$(grep -o -m 1 '<release [^>]*>' "$META")
check_eq "metainfo's newest release" "<release version=\"$VERSION\" date=\"$changelog_day\">" "$newest_release"
versions=$(grep -oE 'glyphery[_-][0-9]+(\.[0-9]+)+' "$SOURCE_DIR/README.md" | sed -E 's/^glyphery[_-]//' | sort -u | tr '\n' ' ')
check_eq "versions the README names" "$VERSION " "$versions"

# --- copyright: machine-readable, and the licence text is LICENSE's
COPYRIGHT=$ROOT/share/doc/glyphery/copyright
check_eq "copyright Format" "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    "$(sed -n 's/^Format: //p' "$COPYRIGHT")"
grep -qx "License: MIT" "$COPYRIGHT" && grep -qx "Files: \*" "$COPYRIGHT" && ok "copyright has Files: * under License: MIT" \
    || fail "copyright lacks the Files: * / License: MIT stanzas"
awk 'f && /^ /{print} /^License: MIT$/{f=1; next} f && !/^ /{f=0}' "$COPYRIGHT" \
    | sed -e 's/^ //' -e 's/^\.$//' >"$WORK/copyright-license"
sed -n '/^Permission is hereby granted/,$p' "$SOURCE_DIR/LICENSE" >"$WORK/license"
if [ -s "$WORK/license" ] && cmp -s "$WORK/license" "$WORK/copyright-license"; then
    ok "copyright's MIT text is LICENSE's, word for word"
else
    fail "copyright's MIT text differs from LICENSE:"
    diff "$WORK/license" "$WORK/copyright-license" | sed 's/^/    /' >&2
fi

# --- icons: the committed files, byte for byte; tst_icon checks those (sizes,
# transparency, the same picture at every size, the SVG as librsvg renders it)
while IFS= read -r icon; do
    if cmp -s "$SOURCE_DIR/resources/icons/$icon" "$ROOT/share/icons/$icon"; then
        ok "share/icons/$icon is the committed file"
    else
        fail "share/icons/$icon differs from resources/icons/$icon"
    fi
done < <(cd "$SOURCE_DIR/resources/icons" && find hicolor -type f | LC_ALL=C sort)

finish
