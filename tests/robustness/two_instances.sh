#!/usr/bin/env bash
# Two instances of the program open at once and closed in either order: the
# settings file stays valid and holds the values of the one closed last.
# Each instance reads its own values: the file is rewritten between the two
# starts, so the instances close with different values in all five keys.

. "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

FIRST_PID=""
SECOND_PID=""
# lib.sh's own clean-up knows one program; the other is stopped here first.
trap 'status=$?; stop_process "$FIRST_PID"; stop_process "$SECOND_PID"; (exit "$status"); cleanup' EXIT

# write_settings NAME B I SPACE SIZE
write_settings() {
    mkdir -p "$(dirname "$SETTINGS_FILE")"
    printf '[Font]\nB=%s\nI=%s\nName=%s\n\n[Options]\nSize=%s\nSpace=%s\n' "$2" "$3" "$1" "$5" "$4" \
        >"$SETTINGS_FILE.new" && mv "$SETTINGS_FILE.new" "$SETTINGS_FILE" || fail "cannot write $SETTINGS_FILE"
}

# expect_settings WHAT NAME B I SPACE SIZE: the five values and nothing else.
expect_settings() {
    local what=$1 keys
    check_setting Font "Name=$2"
    check_setting Font "B=$3"
    check_setting Font "I=$4"
    check_setting Options "Space=$5"
    check_setting Options "Size=$6"
    keys=$(grep -c '=' "$SETTINGS_FILE")
    [ "$keys" = 5 ] || { cat "$SETTINGS_FILE" >&2; fail "$what: $keys keys in the file, not 5"; }
    if grep -vqE '^(\[(Font|Options)\]|(Name|B|I|Space|Size)=.*|)$' "$SETTINGS_FILE"; then
        cat "$SETTINGS_FILE" >&2
        fail "$what: the file holds lines of another kind"
    fi
    ok "$what: the file holds the values of the instance closed last"
}

# start_instance VAR: starts the program and waits for its own window, found
# by its process id (two windows share the title); sets VAR_PID and VAR_WIN.
start_instance() {
    local pid win="" until
    "$GLYPHERY" >"$E2E_TMP/glyphery-$1.log" 2>&1 &
    pid=$!
    printf -v "$1_PID" '%s' "$pid"
    until=$(deadline_in 20)
    while before "$until"; do
        alive "$pid" || fail "instance $1 ended before its window appeared"
        win=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Glyphery$' 2>/dev/null | head -n 1)
        if [ -n "$win" ] && xwininfo -id "$win" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            break
        fi
        win=""
        sleep 0.05
    done
    [ -n "$win" ] || fail "instance $1 showed no viewable window within 20 s"
    printf -v "$1_WIN" '%s' "$win"
    ok "instance $1 (process $pid) has window $win"
}

# close_instance VAR: the window manager's close key, as a user would.
close_instance() {
    local pid_var="$1_PID" win_var="$1_WIN"
    GLYPHERY_PID=${!pid_var}
    GLYPHERY_WIN=${!win_var}
    close_glyphery
    check_eq "exit status of instance $1" 0 "$?"
    printf -v "$1_PID" '%s' ""
}

start_x

for order in "FIRST SECOND" "SECOND FIRST"; do
    write_settings "DejaVu Sans" 1 0 2 1
    start_instance FIRST
    write_settings "Liberation Serif" 0 1 0 2
    start_instance SECOND
    read -r one two <<<"$order"
    close_instance "$one"
    if [ "$one" = FIRST ]; then
        expect_settings "first closed: the first" "DejaVu Sans" 1 0 2 1
    else
        expect_settings "first closed: the second" "Liberation Serif" 0 1 0 2
    fi
    close_instance "$two"
    if [ "$two" = FIRST ]; then
        expect_settings "last closed: the first" "DejaVu Sans" 1 0 2 1
    else
        expect_settings "last closed: the second" "Liberation Serif" 0 1 0 2
    fi
done
