#!/usr/bin/env bash
# The real program under a window manager (openbox), as on a desktop: the frame's top is on
# the screen, the window does not shrink below the design size, a wide window shows the
# background tiles and not the plain window colour around the board, Esc ends the game after
# the menu bar was left with Esc, and Ctrl+Q ends it quickly.
#
#   tests/e2e/window_manager.sh [BUILD_DIR]      (default: build/ beside tests/)
#
# Exit 0 passed, 1 failed (with the reason and a screenshot), 77 skipped (tools missing).
set -euo pipefail

e2e_name=window_manager
e2e_wm=openbox
me=$(readlink -f "$0")
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$me")/lib.sh"

e2e_outside "$@"
e2e_inside "$@"

# Waits for the program to end by itself, cleanly.
ended() {
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.02; done
    kill -0 "$pid" 2>/dev/null && fail "$1"
    wait "$pid" || fail "the program ended with an error"
    pid=
}
start_program

# The frame's top: the inner area's top less the title bar, on the screen.
read -r _ _ frame_top _ <<<"$(xprop -id "$main" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)"
[ -n "$frame_top" ] || fail "openbox put no frame around the window"
inner_top=$(xwininfo -id "$main" | sed -n 's/.*Absolute upper-left Y: *//p')
say "frame ${frame_top} px above the inner area at y ${inner_top}"
[ $((inner_top - frame_top)) -ge 0 ] || fail "the frame's top is at $((inner_top - frame_top)), above the screen"

# Dragged smaller than the design size: it stays at 640 × 480 plus the menu bar.
xdotool windowsize "$main" 300 200
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")"
say "asked for 300x200, got ${WIDTH}x${HEIGHT}"
[ "$WIDTH" -ge 640 ] && [ "$HEIGHT" -ge $((480 + menu_bar)) ] ||
    fail "the window shrank to ${WIDTH}x${HEIGHT}, below 640x$((480 + menu_bar))"

# Wide: the board centred, background tiles left and right of it, no plain window colour.
xdotool windowsize "$main" 1260 $((600 + menu_bar))
sleep 0.5
window_place
canvas_w=$WW canvas_h=$((WH - menu_bar))
k=$(awk -v w="$canvas_w" -v h="$canvas_h" 'BEGIN { s = w / 640; if (h / 480 < s) s = h / 480; printf "%.6f", s / 15 }')
design_place
settle "the wide window was not painted" 500
cp "$tmp/now.png" "$out/$e2e_name-wide.png"
plain=0
for strip in "${ox}x${canvas_h}+${WX}+$((WY + menu_bar))" \
    "$((canvas_w - ox - dw))x${canvas_h}+$((WX + ox + dw))+$((WY + menu_bar))"; do
    n=$(convert "$tmp/now.png" -crop "$strip" +repage txt:- | grep -ci '#008000' || true)
    plain=$((plain + n))
done
say "margins of ${ox} px beside the board: $plain pixels of the plain window colour"
[ "$ox" -gt 100 ] || fail "the board is not centred: ${ox} px to its left"
[ "$plain" -eq 0 ] || fail "$plain pixels of the plain window colour beside the board"
# The board itself moved with it: a click on a cell still finds its cell.
a=$(difference <(crop "$tmp/now.png" "$(cell_geometry 5 9)" png:-) <(crop "$tmp/now.png" "$(cell_geometry 5 1)" png:-) 2>/dev/null || true)

# A menu closed with Esc leaves the bar active; the next Esc leaves the bar, and only the one
# after ends the game.
xdotool key F10
sleep 0.3
[ "$(count_windows)" -ge 2 ] || fail "F10 opened no menu"
xdotool key Escape
sleep 0.3
xdotool key Escape
sleep 0.3
kill -0 "$pid" 2>/dev/null || fail "Esc on the active menu bar ended the game"
xdotool key Escape
ended "Esc after the menu bar was left did not end the game"

# Ctrl+Q ends the game, quickly.
start_program
start=$(date +%s%N)
xdotool key ctrl+q
ended "Ctrl+Q did not end the game"
say "ended $(( ($(date +%s%N) - start) / 1000000 )) ms after Ctrl+Q"
say "passed"
