#!/usr/bin/env bash
# The real program killed with SIGKILL at random moments around its close,
# on its own Xvfb display with openbox; the driver checks the settings file
# after every kill (see kill_at_close.cpp).

. "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

[ -x "${KILL_AT_CLOSE:-}" ] || fail "KILL_AT_CLOSE must name the driver program"
start_x
"$KILL_AT_CLOSE" "$GLYPHERY" "${KILL_CYCLES:-200}" || fail "a kill around the close broke the settings file"
ok "every kill left the old or the new values, complete"
