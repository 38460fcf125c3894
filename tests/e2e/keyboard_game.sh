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

# The keyboard follows the pointer: it stays over the board.
/usr/bin/python3 "$(dirname "$me")/keyboard_game.py" "$out" "$main" "$(cell_x 5)" "$(cell_y 5)" ||
    fail "the game by keyboard failed"
import -window "$main" "png:$out/keyboard_game.png"
say "final screenshot: $out/keyboard_game.png"
# Nothing typed: Esc ends the program.
if [ -n "$(other_window "$main")" ]; then expect_box "the last box"; fi
stop_program
say "passed"
