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

say() { echo "play_game [${SECONDS}s]: $*"; }

me=$(readlink -f "$0")
root=$(cd "$(dirname "$me")/../.." && pwd)

# Outside: check the tools, lay out a fresh play directory and start the virtual screen.
if [ -z "${TORVANE_E2E_INSIDE:-}" ]; then
    build=$(readlink -f "${1:-$root/build}")
    for tool in xvfb-run xauth xdotool import convert compare; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            say "skipped: $tool is not installed (make deps installs it)"
            exit 77
        fi
    done
    program="$build/torvane"
    [ -x "$program" ] || { say "FAIL: no program at $program" >&2; exit 1; }
    shopt -s nullglob
    waves=("$build"/play/*.wav)
    [ ${#waves[@]} -eq 5 ] || { say "FAIL: expected the five wave files in $build/play" >&2; exit 1; }
    out="$build/e2e"
    mkdir -p "$out"
    rm -f "$out"/*.png
    # The game writes its settings file where it runs: never into the source tree.
    play=$(mktemp -d "${TMPDIR:-/tmp}/torvane-e2e.XXXXXX")
    trap 'rm -rf "$play"' EXIT
    cp "${waves[@]}" "$play/"
    limit=${TORVANE_E2E_TIMEOUT:-60}
    status=0
    TORVANE_E2E_INSIDE=1 TORVANE_E2E_LIMIT=$((limit - 5)) \
        timeout -k 5 "$limit" xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$me" "$program" "$play" "$out" || status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        say "FAIL: no result within $limit s" >&2
        exit 1
    fi
    exit "$status"
fi

# Inside the virtual screen.
program=$1 play=$2 out=$3
deadline=$((SECONDS + ${TORVANE_E2E_LIMIT:-55}))
pid=
tmp=$(mktemp -d "${TMPDIR:-/tmp}/torvane-e2e-shots.XXXXXX")

cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
    rm -rf "$tmp"
}
trap cleanup EXIT

shot() { import -window root "png:$1"; }

fail() {
    say "FAIL: $*" >&2
    shot "$out/failure.png" 2>/dev/null && say "screen at the failure: $out/failure.png" >&2
    for f in "$tmp"/src_*.png "$tmp"/dst_*.png; do [ -f "$f" ] && cp "$f" "$out/failure-${f##*/}"; done
    if [ -s "$out/torvane.log" ]; then
        say "the program's output:" >&2
        sed 's/^/  /' "$out/torvane.log" >&2
    fi
    exit 1
}

running() { kill -0 "$pid" 2>/dev/null || fail "the program ended unexpectedly"; }
in_time() { [ "$SECONDS" -lt "$deadline" ] || fail "timed out: $1"; }

# The program's visible windows: the main window, its open menus and message boxes.
windows() { xdotool search --onlyvisible --class torvane 2>/dev/null || true; }
count_windows() { windows | grep -c . || true; }
main_window() { xdotool search --onlyvisible --name '^Torvane$' 2>/dev/null | head -n 1 || true; }

# Answers a message box by pressing Return over it (the keyboard follows the pointer).
answer_box() {
    local w=$1 X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$w")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    xdotool key Return
    while windows | grep -x "$w" >/dev/null; do
        running; in_time "the message box $(xdotool getwindowname "$w" 2>/dev/null) did not close"
        sleep 0.1
    done
}

# A box other than the main window, if one is shown.
other_window() {
    local main=$1 w
    for w in $(windows); do
        [ "$w" != "$main" ] && [ "$(xdotool getwindowname "$w" 2>/dev/null)" != Torvane ] && { echo "$w"; return; }
    done
    return 0
}

cd "$play"
# A dummy audio device: the game plays silently and shows no no-sound warning.
SDL_AUDIODRIVER=dummy "$program" >"$out/torvane.log" 2>&1 &
pid=$!

# Start-up. A warning box shown before the window (no sound at all) is answered.
main=
while [ -z "$main" ]; do
    running; in_time "the main window did not appear"
    main=$(main_window)
    if [ -z "$main" ]; then
        box=$(other_window "")
        if [ -n "$box" ]; then
            say "answering \"$(xdotool getwindowname "$box")\" at start-up"
            answer_box "$box"
        fi
        sleep 0.1
    fi
done
eval "$(xdotool getwindowgeometry --shell "$main")"
WX=$X WY=$Y WW=$WIDTH WH=$HEIGHT
say "window $main at ${WX},${WY} size ${WW}x${WH}"

# The colour of one pixel as "r g b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }

# Waits until the board is painted: the canvas's centre is no longer black.
while :; do
    running; in_time "the window was never painted"
    shot "$tmp/start.png"
    read -r r g b <<<"$(pixel "$tmp/start.png" $((WX + WW / 2)) $((WY + WH / 2)))"
    [ $((r + g + b)) -gt 60 ] && break
    sleep 0.2
done

# The menu bar: grey rows above the canvas's coloured background, at the right edge.
menu_bar=$(convert "$tmp/start.png" -crop "1x120+$((WX + WW - 3))+$WY" +repage txt:- |
    awk -F'[(,):]' 'NR == 1 { max = $4; next }
        { r = $4; g = $5; b = $6; d = (r > g ? r - g : g - r) + (g > b ? g - b : b - g)
          if (!found && d * 255 > 12 * max) { print $2 + 0; found = 1 } }')
[ -n "$menu_bar" ] || fail "could not find where the canvas begins below the menu bar"
canvas_w=$WW canvas_h=$((WH - menu_bar))
# The canvas scale: 1 when it is 640 × 480 pixels; 15 twips are a pixel at scale 1.
k=$(awk -v w="$canvas_w" -v h="$canvas_h" 'BEGIN { s = w / 640; if (h / 480 < s) s = h / 480; printf "%.6f", s / 15 }')
say "menu bar ${menu_bar} px, canvas ${canvas_w}x${canvas_h}, $(awk -v k="$k" 'BEGIN { printf "%.4f", 15 * k }') px per 15 twips"

# Screen pixel of a twip position on the canvas.
to_x() { awk -v t="$1" -v k="$k" -v o="$WX" 'BEGIN { printf "%d", o + t * k + 0.5 }'; }
to_y() { awk -v t="$1" -v k="$k" -v o="$((WY + menu_bar))" 'BEGIN { printf "%d", o + t * k + 0.5 }'; }
# The centre of board cell (x, y), whose top-left corner is at (1050 + 495x, 100 + 615y) twips.
cell_x() { to_x "$(awk -v c="$1" 'BEGIN { print 1050 + 495 * (c + 0.5) }')"; }
cell_y() { to_y "$(awk -v c="$1" 'BEGIN { print 100 + 615 * (c + 0.5) }')"; }
# The inside of a cell, clear of its outline, as a crop geometry.
cell_geometry() {
    awk -v x="$1" -v y="$2" -v k="$k" -v ox="$WX" -v oy="$((WY + menu_bar))" 'BEGIN {
        w = 495 * k; h = 615 * k
        printf "%dx%d+%d+%d", int(w * 0.76), int(h * 0.76), int(ox + (1050 + 495 * x) * k + w * 0.12 + 0.5),
                              int(oy + (100 + 615 * y) * k + h * 0.12 + 0.5) }'
}
# The whole board, cells 1..9 in both directions.
board_geometry() {
    local x0 y0 x1 y1
    x0=$(to_x 1545) y0=$(to_y 715) x1=$(to_x 6000) y1=$(to_y 6250)
    echo "$((x1 - x0))x$((y1 - y0))+${x0}+${y0}"
}
crop() { convert "$1" -crop "$2" +repage "png:$3"; }
# How different two crops look: the root mean square difference, 0 same .. 1 opposite.
difference() { { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'; }
# The best match of a crop inside a slightly larger one: cells of different rows may be a pixel
# apart in how they round, so a picture is looked for within a few pixels of its place.
match() {
    convert "$2" -shave 3x3 "png:$tmp/needle.png"
    { compare -metric RMSE -subimage-search "$1" "$tmp/needle.png" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'
}
differs() { awk -v d="$1" -v t="$2" 'BEGIN { exit !(d > t) }'; }
# The board cells (x, y) with y up to $3 whose average colour difference between two
# screenshots shows a piece came or went (an outline alone stays well below).
changed_cells() {
    convert "$1" "$2" -compose difference -composite -crop "$(board_geometry)" +repage \
        -filter box -resize '9x9!' -colorspace gray -depth 8 txt:- |
        awk -F'[(,):]' -v rows="$3" 'NR > 1 && $2 + 1 <= rows && $4 > 12 { printf " (%d,%d)", $1 + 1, $2 + 1 }'
}
# Crops of one cell from two screenshots differ by more than this when a piece came or went;
# the same picture redrawn differs by much less.
changed=0.06

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
box=
while [ -z "$box" ]; do
    running; in_time "no message box after 先手"
    box=$(other_window "$main")
    [ -z "$box" ] && sleep 0.1
done
say "answering the box \"$(xdotool getwindowname "$box")\" after 先手"
answer_box "$box"
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
board=$(board_geometry)
crop "$tmp/before.png" "$board" "$tmp/board_before.png"
cp "$tmp/board_before.png" "$tmp/board_last.png"
still_since=-1
while :; do
    running; in_time "COM's reply did not finish"
    shot "$tmp/now.png"
    crop "$tmp/now.png" "$board" "$tmp/board_now.png"
    if differs "$(difference "$tmp/board_last.png" "$tmp/board_now.png")" 0; then
        still_since=-1
        cp "$tmp/board_now.png" "$tmp/board_last.png"
    elif [ "$still_since" -lt 0 ]; then
        still_since=$(date +%s%N)
    elif [ $(($(date +%s%N) - still_since)) -gt 1500000000 ]; then
        com_changed=$(changed_cells "$tmp/before.png" "$tmp/now.png" 5)
        [ -n "$com_changed" ] && break
    fi
    sleep 0.15
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
xdotool mousemove "$(cell_x 5)" "$(cell_y 5)"
xdotool key Escape
while kill -0 "$pid" 2>/dev/null; do
    in_time "the program did not end on Esc"
    sleep 0.1
done
code=0
wait "$pid" || code=$?
pid=
[ "$code" -eq 0 ] || fail "the program ended with status $code"
[ -f "$play/Torvane.ini" ] || fail "no settings file Torvane.ini in the play directory"
say "passed"
