#!/usr/bin/env bash
# Settings that cannot be written: a file stands where the settings folder
# belongs. Closing the window then shows a message box over the window that
# is still there; after it the program ends with a failure status and leaves
# the file that stood in the way as it was.

. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

BLOCKER="$XDG_CONFIG_HOME/Glyphery"
printf 'not a folder\n' >"$BLOCKER"
chmod 644 "$BLOCKER"
blocker_before=$(sha256sum <"$BLOCKER")
want_line="Glyphery: Run-time error '75': Path/File access error: cannot write $SETTINGS_FILE: $BLOCKER is not a folder"

start_x
start_glyphery
LOG="$E2E_TMP/glyphery-$GLYPHERY_RUNS.log"

activate_glyphery
timeout 10 xdotool key alt+F4 || fail "xdotool could not send alt+F4"
wait_second_window "alt+F4 with no way to write the settings"
BOX=$SECOND_WIN
check_eq "the message box's title" "Glyphery" "$(xdotool getwindowname "$BOX")"
check_eq "the message box's WM_TRANSIENT_FOR" "$GLYPHERY_WIN" "$(transient_for "$BOX")"
xwininfo -id "$GLYPHERY_WIN" 2>/dev/null | grep -q 'Map State: IsViewable' ||
    fail "the main window is no longer viewable while the message box shows"
ok "the main window is still viewable under the message box"
alive "$GLYPHERY_PID" || fail "the program ended while its message box showed"

# The box's text goes to stderr as well, before the box shows.
until=$(deadline_in 5)
until grep -qxF -- "$want_line" "$LOG"; do
    before "$until" || { cat "$LOG" >&2; fail "stderr lacks the line: $want_line"; }
    sleep 0.05
done
ok "stderr names the settings file and why: $want_line"

# Return confirms the box; nothing else ends the program.
timeout 10 xdotool windowactivate --sync "$BOX" >/dev/null 2>&1
until=$(deadline_in 10)
while [ "$(xdotool getwindowfocus -f 2>/dev/null)" != "$BOX" ]; do
    before "$until" || fail "the message box did not get the keyboard focus within 10 s"
    sleep 0.05
done
alive "$GLYPHERY_PID" || fail "the program ended before the message box was dismissed"
press_keys Return
until=$(deadline_in 15)
while alive "$GLYPHERY_PID" && before "$until"; do sleep 0.05; done
alive "$GLYPHERY_PID" && fail "the program did not end within 15 s of dismissing the message box"
wait "$GLYPHERY_PID"
status=$?
GLYPHERY_PID=""
[ "$status" -ne 0 ] || fail "the program ended with status 0 after it could not write its settings"
ok "exit status $status after the message box"

if [ ! -f "$BLOCKER" ] || [ -L "$BLOCKER" ]; then fail "$BLOCKER is no longer a plain file"; fi
check_eq "the blocking file's content" "$blocker_before" "$(sha256sum <"$BLOCKER")"
check_eq "the blocking file's mode" 644 "$(stat -c %a "$BLOCKER")"
check_eq "what the configuration folder holds" "Glyphery" "$(ls -A "$XDG_CONFIG_HOME")"
