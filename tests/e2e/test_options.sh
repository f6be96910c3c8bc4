#!/usr/bin/env bash
# shellcheck disable=SC2086 # positions and areas are "x y" and "x y w h" on purpose
# The option row under the preview: bold, italic, small sizes and a leading
# blank, clicked with the mouse and read back from window grabs and from the
# settings written on close; then the reset button in a second run.
# Within one run a state must always give the same pixels, another state
# other pixels, so grabs are compared exactly.

. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# Client pixels from the layout's twips (15 twips a pixel). The boxes overlap;
# cmdN lies on top, then chkSpace, chkSize, chkI, chkB, so each is clicked in
# the middle of the part that no box above it covers.
CMDN="806 160"      # cmdN (800,154) 12x13
CHK_B="817 160"     # chkB (812,152) 17x17, uncovered x 812..823
CHK_I="831 160"     # chkI (824,152) 17x17, uncovered x 824..839
CHK_SPACE="847 160" # chkSpace (840,152) 15x17
CHK_SIZE="863 160"  # chkSize (856,152) 15x17
# The 224 cells: 7 rows of 32, 24 px apart, 25 px wide, the first at (16,24).
GRID="16 24 769 169"
PREVIEW="800 40 121 105" # CharXXL
SYMBOL="840 80 41 41"    # the program icon over the preview
YELLOW='r >= 200 && g >= 150 && b <= 130' # the icon's cube; no text colour is like it

G="$E2E_TMP/grabs"
mkdir -p "$G"

# ---------------------------------------------------------------- first run
start_x
[ -e "$SETTINGS_FILE" ] && fail "a settings file exists before the first run"
start_glyphery

grab_settled "$G/fresh.ppm" $GRID
n=$(count_pixels "$G/fresh.ppm" $SYMBOL "$YELLOW")
[ "$n" -ge 20 ] || fail "the program icon does not cover the preview at start ($n yellow pixels in it)"
ok "the program icon covers the preview at start ($n yellow pixels)"

click_at $CHK_SIZE
wait_area_changed "chkSize on: the cells" "$G/fresh.ppm" "$G/size.ppm" $GRID
# Off again the cells get 14 points, not quite the 13.5 they start with; on
# again they show the very same pixels as the first time.
click_at $CHK_SIZE
wait_area_changed "chkSize off again: the cells" "$G/size.ppm" "$G/large.ppm" $GRID
click_at $CHK_SIZE
wait_area_same "chkSize on again: the cells" "$G/size.ppm" "$G/now.ppm" $GRID

click_at $CHK_B
wait_area_changed "chkB on: the cells" "$G/size.ppm" "$G/size-bold.ppm" $GRID
click_at $CHK_B
wait_area_same "chkB off again: the cells" "$G/size.ppm" "$G/now.ppm" $GRID
click_at $CHK_B
wait_area_same "chkB on again: the cells" "$G/size-bold.ppm" "$G/now.ppm" $GRID

click_at $CHK_I
wait_area_changed "chkI on: the cells" "$G/size-bold.ppm" "$G/size-bold-italic.ppm" $GRID

# A cell's character in the preview, then with a blank before it.
click_cell 34 # A
timeout 10 xdotool mousemove 1 1 >/dev/null 2>&1
wait_area_changed "cell 34 clicked: the preview" "$G/size-bold-italic.ppm" "$G/letter.ppm" $PREVIEW
n=$(count_pixels "$G/letter.ppm" $SYMBOL "$YELLOW")
[ "$n" = 0 ] || fail "the program icon still shows over the preview of cell 34 ($n yellow pixels)"
click_at $CHK_SPACE
wait_area_changed "chkSpace on: the preview" "$G/letter.ppm" "$G/spaced.ppm" $PREVIEW
# The box took the focus from cell 34, and the blank is no matter of the cells.
wait_area_same "chkSpace on: the cells" "$G/size-bold-italic.ppm" "$G/now.ppm" $GRID
click_at $CHK_SPACE
wait_area_same "chkSpace off again: the preview" "$G/letter.ppm" "$G/now.ppm" $PREVIEW
click_at $CHK_SPACE
wait_area_same "chkSpace on again: the preview" "$G/spaced.ppm" "$G/now.ppm" $PREVIEW

close_glyphery
check_eq "exit status after the first close" 0 "$?"
check_setting Font "Name=Arial"
check_setting Font "B=1"
check_setting Font "I=1"
check_setting Options "Size=1"
check_setting Options "Space=1"

# --------------------------------------------------------------- second run
# The stored options give the cells and the preview of the end of the first
# run; the reset button then takes bold and italic away and keeps the rest.
start_glyphery
wait_area_same "second start: the cells" "$G/size-bold-italic.ppm" "$G/now.ppm" $GRID
wait_area_same "second start: the preview (icon, no character)" "$G/fresh.ppm" "$G/now.ppm" $PREVIEW
click_cell 34
timeout 10 xdotool mousemove 1 1 >/dev/null 2>&1
wait_area_same "second start, cell 34 clicked: the preview" "$G/spaced.ppm" "$G/now.ppm" $PREVIEW

click_at $CMDN
wait_area_same "cmdN: the cells" "$G/size.ppm" "$G/now.ppm" $GRID
wait_area_changed "cmdN: the preview" "$G/spaced.ppm" "$G/reset.ppm" $PREVIEW

close_glyphery
check_eq "exit status after the second close" 0 "$?"
check_setting Font "Name=Arial"
check_setting Font "B=0"
check_setting Font "I=0"
check_setting Options "Size=1"
check_setting Options "Space=1"
