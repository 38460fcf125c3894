#!/usr/bin/env bash
# The real program's window closed from outside in a virtual X server: asked to close as a
# window manager does while a message box is open (the game ends once the box is answered),
# and destroyed outright (xdotool windowclose). Either way the program ends cleanly and
# writes its settings file, as on a close.
#
#   tests/e2e/close_window.sh [BUILD_DIR]      (default: build/ beside tests/)
#
# Exit 0 passed, 1 failed (with the reason and a screenshot), 77 skipped (tools missing).
set -euo pipefail

e2e_name=close_window
me=$(readlink -f "$0")
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$me")/lib.sh"

e2e_outside "$@"
e2e_inside "$@"
wm_close="$(dirname "$program")/tests/e2e/torvane-wm-close"
[ -x "$wm_close" ] || fail "no $wm_close"

# Waits for the program to end by itself, with status 0 and its settings file written.
ended() {
    await_end "after $1"
    [ -f "$play/Torvane.ini" ] || fail "no settings file after $1: the game was not unloaded"
    rm -f "$play/Torvane.ini"
}

start_program
# 対局 → 対局(人間) → スタート shows "先手の番です".
open_count=$(count_windows)
xdotool mousemove $((WX + 12)) $((WY + menu_bar / 2)) click 1
while [ "$(count_windows)" -le "$open_count" ]; do
    running; in_time "the menu 対局 did not open"; sleep 0.1
done
xdotool key Down Right
while [ "$(count_windows)" -le $((open_count + 1)) ]; do
    running; in_time "the submenu 対局(人間) did not open"; sleep 0.1
done
xdotool key Return
box=
while [ -z "$box" ]; do
    running; in_time "no box after スタート"
    box=$(other_window "$main"); [ -z "$box" ] && sleep 0.1
done
"$wm_close" "$main"
sleep 1
running
windows | grep -qx "$box" || fail "the box closed with the window manager's close of the window"
say "closed by the window manager while the box is open; answering the box"
answer_box "$box"
ended "the window manager's close and the box's answer"
say "ended once the box was answered"

start_program
xdotool windowclose "$main"
ended "the window was destroyed"
say "ended when its window was destroyed"
say "passed"
