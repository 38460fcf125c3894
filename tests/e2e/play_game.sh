#!/usr/bin/env bash
# The real program in a virtual X server, played by mouse like a person would: start a game
# against the computer as 先手, move the pawn of column 3 one square forward, wait for the
# computer's reply, and check the screen where the move should show.
#
#   tests/e2e/play_game.sh [BUILD_DIR]      (default: build/ beside tests/)
#
# Exit 0 passed, 1 failed (with the reason and a screenshot), 77 skipped (tools missing).
# The final screenshot is saved as BUILD_DIR/e2e/play_game.png.
set -euo pipefail

e2e_name=play_game
me=$(readlink -f "$0")
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$me")/lib.sh"

# Outside: check the tools, lay out a fresh play directory and start the virtual screen.
e2e_outside "$@"

# Inside the virtual screen.
e2e_inside "$@"
start_program

# 対局 → 対局(COM) → 先手, with the keyboard once the menu is open.
open_count=$(count_windows)
xdotool mousemove $((WX + 12)) $((WY + menu_bar / 2)) click 1
while [ "$(count_windows)" -le "$open_count" ]; do
    running; in_time "the menu 対局 did not open"; sleep 0.1
done
xdotool key Down Down Right
while [ "$(count_windows)" -le $((open_count + 1)) ]; do
    running; in_time "the submenu 対局(COM) did not open"; sleep 0.1
done
xdotool key Return

# "MANの番です" is answered with Return.
expect_box "MANの番です"
sleep 0.2
shot "$tmp/before.png"

# Wait until a cell looks different from the first screenshot (an outline or a piece).
wait_for_cell_change() {
    local x=$1 y=$2 what=$3 geometry
    local left top
    left=$(to_x "$(awk -v c="$x" 'BEGIN { print 1050 + 495 * c - 30 }')")
    top=$(to_y "$(awk -v c="$y" 'BEGIN { print 100 + 615 * c - 30 }')")
    local full
    full="$(awk -v k="$k" 'BEGIN { printf "%dx%d", 555 * k + 1, 675 * k + 1 }')+${left}+${top}"
    crop "$tmp/before.png" "$full" "$tmp/cell_before.png"
    while :; do
        running; in_time "$what"
        shot "$tmp/now.png"
        crop "$tmp/now.png" "$full" "$tmp/cell_now.png"
        differs "$(difference "$tmp/cell_before.png" "$tmp/cell_now.png")" 0.01 && return
        sleep 0.1
    done
}

# The pawn on cell (7, 7), shown as 3七, goes to (7, 6).
xdotool mousemove "$(cell_x 7)" "$(cell_y 7)" click 1
wait_for_cell_change 7 7 "the click on the pawn at (7, 7) did not select it"
xdotool mousemove "$(cell_x 7)" "$(cell_y 6)" click 1

# COM answers: it thinks, blinks its piece twice (0.8 s), moves it and waits 0.5 s. The reply
# is over when the board changed in COM's half and has stood still for well over the longest
# of those steps.
while :; do
    settle "COM's reply did not finish" 1500
    com_changed=$(changed_cells "$tmp/before.png" "$tmp/now.png" 5)
    [ -n "$com_changed" ] && break
done
cp "$tmp/now.png" "$tmp/after.png"
say "COM's half changed at$com_changed"

# Source and destination of MAN's move: the pawn left (7, 7) and stands on (7, 6).
for name in src:7:7 dst:7:6; do
    IFS=: read -r n x y <<<"$name"
    crop "$tmp/before.png" "$(cell_geometry "$x" "$y")" "$tmp/${n}_before.png"
    crop "$tmp/after.png" "$(cell_geometry "$x" "$y")" "$tmp/${n}_after.png"
done
# The source now looks like the destination did (an empty square), and the destination like
# the source did (the pawn).
d_src=$(match "$tmp/dst_before.png" "$tmp/src_after.png")
d_dst=$(match "$tmp/src_before.png" "$tmp/dst_after.png")
d_moved=$(difference "$tmp/dst_after.png" "$tmp/dst_before.png")
say "differences: source vs empty square $d_src, destination vs pawn $d_dst, destination before/after $d_moved"
differs "$d_src" "$changed" && fail "the source square (7, 7) does not look empty after the move"
differs "$d_dst" "$changed" && fail "the destination square (7, 6) does not look like the pawn"
differs "$d_moved" "$changed" || fail "the destination square (7, 6) did not change"

final="$out/play_game.png"
import -window "$main" "png:$final"
say "final screenshot: $final"

# Esc ends the program, which leaves its settings file in the play directory.
stop_program
[ -f "$play/Torvane.ini" ] || fail "no settings file Torvane.ini in the play directory"
say "passed"
