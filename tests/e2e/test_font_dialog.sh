#!/usr/bin/env bash
# shellcheck disable=SC2086 # positions and areas are "x y" and "x y w h" on purpose
# The typeface box: a click opens Qt's font dialog over the window; Escape
# changes nothing, a face typed into the dialog and confirmed with Enter goes
# to the cells and the box, and the preview goes back to the program icon.

. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

FACE="Liberation Mono" # from fonts-liberation, which the build installs

# Client pixels from the layout's twips (15 twips a pixel).
FSEL="860 25"            # FSel (800,16) 121x19
CHK_B="817 160"          # chkB (812,152) 17x17, where no other box covers it
GRID="16 24 769 169"     # all 224 cells
LOWER_ROWS="16 72 769 121" # rows 3 to 7: cells 65 to 224, none of them clicked
PREVIEW="800 40 121 105" # CharXXL
SYMBOL="840 80 41 41"    # the program icon over the preview
CODE="872 154 49 17"     # the code of the previewed character
YELLOW='r >= 200 && g >= 150 && b <= 130' # the icon's cube; no text colour is like it

G="$E2E_TMP/grabs"
mkdir -p "$G"

# Keys go to the X focus; the dialog must hold it, not just be on top.
focus_window() {
    local until
    until=$(deadline_in 10)
    while [ "$(xdotool getwindowfocus -f 2>/dev/null)" != "$1" ]; do
        before "$until" || fail "window $1 did not get the keyboard focus within 10 s"
        timeout 5 xdotool windowactivate --sync "$1" >/dev/null 2>&1
        sleep 0.05
    done
}

# open_dialog: a click on FSel; the dialog is left in DIALOG.
open_dialog() {
    local state
    click_at $FSEL
    wait_second_window "a click on FSel"
    DIALOG=$SECOND_WIN
    check_eq "the dialog's WM_TRANSIENT_FOR" "$GLYPHERY_WIN" "$(transient_for "$DIALOG")"
    state=$(xprop -id "$DIALOG" -notype _NET_WM_STATE 2>/dev/null)
    case "$state" in
        *_NET_WM_STATE_MODAL*) ok "the dialog is modal ($state)" ;;
        *) fail "the dialog is not modal: ${state:-no _NET_WM_STATE}" ;;
    esac
}

# is_inside X Y WINDOW: the screen point lies on the window (frame excluded).
is_inside() {
    xwininfo -id "$3" 2>/dev/null | awk -v px="$1" -v py="$2" '
        /Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
        /^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 }
        END { exit !(px >= x && px < x + w && py >= y && py < y + h) }'
}

fc-list : family | tr ',' '\n' | grep -qxF "$FACE" || fail "the face '$FACE' is not installed (fonts-liberation)"

# ------------------------------------------------------- first run: cancel
start_x
[ -e "$SETTINGS_FILE" ] && fail "a settings file exists before the first run"
start_glyphery
grab_settled "$G/fresh.ppm" $GRID

open_dialog
# The window below the dialog takes no clicks: chkB, where the dialog leaves
# it uncovered, stays off (the grid and the settings below show it).
read -r wx wy <<<"$(xwininfo -id "$GLYPHERY_WIN" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 } END { print x, y }')"
read -r bx by <<<"$CHK_B"
is_inside $((wx + bx)) $((wy + by)) "$DIALOG" && fail "the dialog covers chkB; no click on the window below can be tried"
click_at $CHK_B
focus_window "$DIALOG"
press_keys Escape
wait_window_gone "Escape in the dialog" "$DIALOG"
wait_area_same "after the cancel: the cells" "$G/fresh.ppm" "$G/now.ppm" $GRID
wait_area_same "after the cancel: the preview" "$G/fresh.ppm" "$G/now.ppm" $PREVIEW

close_glyphery
check_eq "exit status after the first close" 0 "$?"
check_setting Font "Name=Arial"
check_setting Font "B=0"

# ------------------------------------------------------ second run: confirm
start_glyphery
wait_area_same "second start: the cells" "$G/fresh.ppm" "$G/now.ppm" $GRID
click_cell 34 # A
timeout 10 xdotool mousemove 1 1 >/dev/null 2>&1
wait_area_changed "cell 34 clicked: the preview" "$G/fresh.ppm" "$G/letter.ppm" $PREVIEW
n=$(count_pixels "$G/letter.ppm" $SYMBOL "$YELLOW")
[ "$n" = 0 ] || fail "the program icon still shows over the preview of cell 34 ($n yellow pixels)"
wait_area_changed "cell 34 clicked: the code" "$G/fresh.ppm" "$G/letter.ppm" $CODE

open_dialog
focus_window "$DIALOG"
# Typed into the dialog's family field, the name selects the face in the list.
timeout 20 xdotool type --delay 30 "$FACE" || fail "xdotool could not type '$FACE'"
press_keys Return
wait_window_gone "Enter in the dialog" "$DIALOG"

wait_area_same "after the confirm: the preview (icon, no character)" "$G/fresh.ppm" "$G/now.ppm" $PREVIEW
n=$(count_pixels "$G/now.ppm" $SYMBOL "$YELLOW")
[ "$n" -ge 20 ] || fail "the program icon does not cover the preview after the confirm ($n yellow pixels)"
ok "the program icon covers the preview again ($n yellow pixels)"
wait_area_same "after the confirm: the code" "$G/fresh.ppm" "$G/now.ppm" $CODE
wait_area_changed "after the confirm: cells 65 to 224" "$G/fresh.ppm" "$G/face.ppm" $LOWER_ROWS

close_glyphery
check_eq "exit status after the second close" 0 "$?"
check_setting Font "Name=$FACE"
check_setting Font "B=0"
check_setting Font "I=0"
