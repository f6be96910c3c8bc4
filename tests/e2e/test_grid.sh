#!/usr/bin/env bash
# The character grid from the keyboard and the mouse: moving the focus,
# copying a cell's character and appending it to the clipboard's text.
# Cell k shows the Windows-1252 character of code k+31.

. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# repeat N KEY: N presses of KEY, as arguments for press_keys.
repeat() {
    local i
    for ((i = 0; i < $1; i++)); do printf '%s ' "$2"; done
}

start_x
start_glyphery
activate_glyphery

# The focus starts on a hidden box; Tab brings it to cell 1, a space.
set_clip "text from before the test"
press_keys Tab Return
expect_clip "Tab, Enter (cell 1)" " "

# Nothing lies left of or above cell 1.
set_clip "marker 1"
press_keys Left Up Return
expect_clip "Left, Up at cell 1, Enter (still cell 1)" " "

# 33 steps right cross the end of the first row to cell 34.
set_clip "marker 2"
# shellcheck disable=SC2046
press_keys $(repeat 33 Right) Return
expect_clip "33 x Right, Enter (cell 34)" "A"

# Back over the row end: cell 32, then on to cell 34 again.
set_clip "marker 3"
press_keys Left Left Return
expect_clip "Left x2, Enter (cell 32)" "?"

set_clip "marker 4"
press_keys Right Right Down Return
expect_clip "Right x2, Down, Enter (cell 66)" "a"

set_clip "marker 5"
press_keys Up Return
expect_clip "Up, Enter (cell 34)" "A"

# Shift, Ctrl and Alt with Enter append instead of replacing.
press_keys Right shift+Return
expect_clip "Right, Shift+Enter (cell 35 appended)" "AB"
press_keys Right ctrl+Return
expect_clip "Right, Ctrl+Enter (cell 36 appended)" "ABC"
press_keys Right alt+Return
expect_clip "Right, Alt+Enter (cell 37 appended)" "ABCD"

# Appending works on text another program put on the clipboard.
set_clip "xyz"
press_keys shift+Return
expect_clip "Shift+Enter after xclip set 'xyz' (cell 37 appended)" "xyzD"

# Down stops at the last row: cell 37 + 5 rows = cell 197.
set_clip "marker 6"
# shellcheck disable=SC2046
press_keys $(repeat 6 Down) Return
expect_clip "Down x6, Enter (cell 197, last row)" $'\xc3\xa4' # ä

# Right stops at the last cell.
set_clip "marker 7"
# shellcheck disable=SC2046
press_keys $(repeat 28 Right) Return
expect_clip "Right x28, Enter (cell 224, last cell)" $'\xc3\xbf' # ÿ

# A double-click copies the cell under the pointer.
set_clip "marker 8"
double_click_cell 97
expect_clip "double-click on cell 97" $'\xe2\x82\xac' # € from code 128

set_clip "marker 9"
double_click_cell 98
expect_clip "double-click on cell 98" $'\xc2\x81' # code 129 has no glyph of its own

set_clip "marker 10"
double_click_cell 129
expect_clip "double-click on cell 129" $'\xc2\xa0' # no-break space, code 160

set_clip "marker 11"
double_click_cell 224
expect_clip "double-click on cell 224" $'\xc3\xbf' # ÿ

set_clip "marker 12"
double_click_cell 34
expect_clip "double-click on cell 34" "A"

close_glyphery
check_eq "exit status after a window manager close" 0 "$?"
