#!/usr/bin/env bash
# The program started without what it needs says so in one line instead of aborting:
# without a display it ends with status 1; without a Japanese font it names the package.
#
#   tests/app/start_without.sh PROGRAM
set -uo pipefail
program=$1
tmp=$(mktemp -d "${TMPDIR:-/tmp}/torvane-start.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

# No display at all, and one that does not answer.
for display in "" ":987"; do
    code=0
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" timeout 20 "$program" \
        >"$tmp/out" 2>"$tmp/err" || code=$?
    echo "DISPLAY=\"$display\": status $code: $(cat "$tmp/err")"
    [ "$code" -eq 1 ] || fail "DISPLAY=\"$display\": status $code, expected 1"
    [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "DISPLAY=\"$display\": not one line"
    grep -q "^torvane: cannot open a window: .*X display.*qt6-wayland" "$tmp/err" ||
        fail "DISPLAY=\"$display\": the line does not say what was tried and what to install"
done

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
exit "$failed"
