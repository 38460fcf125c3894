# Shared by the end-to-end scripts: running the real program in a virtual X server and looking
# at its window like a person would. A script sets `e2e_name` and sources this file at its start.
#
#   e2e_outside "$@"   checks the tools, lays out a fresh play directory and reruns the script
#                      inside xvfb-run for e2e_limit seconds (60); returns only inside.
#   e2e_inside "$@"    inside: sets program, play, out and the deadline.

say() { echo "${e2e_name} [${SECONDS}s]: $*"; }

e2e_outside() {
    [ -n "${TORVANE_E2E_INSIDE:-}" ] && return 0
    local root build tool program out play limit status
    root=$(cd "$(dirname "$me")/../.." && pwd)
    build=$(readlink -f "${1:-$root/build}")
    for tool in xvfb-run xauth xdotool xwininfo xprop import convert compare iconv; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            say "skipped: $tool is not installed (make deps installs it)"
            exit 77
        fi
    done
    program="$build/torvane"
    [ -x "$program" ] || { say "FAIL: no program at $program" >&2; exit 1; }
    shopt -s nullglob
    local waves=("$build"/play/*.wav)
    [ ${#waves[@]} -eq 5 ] || { say "FAIL: expected the five wave files in $build/play" >&2; exit 1; }
    out="$build/e2e"
    mkdir -p "$out"
    rm -f "$out/$e2e_name"-*.png "$out/$e2e_name.png"
    limit=${TORVANE_E2E_TIMEOUT:-${e2e_limit:-60}}
    trap 'rm -rf "$play"' EXIT
    # The virtual screen does not reset when the game closes (-noreset), so a restarted game
    # finds it. One that could not be reached all the same gets one more try from the start.
    for attempt in 1 2; do
        # The game writes its settings file where it runs: never into the source tree.
        rm -rf "${play:-}"
        play=$(mktemp -d "${TMPDIR:-/tmp}/torvane-e2e.XXXXXX")
        cp "${waves[@]}" "$play/"
        status=0
        : >"$out/$e2e_name.log"
        TORVANE_E2E_INSIDE=1 TORVANE_E2E_LIMIT=$((limit - 5)) \
            timeout -k 5 "$limit" xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
            bash "$me" "$program" "$play" "$out" || status=$?
        [ "$status" -ne 0 ] && grep -q "could not connect to display" "$out/$e2e_name.log" 2>/dev/null ||
            break
        say "the virtual screen could not be reached; once more"
    done
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        say "FAIL: no result within $limit s" >&2
        exit 1
    fi
    exit "$status"
}

# Inside the virtual screen: the arguments given by e2e_outside. With e2e_wm=openbox the
# window manager runs first, as on a desktop.
e2e_inside() {
    program=$1 play=$2 out=$3
    deadline=$((SECONDS + ${TORVANE_E2E_LIMIT:-55}))
    pid= wm=
    tmp=$(mktemp -d "${TMPDIR:-/tmp}/torvane-e2e-shots.XXXXXX")
    trap e2e_cleanup EXIT
    # The game in progress is kept in the state directory: the test's own, not the user's.
    export XDG_STATE_HOME=$tmp/state
    if [ -n "${e2e_wm:-}" ]; then
        command -v "$e2e_wm" >/dev/null 2>&1 || { say "skipped: $e2e_wm is not installed"; exit 77; }
        "$e2e_wm" >>"$out/$e2e_name.log" 2>&1 &
        wm=$!
        # Running once it names itself on the root window.
        until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
            kill -0 "$wm" 2>/dev/null || fail "$e2e_wm did not start"
            in_time "$e2e_wm did not start"; sleep 0.1
        done
    fi
}

e2e_cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
    if [ -n "${wm:-}" ]; then kill "$wm" 2>/dev/null || true; fi
    rm -rf "$tmp"
}

shot() { import -window root "png:$1"; }

fail() {
    say "FAIL: $*" >&2
    shot "$out/$e2e_name-failure.png" 2>/dev/null && say "screen at the failure: $out/$e2e_name-failure.png" >&2
    for f in "$tmp"/src_*.png "$tmp"/dst_*.png "$tmp"/cmp_*.png; do
        [ -f "$f" ] && cp "$f" "$out/$e2e_name-failure-${f##*/}"
    done
    if [ -s "$out/$e2e_name.log" ]; then
        say "the program's output:" >&2
        sed 's/^/  /' "$out/$e2e_name.log" >&2
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

# Waits for a message box, checks its title when one is given, and answers it.
expect_box() {
    local what=$1 title=${2-} box=
    while [ -z "$box" ]; do
        running; in_time "no message box \"$what\""
        box=$(other_window "$main")
        [ -z "$box" ] && sleep 0.1
    done
    local got
    got=$(xdotool getwindowname "$box" 2>/dev/null || true)
    if [ -n "$title" ] && [ "$got" != "$title" ]; then
        fail "expected the box \"$what\" titled \"$title\", got one titled \"$got\""
    fi
    say "answering the box \"$what\" (title \"$got\")"
    answer_box "$box"
}

# The colour of one pixel as "r g b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }

# Starts the program in the play directory and waits until its board is painted; sets pid,
# main, the window's place WX WY WW WH, the menu bar's height and the canvas scale k.
start_program() {
    cd "$play"
    # A dummy audio device: the game plays silently and shows no no-sound warning. Japanese
    # unless the script sets e2e_language, whatever the desktop running the tests speaks.
    LANGUAGE=${e2e_language:-ja} TORVANE_SOUND=null "$program" >>"$out/$e2e_name.log" 2>&1 &
    pid=$!
    # A warning box shown before the window (no sound at all) is answered.
    main=
    local box X Y WIDTH HEIGHT SCREEN WINDOW r g b
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
    window_place
    say "window $main at ${WX},${WY} size ${WW}x${WH}"
    # Painted when the canvas's centre is no longer black.
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
    design_place
    say "menu bar ${menu_bar} px, canvas ${canvas_w}x${canvas_h}, $(awk -v k="$k" 'BEGIN { printf "%.4f", 15 * k }') px per 15 twips"
}

# The design area (9600 × 7200 twips) is centred in the canvas: its place ox, oy, dw, dh.
design_place() {
    read -r ox oy dw dh <<<"$(awk -v w="$canvas_w" -v h="$canvas_h" -v k="$k" 'BEGIN {
        dw = int(9600 * k + 0.5); dh = int(7200 * k + 0.5)
        printf "%d %d %d %d", int((w - 9600 * k) / 2), int((h - 7200 * k) / 2), dw, dh }')"
}

# The main window's inner area on the screen: WX WY WW WH (xdotool counts a window manager's
# frame twice).
window_place() {
    local info
    info=$(xwininfo -id "$main")
    WX=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    WY=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    WW=$(sed -n 's/.*Width: *//p' <<<"$info")
    WH=$(sed -n 's/.*Height: *//p' <<<"$info")
}

# Waits for the program to end by itself, cleanly; $1 says on what ("on Esc").
await_end() {
    while kill -0 "$pid" 2>/dev/null; do
        in_time "the program did not end $1"
        sleep 0.1
    done
    local code=0
    wait "$pid" || code=$?
    pid=
    [ "$code" -eq 0 ] || fail "the program ended with status $code $1"
}

# Esc over the board ends the program; it must end cleanly.
stop_program() {
    xdotool mousemove "$(cell_x 5)" "$(cell_y 5)"
    xdotool key Escape
    await_end "on Esc"
}

# Screen pixel of a twip position on the canvas.
to_x() { awk -v t="$1" -v k="$k" -v o="$((WX + ox))" 'BEGIN { printf "%d", o + t * k + 0.5 }'; }
to_y() { awk -v t="$1" -v k="$k" -v o="$((WY + menu_bar + oy))" 'BEGIN { printf "%d", o + t * k + 0.5 }'; }
# The centre of board cell (x, y), whose top-left corner is at (1050 + 495x, 100 + 615y) twips.
cell_x() { to_x "$(awk -v c="$1" 'BEGIN { print 1050 + 495 * (c + 0.5) }')"; }
cell_y() { to_y "$(awk -v c="$1" 'BEGIN { print 100 + 615 * (c + 0.5) }')"; }
# The inside of a cell, clear of its outline, as a crop geometry.
cell_geometry() {
    awk -v x="$1" -v y="$2" -v k="$k" -v ox="$((WX + ox))" -v oy="$((WY + menu_bar + oy))" 'BEGIN {
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

# Waits until the board has stood still for ${2:-1000} ms; leaves it in $tmp/now.png.
settle() {
    local board still_since=-1
    board=$(board_geometry)
    shot "$tmp/now.png"
    crop "$tmp/now.png" "$board" "$tmp/board_last.png"
    while :; do
        running; in_time "$1"
        sleep 0.15
        shot "$tmp/now.png"
        crop "$tmp/now.png" "$board" "$tmp/board_now.png"
        if differs "$(difference "$tmp/board_last.png" "$tmp/board_now.png")" 0; then
            still_since=-1
            cp "$tmp/board_now.png" "$tmp/board_last.png"
        elif [ "$still_since" -lt 0 ]; then
            still_since=$(date +%s%N)
        elif [ $(($(date +%s%N) - still_since)) -gt ${2:-1000}000000 ]; then
            return
        fi
    done
}
