#!/usr/bin/env bash
# The main window as the window manager sees it: title, fixed size, hints,
# icon, start position, closing, and the settings written on close.

. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# xwininfo_field WINDOW LABEL: one "Label: value" line of xwininfo.
xwininfo_field() {
    xwininfo -id "$1" 2>/dev/null | awk -v label="$2:" '
        { line = $0; sub(/^ +/, "", line) }
        index(line, label) == 1 { sub(label " *", "", line); print line; exit }
    '
}

client_size() {
    echo "$(xwininfo_field "$GLYPHERY_WIN" Width)x$(xwininfo_field "$GLYPHERY_WIN" Height)"
}

client_origin() {
    echo "$(xwininfo_field "$GLYPHERY_WIN" 'Absolute upper-left X') $(xwininfo_field "$GLYPHERY_WIN" 'Absolute upper-left Y')"
}

# left right top bottom, once the window manager has published them.
frame_extents() {
    local until values
    until=$(deadline_in 5)
    while before "$until"; do
        values=$(xprop -id "$GLYPHERY_WIN" -notype _NET_FRAME_EXTENTS 2>/dev/null |
            sed -n 's/^_NET_FRAME_EXTENTS = //p' | tr -d ',')
        [ -n "$values" ] && { echo "$values"; return 0; }
        sleep 0.05
    done
    return 1
}

# ---------------------------------------------------------------- first run
start_x
[ -e "$SETTINGS_FILE" ] && fail "a settings file exists before the first run"
start_glyphery

check_eq "WM_NAME" '"Glyphery"' "$(xprop -id "$GLYPHERY_WIN" -notype WM_NAME | sed -n 's/^WM_NAME = //p')"
check_eq "_NET_WM_NAME" '"Glyphery"' "$(xprop -id "$GLYPHERY_WIN" -notype _NET_WM_NAME | sed -n 's/^_NET_WM_NAME = //p')"
check_eq "client area" "925x211" "$(client_size)"

hints=$(xprop -id "$GLYPHERY_WIN" WM_NORMAL_HINTS)
check_eq "WM_NORMAL_HINTS minimum size" "925 by 211" \
    "$(printf '%s\n' "$hints" | sed -n 's/.*program specified minimum size: //p')"
check_eq "WM_NORMAL_HINTS maximum size" "925 by 211" \
    "$(printf '%s\n' "$hints" | sed -n 's/.*program specified maximum size: //p')"

# Motif hints: flags, functions, decorations. A set "all" bit turns the
# listed bits into the ones taken away.
motif=$(xprop -id "$GLYPHERY_WIN" -notype _MOTIF_WM_HINTS | sed -n 's/^_MOTIF_WM_HINTS = //p' | tr -d ',')
[ -n "$motif" ] || fail "the window has no _MOTIF_WM_HINTS"
read -r mflags mfunctions mdecorations _ <<<"$motif"
motif_offers() { # FLAG-BIT FIELD BIT
    (( (mflags & $1) == 0 )) && return 0
    if (( $2 & 1 )); then (( ($2 & $3) == 0 )); else (( ($2 & $3) != 0 )); fi
}
motif_offers 1 "$mfunctions" 8 && fail "the Motif hints allow minimizing (hints: $motif)"
motif_offers 1 "$mfunctions" 16 && fail "the Motif hints allow maximizing (hints: $motif)"
motif_offers 2 "$mdecorations" 32 && fail "the Motif hints ask for a minimize button (hints: $motif)"
motif_offers 2 "$mdecorations" 64 && fail "the Motif hints ask for a maximize button (hints: $motif)"
ok "Motif hints offer neither minimize nor maximize ($motif)"

# _NET_WM_ICON is a run of width, height, width*height pixels.
icon_sizes=$(xprop -id "$GLYPHERY_WIN" -notype -f _NET_WM_ICON 32c _NET_WM_ICON | awk '
    { sub(/^_NET_WM_ICON = /, ""); n = split($0, v, /, */) }
    END {
        i = 1
        while (i + 1 <= n) {
            w = v[i] + 0; h = v[i + 1] + 0
            if (w <= 0 || h <= 0) { print "malformed"; exit }
            printf "%dx%d ", w, h
            i += 2 + w * h
        }
        if (i != n + 1) print "malformed"
    }')
case " $icon_sizes" in *malformed*) fail "_NET_WM_ICON is malformed (sizes read: $icon_sizes)" ;; esac
case " $icon_sizes" in *" 16x16 "*) ;; *) fail "_NET_WM_ICON has no 16x16 image (has: ${icon_sizes:-none})" ;; esac
case " $icon_sizes" in *" 32x32 "*) ;; *) fail "_NET_WM_ICON has no 32x32 image (has: $icon_sizes)" ;; esac
ok "_NET_WM_ICON holds 16x16 and 32x32 images ($icon_sizes)"

# Start position: the outer window a third of the free height from the top,
# centred across. The program may settle only once it knows the frame.
extents=$(frame_extents) || fail "the window manager published no _NET_FRAME_EXTENTS"
read -r fl fr ft fb <<<"$extents"
screen_w=$(xwininfo -root | awk '/^ *Width:/ { print $2 }')
screen_h=$(xwininfo -root | awk '/^ *Height:/ { print $2 }')
outer_w=$((925 + fl + fr))
outer_h=$((211 + ft + fb))
want_left=$(awk -v s="$screen_w" -v o="$outer_w" 'BEGIN { printf "%.2f", (s - o) / 2 }')
want_top=$(awk -v s="$screen_h" -v o="$outer_h" 'BEGIN { printf "%.2f", (s - o) / 3 }')
until=$(deadline_in 5)
while :; do
    read -r cx cy <<<"$(client_origin)"
    left=$((cx - fl))
    top=$((cy - ft))
    awk -v a="$left" -v b="$want_left" -v c="$top" -v d="$want_top" \
        'BEGIN { exit !((a - b) <= 1 && (b - a) <= 1 && (c - d) <= 1 && (d - c) <= 1) }' && break
    before "$until" || fail "outer window at left=$left top=$top, expected left=$want_left top=$want_top (±1) on a ${screen_w}x${screen_h} screen with frame extents $extents"
    sleep 0.05
done
ok "outer window at left=$left top=$top (expected $want_left, $want_top; frame extents $extents)"

# A resize request must leave the size alone. The move sent after it is
# handled after it, so once the window has moved the resize was decided.
timeout 10 xdotool windowsize "$GLYPHERY_WIN" 600 320 || fail "xdotool windowsize failed"
timeout 10 xdotool windowmove "$GLYPHERY_WIN" 40 50 || fail "xdotool windowmove failed"
until=$(deadline_in 5)
while [ "$(client_origin)" = "$cx $cy" ]; do
    before "$until" || fail "the window did not move after the resize and move requests"
    sleep 0.05
done
check_eq "client area after a resize request" "925x211" "$(client_size)"

[ -e "$SETTINGS_FILE" ] && fail "the settings file was written before the window was closed"
close_glyphery
check_eq "exit status after a window manager close" 0 "$?"
check_setting Font "Name=Arial"
check_setting Font "B=0"
check_setting Font "I=0"
check_setting Options "Space=0"
check_setting Options "Size=0"

# --------------------------------------------------------------- second run
# Only some values are given; the program reads them and writes all five.
cat >"$SETTINGS_FILE" <<'EOF'
[Font]
Name="DejaVu Sans"
B=1

[Options]
Size=1
EOF
start_glyphery
close_glyphery
check_eq "exit status after the second close" 0 "$?"
check_setting Font "Name=DejaVu Sans"
check_setting Font "B=1"
check_setting Font "I=0"
check_setting Options "Space=0"
check_setting Options "Size=1"
