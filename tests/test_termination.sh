#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP close the window the normal way: exit status 0
# and the settings written, as on a close from the window manager.
set -u
GLYPHERY=${GLYPHERY:?the program to test}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"

program=$(readlink -f "$GLYPHERY")

# True once the process catches the signal (its bit in SigCgt). Until it has
# executed the program it is still the shell, whose handlers do not count.
catches() {
    local mask
    [ "$(readlink "/proc/$1/exe" 2>/dev/null)" = "$program" ] || return 1
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
    [ -n "$mask" ] && (( (16#$mask >> ($2 - 1)) & 1 ))
}

for signal in TERM INT HUP; do
    export XDG_CONFIG_HOME="$work/$signal"
    "$GLYPHERY" 2>"$work/$signal.log" &
    pid=$!
    number=$(kill -l "$signal")
    for _ in $(seq 200); do
        catches "$pid" "$number" && break
        sleep 0.05
    done
    catches "$pid" "$number" || { echo "FAIL: the program never took SIG$signal"; kill -KILL "$pid"; exit 1; }
    kill "-$signal" "$pid"
    wait "$pid"
    status=$?
    [ "$status" = 0 ] || { echo "FAIL: SIG$signal gave exit status $status"; cat "$work/$signal.log"; exit 1; }
    grep -qx 'Name=Arial' "$XDG_CONFIG_HOME/Glyphery/Glyphery.conf" 2>/dev/null ||
        { echo "FAIL: SIG$signal left no settings file"; exit 1; }
    echo "ok: SIG$signal closed the window and wrote the settings"
done
