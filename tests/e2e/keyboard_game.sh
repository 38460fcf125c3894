#!/usr/bin/env bash
# The real program in a virtual X server, played by keyboard alone and read as a screen reader
# reads it: Ctrl+N, then typed moves (a drop, a promotion, a refused move among them) to a
# king taken or 30 moves, with the canvas's parts read from the AT-SPI tree after each move
# (tests/e2e/keyboard_game.py). A screenshot of a half-typed move is kept as
# BUILD_DIR/e2e/keyboard_game-typing.png.
#
#   tests/e2e/keyboard_game.sh [BUILD_DIR]      (default: build/ beside tests/)
#
# Exit 0 passed, 1 failed (with the reason and a screenshot), 77 skipped (tools missing).
set -euo pipefail

e2e_name=keyboard_game
e2e_limit=400
me=$(readlink -f "$0")
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$me")/lib.sh"

for tool in dbus-launch /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null 2>&1 ||
        { say "skipped: $tool is not installed (at-spi2-core, dbus-x11)"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { say "skipped: the system python has no pyatspi (python3-pyatspi)"; exit 77; }

e2e_outside "$@"
e2e_inside "$@"

# A session bus and the accessibility bus on it, as a desktop has them.
eval "$(dbus-launch --sh-syntax)"
/usr/libexec/at-spi-bus-launcher --launch-immediately >>"$out/$e2e_name.log" 2>&1 &
bus=$!
finish() {
    e2e_cleanup
    kill "$bus" 2>/dev/null || true
    kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
}
trap finish EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_program

# The menu bar's keys: after F10, → goes along the bar (past 戻 and 進, which do not run: with
# no game they would answer with a box); Esc closes the menu, the next Esc leaves the bar, and
# the game goes on.
xdotool mousemove "$(cell_x 5)" "$(cell_y 5)"
xdotool windowfocus --sync "$main"
xdotool key F10
sleep 0.3
[ "$(count_windows)" -ge 2 ] || fail "F10 opened no menu"
for _ in 1 2 3; do xdotool key Right; sleep 0.3; done
[ "$(count_windows)" -ge 2 ] || fail "→ on the menu bar left no menu open"
for w in $(windows); do
    case "$(xdotool getwindowname "$w" 2>/dev/null)" in
        進む | 戻る) fail "→ on the menu bar ran a command" ;;
    esac
done
xdotool key Escape
sleep 0.3
xdotool key Escape
sleep 0.3
running
[ "$(count_windows)" -eq 1 ] || fail "Esc twice left a menu or a box open"
say "F10, → three times, Esc twice: a menu along the bar, no command run, the game still on"
# Alt alone makes the bar active too: ← and → stay the bar's, and Esc only leaves it.
xdotool key alt
sleep 0.3
xdotool key Right Left
sleep 0.5
for w in $(windows); do
    case "$(xdotool getwindowname "$w" 2>/dev/null)" in
        進む | 戻る) fail "→ or ← on the bar made active by Alt ran a command" ;;
    esac
done
xdotool key Escape
sleep 0.3
running
[ "$(count_windows)" -eq 1 ] || fail "Esc after Alt left a menu or a box open"
say "Alt, →, ←, Esc: no command run, the game still on"

# The keyboard follows the pointer: it stays over the board.
/usr/bin/python3 "$(dirname "$me")/keyboard_game.py" "$out" "$main" "$(cell_x 5)" "$(cell_y 5)" ||
    fail "the game by keyboard failed"
import -window "$main" "png:$out/keyboard_game.png"
say "final screenshot: $out/keyboard_game.png"
# Nothing typed: Esc ends the program.
if [ -n "$(other_window "$main")" ]; then expect_box "the last box"; fi
stop_program
say "passed"
