#!/usr/bin/env bash
# Runs the start-up probe on the display it is given, in three environments:
#   nobus    no session bus: libdbus launches one on the spot (dbus-x11)
#   session  a session bus that cannot start the accessibility bus
#   a11y     a session bus with the accessibility bus running, as on GNOME and KDE
#   startup_envs.sh BENCH_BIN GLYPHERY RUNS [LOCALE]
set -euo pipefail
bin=$1 glyphery=$2 runs=$3
# The programs start in that language (the harness gives them C.UTF-8).
if [ -n "${4:-}" ]; then
    export LC_ALL=$4 LANG=$4
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/glyphery-buses.XXXXXX")
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT

probe() {
    "$bin/startup_probe" "$runs" Glyphery "$glyphery" "$bin/bare_window" "$bin/bare_grid" | sed "s/^STARTUP\t/STARTUP\t$1\t/"
}

# A bus of its own: "session" has no service files, so nothing can be
# activated on it; "a11y" has the system's, and starts the accessibility bus.
start_bus() {
    local conf=$work/$1.conf services=""
    [ "$1" = a11y ] && services="<standard_session_servicedirs/>"
    cat >"$conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work</listen>
  $services
  <policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy>
</busconfig>
CONF
    local out
    out=$(dbus-daemon --config-file="$conf" --fork --print-address=1 --print-pid=1)
    export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$out")
    pids+=("$(sed -n 2p <<<"$out")")
}

unset DBUS_SESSION_BUS_ADDRESS
probe nobus

start_bus session
probe session
kill "${pids[-1]}"

start_bus a11y
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
probe a11y
