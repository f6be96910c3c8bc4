#!/usr/bin/env bash
# Makes docs/screenshot.png: the real window under Xvfb and openbox, with the
# euro sign selected. Usage: tools/screenshot.sh [BUILD-DIR]
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
export GLYPHERY="$build/glyphery"
grab="$build/grab_screen"
[ -x "$GLYPHERY" ] && [ -x "$grab" ] || { echo "build first: make -C $top build" >&2; exit 1; }

# shellcheck source=../tests/e2e/lib.sh
. "$top/tests/e2e/lib.sh"

start_x
start_glyphery
activate_glyphery
click_cell 97
"$grab" "$top/docs/screenshot.png" "$GLYPHERY_WIN" || fail "could not grab the window"
ok "wrote docs/screenshot.png"
close_glyphery || fail "the program ended with status $?"
