#!/usr/bin/env bash
# The real program under a window manager in a virtual X server: a game against COM quit with
# Esc after two moves each, the program started again at the starting position, the kept game
# read back with Ctrl+L, stepped to its end with the Right key (進), and played on by mouse
# after Ctrl+N (先手). The board and the kept record file are checked at each stage.
#
#   tests/e2e/kept_game.sh [BUILD_DIR]      (default: build/ beside tests/)
#
# Exit 0 passed, 1 failed (with the reason and a screenshot), 77 skipped (tools missing).
# The final screenshot is saved as BUILD_DIR/e2e/kept_game.png.
set -euo pipefail

e2e_name=kept_game
me=$(readlink -f "$0")
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$me")/lib.sh"

e2e_limit=200
e2e_wm=openbox
e2e_outside "$@"
e2e_inside "$@"

kept=$XDG_STATE_HOME/torvane/前回.棋譜
# The position lines of the kept game (after its three header lines).
positions() {
    if [ -f "$kept" ]; then iconv -f CP932 -t UTF-8 "$kept" | tr -d '\r' | awk 'NR > 3' | grep -c . || true
    else echo 0; fi
}
# A key pressed with the pointer over the board, where the window has the keyboard.
key() { xdotool mousemove "$(cell_x 5)" "$(cell_y 5)" sleep 0.1 key "$@"; }

# Cell (x, y) of screenshot $3 looks like cell (x2, y2) of screenshot $6; $7 says what failed.
same_cell() {
    local d
    crop "$3" "$(cell_geometry "$1" "$2")" "$tmp/cmp_a.png"
    crop "$6" "$(cell_geometry "$4" "$5")" "$tmp/cmp_b.png"
    d=$(match "$tmp/cmp_a.png" "$tmp/cmp_b.png")
    differs "$d" "$changed" && fail "$7 (difference $d)"
    rm -f "$tmp"/cmp_*.png
}
# Every cell that differs between screenshots $1 and $2 looks in screenshot $3 as in $2.
board_as() {
    local cell x y
    for cell in $(changed_cells "$1" "$2" 9 | tr -d '()'); do
        IFS=, read -r x y <<<"$cell"
        same_cell "$x" "$y" "$3" "$x" "$y" "$2" "$4: ($x,$y)"
    done
}
# Waits until the board differs from screenshot $1.
board_changes() {
    crop "$1" "$(board_geometry)" "$tmp/board_ref.png"
    while :; do
        running; in_time "$2"
        shot "$tmp/now.png"
        crop "$tmp/now.png" "$(board_geometry)" "$tmp/board_now.png"
        differs "$(difference "$tmp/board_ref.png" "$tmp/board_now.png")" 0.002 && return
        sleep 0.1
    done
}
# MAN's move by two clicks; COM answers in the same event, and then the kept game holds $5
# positions.
man_move() {
    settle "the board did not settle before the move ($1,$2)→($3,$4)"
    cp "$tmp/now.png" "$tmp/pre_move.png"
    xdotool mousemove "$(cell_x "$1")" "$(cell_y "$2")" click 1
    board_changes "$tmp/pre_move.png" "the click on ($1,$2) did not select the piece"
    xdotool mousemove "$(cell_x "$3")" "$(cell_y "$4")" click 1
    while [ "$(positions)" -ne "$5" ]; do
        running; in_time "the kept game did not reach $5 positions after ($1,$2)→($3,$4)"
        sleep 0.2
    done
    settle "the board did not settle after COM's reply"
    say "moved ($1,$2)→($3,$4); COM replied; the kept game holds $5 positions"
}

start_program
settle "the board did not settle at start-up"
cp "$tmp/now.png" "$tmp/opening.png"
[ ! -e "$kept" ] || fail "a game was kept before any was played"

key ctrl+n
expect_box "MANの番です" " "
man_move 7 7 7 6 2
man_move 3 7 3 6 4
cp "$tmp/now.png" "$tmp/played.png"
cp "$kept" "$tmp/kept_before"
moved=$(changed_cells "$tmp/opening.png" "$tmp/played.png" 9)
say "the game changed the cells$moved"

# Esc ends the program at once; the game is kept whole.
stop_program
[ "$(positions)" -eq 4 ] || fail "after Esc the kept game holds $(positions) positions, not 4"
cmp -s "$kept" "$tmp/kept_before" || fail "the kept game changed when the program ended"

# Started again: the starting position, as always.
start_program
settle "the board did not settle after the restart"
board_as "$tmp/played.png" "$tmp/opening.png" "$tmp/now.png" "after the restart the board is not at the start"

# Ctrl+L (棋譜 → 前回) reads the kept game back as a record; 進 (Right) four times.
key ctrl+l
expect_box " 読み込みました" "棋譜"
expect_box "棋譜を '進 'で進めて下さい" "棋譜"
settle "the board did not settle after reading the kept game"
for step in 1 2 3 4; do
    cp "$tmp/now.png" "$tmp/pre_step.png"
    key Right
    board_changes "$tmp/pre_step.png" "進 $step changed nothing"
    settle "the board did not settle after 進 $step" 500
done
board_as "$tmp/opening.png" "$tmp/played.png" "$tmp/now.png" "after 進 ×4 the board is not the kept game's"
say "進 ×4 showed the position the game was quit in"

# Ctrl+N (先手) plays on from there: MAN to move, and a click moves the edge pawn.
key ctrl+n
expect_box "MANの番です" "対局"
man_move 1 7 1 6 6
same_cell 1 6 "$tmp/now.png" 1 7 "$tmp/opening.png" "the pawn did not arrive on (1,6)"
same_cell 1 7 "$tmp/now.png" 1 5 "$tmp/opening.png" "the square (1,7) is not empty after the move"
# The kept game goes on from the one read back: its four positions (the last one's times now
# those of the move made from it), then two more.
lines() { iconv -f CP932 -t UTF-8 "$1" | tr -d '\r' | sed -n "$2" | cut -c "1-${3:-277}"; }
[ "$(lines "$kept" 1,6p)" = "$(lines "$tmp/kept_before" 1,6p)" ] &&
    [ "$(lines "$kept" 7p 257)" = "$(lines "$tmp/kept_before" 7p 257)" ] ||
    fail "the kept game does not begin with the game read back"
import -window "$main" "png:$out/$e2e_name.png"
stop_program
say "passed"
