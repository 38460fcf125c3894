#!/usr/bin/env bash
# The real program in a virtual X server, used by mouse and keyboard like a person would: a
# two-person game of three moves, the record written through the panel and read back, stepped
# through with 進 and 戻, then a background chosen and found again after a restart.
#
#   tests/e2e/record_game.sh [BUILD_DIR]      (default: build/ beside tests/)
#
# Exit 0 passed, 1 failed (with the reason and a screenshot), 77 skipped (tools missing).
# The final screenshot is saved as BUILD_DIR/e2e/record_game.png.
set -euo pipefail

e2e_name=record_game
me=$(readlink -f "$0")
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$me")/lib.sh"

e2e_limit=170
e2e_outside "$@"
e2e_inside "$@"
start_program

# The menu bar's titles, left to right, as the spans of columns holding dark text.
menu_titles=$(convert "$tmp/start.png" -crop "${WW}x${menu_bar}+${WX}+${WY}" +repage \
    -colorspace gray -threshold 50% -negate -scale "${WW}x1!" -depth 8 txt:- |
    awk -F'[(,):]' 'NR > 1 && $4 > 0 { print $1 }' |
    awk 'NR == 1 { s = $1; p = $1; next } $1 > p + 6 { print int((s + p) / 2); s = $1 } { p = $1 }
         END { print int((s + p) / 2) }')
[ "$(echo "$menu_titles" | wc -l)" -eq 8 ] || fail "expected 8 titles on the menu bar, found: $(echo $menu_titles)"
# Clicks title $1 (1 対局, 2 戻, 3 進, 4 局面, 5 棋譜, 6 ｵﾌﾟｼｮﾝ); a menu's popup is waited for.
click_title() {
    local x open
    x=$(echo "$menu_titles" | sed -n "${1}p")
    open=$(count_windows)
    # From off the bar: a title clicked twice in a row is entered afresh.
    xdotool mousemove "$(cell_x 5)" "$(cell_y 5)" sleep 0.2
    xdotool mousemove $((WX + x)) $((WY + menu_bar / 2)) sleep 0.2 click 1
    [ "${2:-}" = action ] && return
    while [ "$(count_windows)" -le "$open" ]; do
        running; in_time "the menu $1 did not open"; sleep 0.1
    done
}
# Keys in an open menu; a Right that opens a submenu is waited for.
submenu() {
    local open
    open=$(count_windows)
    xdotool key "$@"
    while [ "$(count_windows)" -le "$open" ]; do
        running; in_time "a submenu did not open"; sleep 0.1
    done
}


# Waits until cell (x, y) looks different from screenshot $3.
wait_cell() {
    local x=$1 y=$2 ref=$3 what=$4 full
    # The cell with its outline, which shows a selection.
    full="$(awk -v k="$k" 'BEGIN { printf "%dx%d", 555 * k + 1, 675 * k + 1 }')"
    full="$full+$(to_x $((1050 + 495 * x - 30)))+$(to_y $((100 + 615 * y - 30)))"
    crop "$ref" "$full" "$tmp/cell_ref.png"
    while :; do
        running; in_time "$what"
        shot "$tmp/now.png"
        crop "$tmp/now.png" "$full" "$tmp/cell_now.png"
        differs "$(difference "$tmp/cell_ref.png" "$tmp/cell_now.png")" 0.01 && return
        sleep 0.1
    done
}

# Cell (x, y) of screenshot $3 looks like cell (x2, y2) of screenshot $6 (a piece or an
# empty square), or not when $7 is "not".
same_cell() {
    local x=$1 y=$2 a=$3 x2=$4 y2=$5 b=$6 d
    crop "$a" "$(cell_geometry "$x" "$y")" "$tmp/cmp_a.png"
    crop "$b" "$(cell_geometry "$x2" "$y2")" "$tmp/cmp_b.png"
    d=$(match "$tmp/cmp_a.png" "$tmp/cmp_b.png")
    if [ "${7:-}" = not ]; then
        differs "$d" "$changed" || fail "$8 (difference $d)"
    else
        differs "$d" "$changed" && fail "$8 (difference $d)"
    fi
    rm -f "$tmp"/cmp_*.png
}

# One move by mouse: a click on the piece, which is then shown selected, and on its target.
move() {
    local fx=$1 fy=$2 tx=$3 ty=$4
    settle "the board did not settle before the move ($fx,$fy)→($tx,$ty)"
    cp "$tmp/now.png" "$tmp/pre_move.png"
    xdotool mousemove "$(cell_x "$fx")" "$(cell_y "$fy")" click 1
    wait_cell "$fx" "$fy" "$tmp/pre_move.png" "the click on ($fx,$fy) did not select the piece"
    xdotool mousemove "$(cell_x "$tx")" "$(cell_y "$ty")" click 1
    wait_cell "$tx" "$ty" "$tmp/pre_move.png" "the piece did not arrive on ($tx,$ty)"
    settle "the board did not settle after the move ($fx,$fy)→($tx,$ty)"
    same_cell "$tx" "$ty" "$tmp/now.png" "$fx" "$fy" "$tmp/pre_move.png" "" \
        "the piece from ($fx,$fy) is not shown on ($tx,$ty)"
    # The source is empty, or holds the piece that followed from behind: it changed.
    same_cell "$fx" "$fy" "$tmp/now.png" "$fx" "$fy" "$tmp/pre_move.png" not \
        "the square ($fx,$fy) did not change with the move"
    say "moved ($fx,$fy)→($tx,$ty)"
}

# The average colour of the canvas's background right of the board's clocks, as "r g b".
background() {
    convert "$1" -crop "$(awk -v k="$k" -v ox="$WX" -v oy="$((WY + menu_bar))" 'BEGIN {
        printf "%dx%d+%d+%d", 600 * k, 600 * k, ox + 8700 * k, oy + 6300 * k }')" +repage \
        -scale '1x1!' -depth 8 txt:- | awk -F'[(,):]' 'NR == 2 { printf "%d %d %d", $4, $5, $6 }'
}
colour_distance() {
    awk -v a="$1" -v b="$2" 'BEGIN { split(a, x, " "); split(b, y, " ")
        d = 0; for (i = 1; i <= 3; ++i) d += (x[i] > y[i] ? x[i] - y[i] : y[i] - x[i]); print d }'
}
# A twip position of the canvas clicked (a panel widget).
click_twips() { xdotool mousemove "$(to_x "$1")" "$(to_y "$2")" click 1; }

# 対局 → 対局(人間) → スタート.
click_title 1
submenu Down Right
xdotool key Return
expect_box "先手の番です" " "
settle "the board did not settle after the start"
cp "$tmp/now.png" "$tmp/opening.png"

# Three moves; the second player moves the top side's pieces with the same mouse. Behind the
# last pawn its bishop and knight follow it up the column (this game's own rule).
move 7 7 7 6
move 3 3 3 4
move 2 7 2 6
cp "$tmp/now.png" "$tmp/played.png"
# Between people the position after a move is stored when the next move starts: a fourth
# move stores the third.
move 8 3 8 4

# 棋譜 → 書込: the name boxes; a game name in 対局名, a file name, Enter in the file name.
click_title 5
xdotool key Down Down Return
record=e2e_record
click_twips $((960 + 1100)) $((2400 + 135))
xdotool type --delay 20 "e2e test game"
click_twips $((960 + 1100)) $((3120 + 135))
xdotool type --delay 20 "$record"
xdotool key Return
expect_box "棋譜を書き込みました" "  "
file="$play/$record.棋譜"
[ -f "$file" ] || fail "no record file $file after writing"
cp "$file" "$out/$e2e_name.棋譜"
lines=$(iconv -f CP932 -t UTF-8 "$file" | tr -d '\r' | awk 'END { print NR }')
[ "$lines" -eq 6 ] || fail "the record has $lines lines, expected 3 header lines and 3 positions"
line4=$(iconv -f CP932 -t UTF-8 "$file" | tr -d '\r' | sed -n 4p)
line5=$(iconv -f CP932 -t UTF-8 "$file" | tr -d '\r' | sed -n 6p)
[ "${#line5}" -eq 277 ] || fail "line 6 of the record has ${#line5} characters, expected 277"
[ "${#line4}" -eq 277 ] || fail "line 4 of the record has ${#line4} characters, expected 277"
iconv -f CP932 -t UTF-8 "$file" | sed -n 1p | grep -q "e2e test game" ||
    fail "the record's first line does not hold the game name"
say "record written: $lines lines, line 4 of ${#line4} characters"

# 棋譜 → 読込: the file lists; a click on the record's name (the only one in the list).
click_title 5
xdotool key Down Return
settle "the board did not settle after 読込"
shot "$tmp/lists.png"
click_twips 1000 $((2280 + 150))
expect_box " 読み込みました" "棋譜"
expect_box "棋譜を '進 'で進めて下さい" "棋譜"
settle "the board did not settle after reading the record"
cp "$tmp/now.png" "$tmp/read.png"
# Read back, the board is at the start again.
same_cell 7 7 "$tmp/read.png" 7 7 "$tmp/opening.png" "" "after reading, (7,7) is not as at the start"
same_cell 2 7 "$tmp/read.png" 2 7 "$tmp/opening.png" "" "after reading, (2,7) is not as at the start"

# 進 three times: one move each.
step=1
for cell in 7:6 3:4 2:6; do
    IFS=: read -r x y <<<"$cell"
    cp "$tmp/now.png" "$tmp/pre_step.png"
    click_title 3 action
    wait_cell "$x" "$y" "$tmp/pre_step.png" "進 $step did not bring a piece to ($x,$y)"
    settle "the board did not settle after 進 $step"
    say "進 $step moved a piece to ($x,$y)"
    step=$((step + 1))
done
# After three steps the position is the one after the third move.
for cell in 7:7 7:6 3:3 3:4 2:6 2:7 2:8 2:9 5:5; do
    IFS=: read -r x y <<<"$cell"
    same_cell "$x" "$y" "$tmp/now.png" "$x" "$y" "$tmp/played.png" "" \
        "after three steps, ($x,$y) differs from the position written"
done
# 戻 once: the last moved pawn is back on (2,7) and (2,6) is empty.
cp "$tmp/now.png" "$tmp/pre_step.png"
click_title 2 action
wait_cell 2 6 "$tmp/pre_step.png" "戻 did not take back the last move"
settle "the board did not settle after 戻"
same_cell 2 7 "$tmp/now.png" 2 7 "$tmp/opening.png" "" "after 戻 the pawn is not back on (2,7)"
same_cell 2 6 "$tmp/now.png" 2 6 "$tmp/opening.png" "" "after 戻 the square (2,6) is not empty"
same_cell 2 8 "$tmp/now.png" 2 8 "$tmp/opening.png" "" "after 戻 the bishop is not back on (2,8)"
same_cell 2 9 "$tmp/now.png" 2 9 "$tmp/opening.png" "" "after 戻 the knight is not back on (2,9)"
same_cell 7 6 "$tmp/now.png" 7 6 "$tmp/played.png" "" "after 戻 the first move is no longer shown"
say "進 ×3 and 戻 showed the record's positions"

# A click on the board while browsing asks to use 進: Esc on that Yes/No box answers nothing
# (a No would throw the record away); Return answers Yes, and 進 still steps the record.
xdotool mousemove "$(cell_x 5)" "$(cell_y 5)" click 1
box=
while [ -z "$box" ]; do
    running; in_time "no box asked to advance the record with 進"
    box=$(other_window "$main"); [ -z "$box" ] && sleep 0.1
done
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) sleep 0.2 key Escape sleep 0.8
windows | grep -qx "$box" || fail "Esc closed the Yes/No box \"棋譜を '進 'で進めて下さい\""
answer_box "$box"
cp "$tmp/now.png" "$tmp/pre_step.png"
click_title 3 action
wait_cell 2 6 "$tmp/pre_step.png" "進 after Esc on the Yes/No box did not step the record"
settle "the board did not settle after 進"
same_cell 2 6 "$tmp/now.png" 2 6 "$tmp/played.png" "" "after Esc on the box the record was lost"
say "Esc left the Yes/No box open; the record was kept"

# ｵﾌﾟｼｮﾝ → 背景画 → 宇宙: the background changes colour.
before=$(background "$tmp/now.png")
click_title 6
submenu Down Right
xdotool key Down Down Down Return
while :; do
    running; in_time "the background did not change after 宇宙 (it stays $before)"
    shot "$tmp/now.png"
    space=$(background "$tmp/now.png")
    [ "$(colour_distance "$before" "$space")" -gt 60 ] && break
    sleep 0.1
done
settle "the board did not settle after 宇宙"
space=$(background "$tmp/now.png")
say "background $before became $space"
import -window "$main" "png:$out/record_game.png"

# Esc ends the program; the settings file keeps the background.
stop_program
[ -f "$play/Torvane.ini" ] || fail "no settings file Torvane.ini in the play directory"
iconv -f CP932 -t UTF-8 "$play/Torvane.ini" | tr -d '\r' | grep -qx '背景画=宇宙' ||
    fail "Torvane.ini does not hold 背景画=宇宙: $(iconv -f CP932 -t UTF-8 "$play/Torvane.ini" | tr '\n' ' ')"

# Started again in the same directory, the window shows the space background.
start_program
settle "the board did not settle after the restart"
again=$(background "$tmp/now.png")
[ "$(colour_distance "$space" "$again")" -le 12 ] ||
    fail "after the restart the background is $again, not the space colour $space"
say "after the restart the background is $again again"
stop_program
say "passed"
