# Helpers for the end-to-end tests: each test gets its own X server, window
# manager, configuration folder and clipboard, and drives the real program
# with xdotool. Source this file; it sets a cleanup trap of its own.
#
# Environment: GLYPHERY (the program, required), GRAB_SCREEN (optional, used
# for a screenshot when a test fails), E2E_KEEP=1 keeps the temporary folder.

set -u -o pipefail

E2E_NAME=$(basename "${0%.sh}")
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/glyphery-e2e.XXXXXX") || { echo "FAIL: mktemp" >&2; exit 1; }
E2E_FAILED=0
XVFB_PID=""
OPENBOX_PID=""
GLYPHERY_PID=""
GLYPHERY_WIN=""
GLYPHERY_RUNS=0

# The program's settings and runtime files land in the temporary folder only.
export HOME="$E2E_TMP/home"
export XDG_CONFIG_HOME="$E2E_TMP/config"
export XDG_CACHE_HOME="$E2E_TMP/cache"
export XDG_DATA_HOME="$E2E_TMP/data"
export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# Nothing of the caller's desktop may leak in.
unset WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS XAUTHORITY
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI
export QT_QPA_PLATFORM=xcb
export NO_AT_BRIDGE=1
export LC_ALL=C.UTF-8

SETTINGS_FILE="$XDG_CONFIG_HOME/Glyphery/Glyphery.conf"

ok() { echo "ok: $*"; }

fail() {
    echo "FAIL: $*" >&2
    E2E_FAILED=1
    exit 1
}

# check_eq WHAT EXPECTED ACTUAL
check_eq() {
    if [ "$2" = "$3" ]; then
        ok "$1 is '$3'"
    else
        fail "$1: expected '$2', got '$3'"
    fi
}

# Seconds since the epoch with fractions, for deadlines.
now() { date +%s.%N; }
before() { awk -v a="$(now)" -v b="$1" 'BEGIN { exit !(a < b) }'; }
deadline_in() { awk -v a="$(now)" -v d="$1" 'BEGIN { printf "%.3f", a + d }'; }

# A process that has ended but was not yet waited for still answers kill -0.
alive() {
    local state
    state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != Z ] && [ "$state" != X ]
}

stop_process() {
    local pid=$1 until
    [ -n "$pid" ] || return 0
    if alive "$pid"; then
        kill -TERM "$pid" 2>/dev/null
        until=$(deadline_in 3)
        while alive "$pid" && before "$until"; do sleep 0.05; done
        alive "$pid" && kill -KILL "$pid" 2>/dev/null
    fi
    wait "$pid" 2>/dev/null
    return 0
}

show_log() {
    [ -s "$1" ] || return 0
    echo "---- $(basename "$1") (last lines) ----" >&2
    tail -n 30 "$1" >&2
}

cleanup() {
    local status=$?
    trap - EXIT INT TERM
    [ "$E2E_FAILED" = 1 ] || [ "$status" = 0 ] || E2E_FAILED=1
    if [ "$E2E_FAILED" = 1 ]; then
        if [ -n "${GRAB_SCREEN:-}" ] && [ -n "${DISPLAY:-}" ] && [ -n "$XVFB_PID" ] && alive "$XVFB_PID"; then
            timeout 10 "$GRAB_SCREEN" "$E2E_TMP/failure.png" >/dev/null 2>&1 &&
                echo "screenshot at failure: $E2E_TMP/failure.png" >&2
        fi
        for log in "$E2E_TMP"/glyphery-*.log "$E2E_TMP"/openbox*.log "$E2E_TMP"/xvfb*.log; do
            show_log "$log"
        done
    fi
    stop_process "$GLYPHERY_PID"
    stop_process "$OPENBOX_PID"
    # Clipboard helpers left behind end with the server they serve.
    stop_process "$XVFB_PID"
    if [ "$E2E_FAILED" = 1 ] || [ "${E2E_KEEP:-0}" = 1 ]; then
        echo "$E2E_NAME: files kept in $E2E_TMP" >&2
    else
        rm -rf "$E2E_TMP"
    fi
    if [ "$E2E_FAILED" = 1 ]; then
        echo "$E2E_NAME: FAILED" >&2
        [ "$status" = 0 ] && status=1
    else
        echo "$E2E_NAME: all checks passed"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'E2E_FAILED=1; echo "FAIL: interrupted" >&2; exit 130' INT TERM

require_tools() {
    local tool
    for tool in Xvfb openbox xdotool xclip xprop xwininfo timeout awk od; do
        command -v "$tool" >/dev/null 2>&1 || fail "the tool '$tool' is not installed"
    done
    [ -n "${GLYPHERY:-}" ] || fail "GLYPHERY must name the program to test"
    [ -x "$GLYPHERY" ] || fail "GLYPHERY='$GLYPHERY' is not an executable file"
}

# Openbox with nothing bound but the close key, so every other key combination
# reaches the program.
write_openbox_config() {
    cat >"$E2E_TMP/rc.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus>
    <focusNew>yes</focusNew>
    <followMouse>no</followMouse>
  </focus>
  <placement>
    <policy>Smart</policy>
  </placement>
  <theme>
    <name>Clearlooks</name>
  </theme>
  <desktops>
    <number>1</number>
  </desktops>
  <keyboard>
    <keybind key="A-F4">
      <action name="Close"/>
    </keybind>
  </keyboard>
  <mouse>
  </mouse>
</openbox_config>
EOF
}

# One attempt at a display with a window manager; on failure it says why in
# X_FAILURE and leaves nothing running.
try_start_x() {
    local attempt=$1 until line="" log
    X_FAILURE=""
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    # Xvfb writes the display number once it accepts connections.
    until=$(deadline_in 15)
    while before "$until"; do
        if [ "$(wc -l <"$E2E_TMP/display")" -ge 1 ]; then
            line=$(head -n 1 "$E2E_TMP/display")
            break
        fi
        alive "$XVFB_PID" || break
        sleep 0.05
    done
    if [ -z "$line" ]; then
        X_FAILURE="Xvfb reported no display (attempt $attempt)"
    else
        export DISPLAY=":$line"
        if ! xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1; then
            X_FAILURE="no connection to Xvfb on $DISPLAY (attempt $attempt)"
        else
            openbox --sm-disable --config-file "$E2E_TMP/rc.xml" >"$E2E_TMP/openbox.log" 2>&1 &
            OPENBOX_PID=$!
            until=$(deadline_in 15)
            while :; do
                xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
                if ! alive "$OPENBOX_PID"; then
                    X_FAILURE="openbox ended at start-up on $DISPLAY (attempt $attempt)"
                    break
                fi
                if ! before "$until"; then
                    X_FAILURE="openbox did not become the window manager on $DISPLAY within 15 s (attempt $attempt)"
                    break
                fi
                sleep 0.05
            done
        fi
    fi
    for log in xvfb openbox; do
        [ -s "$E2E_TMP/$log.log" ] && mv "$E2E_TMP/$log.log" "$E2E_TMP/$log-attempt$attempt.log"
    done
    stop_process "$OPENBOX_PID"
    OPENBOX_PID=""
    stop_process "$XVFB_PID"
    XVFB_PID=""
    return 1
}

# Xvfb instances that pick their displays at the same moment can, rarely,
# leave one of them unusable; a fresh server then gets another display.
start_x() {
    local attempt
    require_tools
    write_openbox_config
    for attempt in 1 2 3; do
        if try_start_x "$attempt"; then
            ok "X server $DISPLAY with openbox is up"
            return 0
        fi
        [ "$attempt" -lt 3 ] && echo "note: $X_FAILURE; trying a new X server" >&2
    done
    fail "no usable X server with openbox: $X_FAILURE"
}

# Waits for the program's window and remembers it in GLYPHERY_WIN.
start_glyphery() {
    local until ids count
    GLYPHERY_RUNS=$((GLYPHERY_RUNS + 1))
    GLYPHERY_WIN=""
    "$GLYPHERY" >"$E2E_TMP/glyphery-$GLYPHERY_RUNS.log" 2>&1 &
    GLYPHERY_PID=$!
    until=$(deadline_in 20)
    while before "$until"; do
        alive "$GLYPHERY_PID" || fail "the program ended before its window appeared"
        ids=$(xdotool search --onlyvisible --name '^Glyphery$' 2>/dev/null)
        count=$(printf '%s' "$ids" | grep -c .)
        if [ "$count" -eq 1 ] && xwininfo -id "$ids" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            GLYPHERY_WIN=$ids
            break
        fi
        [ "$count" -gt 1 ] && fail "more than one visible window titled 'Glyphery': $ids"
        sleep 0.05
    done
    [ -n "$GLYPHERY_WIN" ] || fail "no viewable window titled 'Glyphery' within 20 s"
    ok "window $GLYPHERY_WIN titled 'Glyphery' is viewable (run $GLYPHERY_RUNS)"
}

# Makes the window the active one with the X input focus on it, so that
# synthetic keys reach the program.
activate_glyphery() {
    local until
    timeout 10 xdotool windowactivate --sync "$GLYPHERY_WIN" >/dev/null 2>&1
    until=$(deadline_in 10)
    while before "$until"; do
        if [ "$(xdotool getactivewindow 2>/dev/null)" = "$GLYPHERY_WIN" ] &&
            [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$GLYPHERY_WIN" ]; then
            return 0
        fi
        sleep 0.05
    done
    fail "the window did not get the keyboard focus within 10 s"
}

# Keys to the focused window: press_keys KEY...
press_keys() {
    timeout 20 xdotool key --delay 15 "$@" || fail "xdotool could not send the keys: $*"
}

# Asks the window manager to close the window (as the user would with the
# close key) and returns the program's exit status.
close_glyphery() {
    local until status
    activate_glyphery
    timeout 10 xdotool key alt+F4 || fail "xdotool could not send alt+F4"
    until=$(deadline_in 15)
    while alive "$GLYPHERY_PID" && before "$until"; do sleep 0.05; done
    alive "$GLYPHERY_PID" && fail "the program did not end within 15 s of the close request"
    wait "$GLYPHERY_PID"
    status=$?
    GLYPHERY_PID=""
    GLYPHERY_WIN=""
    return "$status"
}

# Client coordinates of a cell's centre: 7 rows of 32 cells, 24 px apart,
# 25 px wide, the first at (16, 24).
cell_centre() {
    local k=$1
    echo "$((16 + 24 * ((k - 1) % 32) + 12)) $((24 + 24 * ((k - 1) / 32) + 12))"
}

check_cell_number() {
    case "$1" in '' | *[!0-9]*) fail "no cell '$1'" ;; esac
    if [ "$1" -lt 1 ] || [ "$1" -gt 224 ]; then fail "no cell $1"; fi
}

click_cell() {
    local xy
    check_cell_number "$1"
    xy=$(cell_centre "$1")
    # shellcheck disable=SC2086
    timeout 10 xdotool mousemove --window "$GLYPHERY_WIN" --sync $xy click 1 ||
        fail "xdotool could not click cell $1"
}

double_click_cell() {
    local xy
    check_cell_number "$1"
    xy=$(cell_centre "$1")
    # shellcheck disable=SC2086
    timeout 10 xdotool mousemove --window "$GLYPHERY_WIN" --sync $xy click --repeat 2 --delay 60 1 ||
        fail "xdotool could not double-click cell $1"
}

# The clipboard's text as UTF-8 bytes in hex; empty when there is none.
clip_hex() {
    timeout 5 xclip -selection clipboard -o -t UTF8_STRING 2>/dev/null | od -An -v -tx1 | tr -d ' \n'
}

clip_text() {
    timeout 5 xclip -selection clipboard -o -t UTF8_STRING 2>/dev/null
}

hex_of() { printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n'; }

# Waits until the clipboard holds exactly TEXT; fails naming what it holds.
# expect_clip WHAT TEXT
expect_clip() {
    local what=$1 want got until
    want=$(hex_of "$2")
    until=$(deadline_in 5)
    while :; do
        got=$(clip_hex)
        [ "$got" = "$want" ] && break
        before "$until" || fail "$what: the clipboard holds '$(clip_text)' (bytes ${got:-none}), expected '$2' (bytes $want)"
        sleep 0.05
    done
    ok "$what: clipboard holds '$2' (bytes $want)"
}

# Puts TEXT on the clipboard from outside the program.
set_clip() {
    local want got until
    printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1 || fail "xclip could not set the clipboard"
    want=$(hex_of "$1")
    until=$(deadline_in 5)
    while :; do
        got=$(clip_hex)
        [ "$got" = "$want" ] && return 0
        before "$until" || fail "the clipboard does not hold '$1' after xclip set it (bytes ${got:-none})"
        sleep 0.05
    done
}

# Lines of one section of an INI file: ini_section FILE SECTION
ini_section() {
    awk -v want="[$2]" '
        { sub(/\r$/, "") }
        /^\[/ { inside = ($0 == want); next }
        inside && NF { print }
    ' "$1"
}

# check_setting SECTION LINE: the settings file holds LINE in SECTION, exactly.
check_setting() {
    [ -f "$SETTINGS_FILE" ] || fail "no settings file at $SETTINGS_FILE"
    if ini_section "$SETTINGS_FILE" "$1" | grep -qxF -- "$2"; then
        ok "[$1] $2 in Glyphery.conf"
    else
        echo "---- $SETTINGS_FILE ----" >&2
        cat "$SETTINGS_FILE" >&2
        fail "Glyphery.conf lacks the line '$2' in section [$1]"
    fi
}

# ------------------------------------------------------------ screenshots
# Window grabs are saved as binary PPM (grab_screen picks the format by the
# name's ending): a fixed header, then 3 bytes a pixel, row by row, which the
# shell can compare and read by byte offsets without an image library.

grab_window() { # FILE
    [ -n "${GRAB_SCREEN:-}" ] || fail "GRAB_SCREEN must name the screenshot tool"
    timeout 10 "$GRAB_SCREEN" "$1" "$GLYPHERY_WIN" >/dev/null 2>&1 || fail "grab_screen could not save $1"
    [ "$(head -n 1 "$1")" = P6 ] || fail "$1 is no binary PPM"
}

# ppm_layout FILE: the header's length in bytes, the width and the height.
ppm_layout() {
    local size
    size=$(head -n 2 "$1" | tail -n 1)
    echo "$(head -n 3 "$1" | wc -c) $size"
}

# pixels_differing A B X Y W H: how many pixels of the rectangle differ
# between two grabs of the same window.
pixels_differing() {
    local layout
    layout=$(ppm_layout "$1")
    [ "$layout" = "$(ppm_layout "$2")" ] || fail "grabs of different sizes: $1 ($layout), $2 ($(ppm_layout "$2"))"
    # cmp -l lists every differing byte by its offset, counted from 1.
    cmp -l "$1" "$2" 2>/dev/null | awk -v layout="$layout" -v x0="$3" -v y0="$4" -v w="$5" -v h="$6" '
        BEGIN { split(layout, l, " "); header = l[1]; width = l[2] }
        {
            p = int(($1 - 1 - header) / 3); x = p % width; y = int(p / width)
            if (x >= x0 && x < x0 + w && y >= y0 && y < y0 + h && !(p in seen)) { seen[p] = 1; n++ }
        }
        END { print n + 0 }'
}

# count_pixels FILE X Y W H CONDITION: how many pixels of the rectangle meet
# an awk condition on r, g and b.
count_pixels() {
    local file=$1 x=$2 y=$3 w=$4 h=$5 header width row
    read -r header width _ <<<"$(ppm_layout "$file")"
    for ((row = y; row < y + h; row++)); do
        dd if="$file" iflag=skip_bytes,count_bytes skip=$((header + 3 * (row * width + x))) count=$((3 * w)) \
            status=none
    done | od -An -v -tu1 -w3 | awk "{ r = \$1; g = \$2; b = \$3 } $6 { n++ } END { print n + 0 }"
}

# grab_settled FILE X Y W H: a grab whose rectangle looked the same in the
# grab before it, so that no half-finished repaint is taken as a state.
grab_settled() {
    local until
    until=$(deadline_in 10)
    grab_window "$1"
    while :; do
        cp "$1" "$1.previous"
        sleep 0.1
        grab_window "$1"
        [ "$(pixels_differing "$1.previous" "$1" "$2" "$3" "$4" "$5")" = 0 ] && break
        before "$until" || fail "the area $4x$5+$2+$3 of the window kept changing for 10 s"
    done
    rm -f "$1.previous"
}

# wait_area_changed WHAT REF OUT X Y W H: polls until the rectangle differs
# from the grab REF, then leaves the settled grab in OUT.
wait_area_changed() {
    local what=$1 ref=$2 out=$3 n until
    shift 3
    until=$(deadline_in 10)
    while :; do
        grab_window "$out"
        n=$(pixels_differing "$ref" "$out" "$@")
        [ "$n" -gt 0 ] && break
        before "$until" || fail "$what: the area $3x$4+$1+$2 still shows what $(basename "$ref") shows after 10 s"
        sleep 0.05
    done
    grab_settled "$out" "$@"
    n=$(pixels_differing "$ref" "$out" "$@")
    [ "$n" -gt 0 ] || fail "$what: the area $3x$4+$1+$2 went back to what $(basename "$ref") shows"
    ok "$what: $n pixels of the area $3x$4+$1+$2 differ from $(basename "$ref")"
}

# wait_area_same WHAT REF OUT X Y W H: polls until the rectangle shows
# exactly what the grab REF shows; the last grab stays in OUT.
wait_area_same() {
    local what=$1 ref=$2 out=$3 n until
    shift 3
    until=$(deadline_in 5)
    while :; do
        grab_window "$out"
        n=$(pixels_differing "$ref" "$out" "$@")
        [ "$n" = 0 ] && break
        before "$until" || fail "$what: $n pixels of the area $3x$4+$1+$2 still differ from $(basename "$ref") after 5 s"
        sleep 0.05
    done
    ok "$what: the area $3x$4+$1+$2 shows exactly what $(basename "$ref") shows"
}

# click_at X Y: a click at client coordinates of the window; the pointer
# then leaves the window, so that no tooltip lies over what a grab reads.
click_at() {
    timeout 10 xdotool mousemove --window "$GLYPHERY_WIN" --sync "$1" "$2" click 1 ||
        fail "xdotool could not click at $1,$2 of the window"
    timeout 10 xdotool mousemove 1 1 >/dev/null 2>&1
}

# wait_second_window WHAT: polls for a viewable window of the program other
# than its main window and remembers it in SECOND_WIN.
wait_second_window() {
    local until ids id
    SECOND_WIN=""
    until=$(deadline_in 10)
    while :; do
        ids=$(xdotool search --onlyvisible --pid "$GLYPHERY_PID" 2>/dev/null)
        for id in $ids; do
            [ "$id" = "$GLYPHERY_WIN" ] && continue
            xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && SECOND_WIN=$id
        done
        [ -n "$SECOND_WIN" ] && break
        before "$until" || fail "$1: no second window of the program appeared within 10 s"
        alive "$GLYPHERY_PID" || fail "$1: the program ended"
        sleep 0.05
    done
    ok "$1: window $SECOND_WIN '$(xdotool getwindowname "$SECOND_WIN" 2>/dev/null)' appeared"
}

# wait_window_gone WHAT WINDOW: polls until the window is no longer viewable.
wait_window_gone() {
    local until
    until=$(deadline_in 10)
    while xwininfo -id "$2" 2>/dev/null | grep -q 'Map State: IsViewable'; do
        before "$until" || fail "$1: window $2 is still viewable after 10 s"
        sleep 0.05
    done
    ok "$1: window $2 is gone"
}

# transient_for WINDOW: the window id WM_TRANSIENT_FOR names, in decimal.
transient_for() {
    local hex
    hex=$(xprop -id "$1" WM_TRANSIENT_FOR 2>/dev/null | sed -n 's/.*window id # //p')
    [ -n "$hex" ] && printf '%d\n' "$hex"
}
