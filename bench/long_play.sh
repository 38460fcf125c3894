#!/usr/bin/env bash
# Resident memory over long play under a virtual X server: 1,000 games between two people,
# each with 42 message boxes (bench/long_play.cpp), and whether the memory after 1,000 games
# stays within 2 MB of the level after 10.
#
#   bench/long_play.sh [BUILD_DIR]      TORVANE_GAMES=N games instead of 1,000
set -euo pipefail

root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
build=$(readlink -f "${1:-$root/build}")
program="$build/bench/torvane-long-play"
[ -x "$program" ] || { echo "long_play: no program at $program" >&2; exit 1; }
command -v xvfb-run >/dev/null 2>&1 || { echo "long_play: xvfb-run is not installed" >&2; exit 1; }
mkdir -p "$build/bench"
out="$build/bench/long_play.txt"
xvfb-run -a -s "-screen 0 1280x1024x24" "$program" 2>/dev/null | tee "$out"
awk '/^after/ && match($0, /: [0-9.]+ MB resident/) { mb[$2] = substr($0, RSTART + 2, RLENGTH - 14) } END {
    first = mb[10]; last = 0; for (g in mb) if (g + 0 >= last) { last = g + 0 }
    grow = mb[last] - first
    printf "%s: %.1f MB after %d games, %.1f MB after 10: %+.1f MB (at most +2.0 MB)\n",
           grow <= 2 ? "met" : "MISSED", mb[last], last, first, grow }' "$out"
