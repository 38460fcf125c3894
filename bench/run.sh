#!/usr/bin/env bash
# Every benchmark, then a summary of the speed and memory goals of the window.
#
#   bench/run.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
build=$(readlink -f "${1:-$root/build}")
mkdir -p "$build/bench"

echo "== The computer player (torvane-bench)"
"$build/bench/torvane-bench"

echo
echo "== A full 画面_再描画 of the real window, offscreen (torvane-redraw-bench)"
"$build/bench/torvane-redraw-bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$build/bench/redraw.csv" --benchmark_out_format=csv

echo
echo "== Start-up, memory and processor use of the window (bench/startup.sh)"
"$root/bench/startup.sh" "$build"

echo
echo "== Resident memory over 1,000 games with their message boxes (bench/long_play.sh)"
"$root/bench/long_play.sh" "$build"

# The real and processor time in ms of one statistic of a benchmark, from its CSV.
redraw() {
    awk -F, -v n="\"$1_$2\"" '$1 == n { f = ($5 == "ns") ? 1e-6 : ($5 == "us") ? 1e-3 : ($5 == "s") ? 1e3 : 1
                                           printf "%.2f %.2f", $3 * f, $4 * f }' "$build/bench/redraw.csv"
}
get() { awk -v k="$1" '$1 == k { print $2 }' "$build/bench/startup.txt"; }
at_most() { awk -v v="$1" -v t="$2" 'BEGIN { print (v <= t) ? "met" : "MISSED" }'; }

read -r redraw_real redraw_cpu <<<"$(redraw FullRedraw/2 min)"
read -r redraw_median _ <<<"$(redraw FullRedraw/2 median)"
read -r fresh_real _ <<<"$(redraw FullRedrawFreshPictures/2 min)"
below() { awk -v v="$1" -v t="$2" 'BEGIN { print (v < t) ? "met" : "MISSED" }'; }

echo
echo "== Goals (torvane against the bare Qt window; medians of bench/startup.sh)"
row() { printf '%-7s %-42s %-10s %s\n' "$1" "$2" "$3" "$4"; }
row verdict goal target measured
row "$(at_most "$(get first_paint_ratio)" 1.2)" "launch to first painted frame" "<= 1.20x" \
    "$(get first_paint_ratio)x ($(get game_first_paint_ms) ms / $(get bare_first_paint_ms) ms; processor $(get game_first_paint_cpu_ms) / $(get bare_first_paint_cpu_ms) ms)"
row "$(at_most "$(get rss_ratio)" 1.3)" "resident memory after start-up" "<= 1.30x" \
    "$(get rss_ratio)x ($(get game_rss_kb) kB / $(get bare_rss_kb) kB)"
row "$(at_most "$(get rss_after_100_moves_ratio)" 1.3)" "resident memory after a 100-move game" "<= 1.30x" \
    "$(get rss_after_100_moves_ratio)x ($(get game_after_100_moves_rss_kb) kB / $(get bare_rss_kb) kB)"
row "$(below "$(get quiet_idle_cpu_percent)" 0.05)" "processor at rest, no game, music off" "0 %" \
    "$(get quiet_idle_cpu_percent) % over 10 s at rest (music on: $(get game_idle_cpu_percent) %; bare: $(get bare_idle_cpu_percent) %)"
row "$(at_most "$(get game_wait_cpu_percent)" 5)" "processor during the game's wait" "<= 5 %" \
    "$(get game_wait_cpu_percent) % over 5 s (music off: $(get quiet_wait_cpu_percent) %)"
row "$(below "$redraw_cpu" 2)" "full 画面_再描画 at scale 2, processor" "< 2 ms" \
    "$redraw_cpu ms (wall: best $redraw_real ms, median $redraw_median ms; first at a new size $fresh_real ms)"
echo "(load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) processors; wall-clock times grow on a busy machine)"
