#!/usr/bin/env bash
# The interface in the desktop's language, as a screen reader sees it (AT-SPI): started with
# LANGUAGE=en the menu tree holds the English captions and a refused step back shows an English
# box; started with LANGUAGE=ja the same places hold the Japanese captions. Leaves a picture of
# the English window in the e2e output directory.
#
#   tests/e2e/english.sh [BUILD_DIR]      (default: build/ beside tests/)
#
# Exit 0 passed, 1 failed (with the reason and a screenshot), 77 skipped (tools missing).
set -euo pipefail

e2e_name=english
e2e_limit=90
me=$(readlink -f "$0")
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$me")/lib.sh"

# The reader's side: the system Python with pyatspi, a session bus and the AT-SPI bus.
launcher=/usr/libexec/at-spi-bus-launcher
if ! command -v dbus-launch >/dev/null 2>&1 || [ ! -x "$launcher" ] ||
    ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    say "skipped: dbus-x11, at-spi2-core or python3-pyatspi is not installed (make deps installs them)"
    exit 77
fi

e2e_outside "$@"
e2e_inside "$@"

# The catalogues lie with the data, as in the build's play directory.
cp "$(dirname "$program")"/play/torvane_*.qm "$play/" || fail "no catalogue in the build's play directory"
tree_tool="$(dirname "$me")/atspi_tree.py"
eval "$(dbus-launch --sh-syntax)"
"$launcher" --launch-immediately >>"$out/$e2e_name.log" 2>&1 &
bus=$!
trap 'e2e_cleanup; kill "$bus" "$DBUS_SESSION_BUS_PID" 2>/dev/null || true' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

tree() { /usr/bin/python3 "$tree_tool" "$@" 2>>"$out/$e2e_name.log"; }

# Every "role: name" given is in the tree.
expect_in_tree() {
    local got=$1 line
    shift
    for line in "$@"; do
        grep -qxF -- "$line" <<<"$(sed 's/^ *//' <<<"$got")" ||
            fail "the reader does not see \"$line\"; it sees:$(printf '\n%s' "$got" | head -80)"
    done
}

# Clicks the menu bar item named $1, where the reader says it is, and checks the box that
# follows: its title $2 and its text $3, in the tree and on the screen.
refused_step() {
    local x y got
    read -r x y <<<"$(tree --where "menu item" "$1")" || fail "no menu item \"$1\" to click"
    xdotool mousemove "$x" "$y" click 1
    for _ in $(seq 50); do
        got=$(tree)
        grep -q "^  alert: $2\$" <<<"$got" && break
        running; in_time "no box \"$2\""; sleep 0.2
    done
    expect_in_tree "$got" "alert: $2" "label: $3"
    shot "$out/$e2e_name-$language-box.png"
    expect_box "$3" "$2"
}

for language in en ja; do
    e2e_language=$language
    start_program
    got=$(tree)
    if [ "$language" = en ]; then
        expect_in_tree "$got" "frame: Torvane" "menu item: Game" "menu item: Play COM" \
            "menu item: Sente (you first)" "menu item: Level 1" "menu item: Quit" \
            "menu item: Back" "menu item: Forward" "menu item: Position" "menu item: Flip board" \
            "menu item: Record" "menu item: Save" "menu item: Options" "menu item: Tatami" \
            "menu item: Handicap" "menu item: Help" "menu item: About Torvane"
        convert "$tmp/start.png" -crop "${WW}x${WH}+${WX}+${WY}" +repage "$out/$e2e_name-window.png"
        say "the English window: $out/$e2e_name-window.png"
        refused_step Back Back "Not possible"
    else
        expect_in_tree "$got" "frame: Torvane" "menu item: 対局" "menu item: 対局(COM)" \
            "menu item: 先手" "menu item: ﾚﾍﾞﾙ1" "menu item: 終わり" "menu item: 戻" \
            "menu item: 進" "menu item: 局面" "menu item: 反転" "menu item: 棋譜" \
            "menu item: 書込" "menu item: ｵﾌﾟｼｮﾝ" "menu item: 畳" "menu item: ﾊﾝﾃﾞｨｷｬｯﾌﾟ" \
            "menu item: その他" "menu item: バージョン情報"
        refused_step 戻 戻る できません
    fi
    say "$language: captions and the refused step as expected"
    stop_program
done
say "passed"
