#!/usr/bin/env bash
# The program started without what it needs says so in one line instead of aborting:
# without a display (or with a platform Qt lacks) it ends with status 1; without a Japanese
# font it names the package, and without any font it shows no box that cannot be read.
#
#   tests/app/start_without.sh PROGRAM
set -uo pipefail
program=$1
tmp=$(mktemp -d "${TMPDIR:-/tmp}/torvane-start.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

# The Wayland hint belongs only where Qt's Wayland plugin is missing on this machine.
if compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland*" >/dev/null; then
    hint="desktop session$"
else
    hint="qt6-wayland"
fi

# Runs the program and checks its one line and status 1: start_fails WHAT PATTERN ENV...
start_fails() {
    local what=$1 pattern=$2 code=0
    shift 2
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$program" \
        >"$tmp/out" 2>"$tmp/err" || code=$?
    echo "$what: status $code: $(cat "$tmp/err")"
    [ "$code" -eq 1 ] || fail "$what: status $code, expected 1"
    [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "$what: not one line"
    grep -q "^torvane: cannot open a window: $pattern" "$tmp/err" ||
        fail "$what: the line does not say what was tried and what would help"
}

# No display at all, and one that does not answer.
for display in "" ":987"; do
    start_fails "DISPLAY=\"$display\"" ".*X display.*$hint" DISPLAY="$display"
done
# A platform Qt does not have: that is what was tried, not the X display.
start_fails "QT_QPA_PLATFORM=bogus" "QT_QPA_PLATFORM=\"bogus\" was tried: Qt has no platform \"bogus\"; unset QT_QPA_PLATFORM.*$hint" \
    DISPLAY=:987 QT_QPA_PLATFORM=bogus
grep -q "X display" "$tmp/err" && fail "QT_QPA_PLATFORM=bogus: the X display was never tried"

# Fonts without Japanese: the program says which package to install, then waits for its box.
mkdir -p "$tmp/fonts"
latin=$(fc-match -f '%{file}' 'DejaVu Sans' 2>/dev/null || true)
if [ -f "$latin" ]; then
    cat >"$tmp/fonts.conf" <<CONF
<?xml version="1.0"?>
<fontconfig><dir>$(dirname "$latin")</dir><cachedir>$tmp/fonts</cachedir></fontconfig>
CONF
    FONTCONFIG_FILE="$tmp/fonts.conf" QT_QPA_PLATFORM=offscreen TORVANE_SOUND=null \
        timeout 20 "$program" >"$tmp/out" 2>"$tmp/err" &
    pid=$!
    for _ in $(seq 100); do
        grep -q "fonts-ipafont-gothic" "$tmp/err" && break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    grep "Japanese font" "$tmp/err"
    grep -q "^torvane: No Japanese font .*fonts-ipafont-gothic" "$tmp/err" ||
        fail "without a Japanese font nothing names fonts-ipafont-gothic"
else
    echo "no DejaVu Sans to start without Japanese: that half skipped"
fi

# No font at all: the line on standard error, and no box of empty boxes holds up the start.
mkdir -p "$tmp/none"
cat >"$tmp/none.conf" <<CONF
<?xml version="1.0"?>
<fontconfig><cachedir>$tmp/none</cachedir></fontconfig>
CONF
FONTCONFIG_FILE="$tmp/none.conf" QT_QPA_PLATFORM=offscreen TORVANE_SOUND=null \
    TORVANE_REPORT_FILES=1 timeout 20 "$program" >"$tmp/out" 2>"$tmp/err" &
pid=$!
for _ in $(seq 150); do
    grep -q "sounds loaded" "$tmp/err" && break
    sleep 0.1
done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
grep -q "^torvane: No Japanese font .*fonts-ipafont-gothic" "$tmp/err" ||
    fail "without any font the line on standard error is missing"
grep -q "sounds loaded" "$tmp/err" || fail "without any font the start waits for an unreadable box"
exit "$failed"
