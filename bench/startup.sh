#!/usr/bin/env bash
# Start-up time, memory and idle processor use of the game against a bare Qt window
# (bench/bare_window.cpp), all under one virtual X server.
#
#   bench/startup.sh [BUILD_DIR]     TORVANE_BENCH_RUNS=N start-ups of each (default 10)
#
# Prints a table and writes "key value" lines to BUILD_DIR/bench/startup.txt.
#
# Both programs are measured from outside, as they are installed, the game with the pictures
# kept by an earlier game (and once more without, as on its first start). Time to the first painted
# frame: torvane-window-watch starts the program and polls the X server until a window of it
# shows painted pixels (the screen is black until then), then kills it. The two alternate,
# and the medians are compared. Memory: VmRSS two seconds after the window appeared, and after
# a 100-move game (torvane-window-bench, the same window and game: a two-person game played
# by clicks on the canvas). Processor: the scheduler's time of all threads over 10 s with no
# game running (from 12 s after the window appeared, once the sound device has closed if
# nothing plays), and the process's own user + system time over the game's 5 s wait
# (torvane-window-bench again).
set -euo pipefail

me=$(readlink -f "$0")
root=$(cd "$(dirname "$me")/.." && pwd)

if [ -z "${TORVANE_BENCH_INSIDE:-}" ]; then
    build=$(readlink -f "${1:-$root/build}")
    for tool in xvfb-run xauth xdotool; do
        command -v "$tool" >/dev/null 2>&1 || { echo "startup: $tool is not installed" >&2; exit 1; }
    done
    for p in "$build/torvane" "$build"/bench/torvane-{bare-window,window-watch,window-bench}; do
        [ -x "$p" ] || { echo "startup: no program at $p" >&2; exit 1; }
    done
    work=$(mktemp -d "${TMPDIR:-/tmp}/torvane-bench.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    # Play directories: the usual one (music on, as a fresh settings file has it), one with
    # the music switched off, and one without any wave file.
    mkdir -p "$work/play" "$work/quiet" "$work/silent"
    cp "$build"/play/*.wav "$work/play/"
    cp "$build"/play/*.wav "$work/quiet/"
    printf '背景画=畳\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=OFF\r\n' | iconv -f UTF-8 -t CP932 >"$work/quiet/Torvane.ini"
    mkdir -p "$build/bench"
    TORVANE_BENCH_INSIDE=1 TORVANE_SOUND=null \
        xvfb-run -a -s "-screen 0 1280x1024x24 -br" bash "$me" "$build" "$work"
    exit 0
fi

build=$1 work=$2
game=$build/torvane
bare=$build/bench/torvane-bare-window
watch=$build/bench/torvane-window-watch
driver=$build/bench/torvane-window-bench
runs=${TORVANE_BENCH_RUNS:-10}
results=$build/bench/startup.txt
: >"$results"
note() { echo "$1 $2" >>"$results"; }

# One start-up to the first frame: prints "milliseconds resident_kB processor_ms".
first_paint() {
    local dir=$1 program=$2 line
    # A busy machine now and then refuses a fresh X connection: one more try.
    line=$(cd "$dir" && "$watch" "$program" 2>/dev/null) ||
        line=$(cd "$dir" && "$watch" "$program" 2>&1) || { echo "startup: $line" >&2; return 1; }
    sed -n 's/^first_paint_ms=\([0-9.]*\) cpu_ms=\([0-9.]*\) rss_kb=\([0-9]*\)$/\1 \3 \2/p' <<<"$line"
}
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The game keeps the pictures it painted for its next start in the cache directory: one game
# started and ended with Esc, as a player's earlier game would, leaves them there. The first
# start on a machine paints them all ("cold", with a cache directory of its own).
export XDG_CACHE_HOME=$work/cache
keep_pictures() {
    local pid window
    (cd "$work/play" && exec "$game" >/dev/null 2>&1) &
    pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" | head -1) || true
    [ -n "$window" ] && xdotool windowfocus --sync "$window" key Escape 2>/dev/null
    timeout 10 tail --pid="$pid" -f /dev/null || kill "$pid" 2>/dev/null || true
    [ -s "$XDG_CACHE_HOME/torvane/pictures" ] || echo "startup: the game kept no pictures" >&2
}
keep_pictures
echo "startup: $runs start-ups of each program, alternating (one of each first to warm the caches)"
first_paint "$work/play" "$bare" >/dev/null
first_paint "$work/play" "$game" >/dev/null
: >"$work/bare.txt"; : >"$work/game.txt"; : >"$work/silent.txt"; : >"$work/cold.txt"
for _ in $(seq "$runs"); do
    first_paint "$work/play" "$bare" >>"$work/bare.txt"
    first_paint "$work/play" "$game" >>"$work/game.txt"
    first_paint "$work/silent" "$game" >>"$work/silent.txt"
    rm -rf "$work/cold-cache"
    XDG_CACHE_HOME=$work/cold-cache first_paint "$work/play" "$game" >>"$work/cold.txt"
done
for f in bare game silent cold; do
    [ "$(wc -l <"$work/$f.txt")" -eq "$runs" ] || { echo "startup: a start-up of $f gave no time" >&2; exit 1; }
    note "${f}_first_paint_ms" "$(cut -d' ' -f1 "$work/$f.txt" | median | xargs printf '%.1f')"
    note "${f}_first_paint_rss_kb" "$(cut -d' ' -f2 "$work/$f.txt" | median)"
    note "${f}_first_paint_cpu_ms" "$(cut -d' ' -f3 "$work/$f.txt" | median | xargs printf '%.1f')"
done

# Resident memory and processor time of a running process.
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
# Nanoseconds on a processor of each thread, "tid ns" a line: the scheduler's own count, far
# finer than the 10 ms ticks of utime and stime.
cpu_snapshot() {
    local t
    for t in /proc/"$1"/task/*; do echo "${t##*/} $(cut -d' ' -f1 "$t/schedstat" 2>/dev/null)"; done
}
# The nanoseconds used between two snapshots by the threads in the second one.
cpu_used() { awk 'NR == FNR { a[$1] = $2; next } { n += $2 - a[$1] } END { printf "%.0f", n }' "$1" "$2"; }

echo "startup: memory 2 s after start-up, processor time at rest from 12 s to 22 s"
pids=()
launch() {
    local dir=$1 program=$2
    (cd "$dir" && exec "$program" >/dev/null 2>&1) &
    pids+=($!)
}
launch "$work/play" "$bare"
launch "$work/play" "$game"
launch "$work/quiet" "$game"
stop_all() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap stop_all EXIT
for p in "${pids[@]}"; do
    timeout 30 xdotool search --sync --onlyvisible --pid "$p" >/dev/null ||
        { echo "startup: no window for process $p" >&2; exit 1; }
done
sleep 2
names=(bare game quiet)
for i in 0 1 2; do note "${names[$i]}_rss_kb" "$(rss_kb "${pids[$i]}")"; done
# The sound library closes an idle device after 10 s: what is measured is the lasting rest.
sleep 10
for i in 0 1 2; do cpu_snapshot "${pids[$i]}" >"$work/cpu0.$i"; done
start=$EPOCHREALTIME
sleep 10
end=$EPOCHREALTIME
for i in 0 1 2; do
    cpu_snapshot "${pids[$i]}" >"$work/cpu1.$i"
    used=$(cpu_used "$work/cpu0.$i" "$work/cpu1.$i")
    note "${names[$i]}_idle_cpu_percent" "$(awk -v n="$used" -v a="${start/,/.}" -v b="${end/,/.}" 'BEGIN { printf "%.3f", 100 * n / 1e9 / (b - a) }')"
done
stop_all
pids=()

echo "startup: a 100-move game and the game's 5 s wait"
line=$(cd "$work/play" && "$driver" selfplay 100 2>&1 | grep '^selfplay_moves=' || true)
moves=$(sed -n 's/.*selfplay_moves=\([0-9]*\).*/\1/p' <<<"$line")
[ "$moves" = 100 ] || { echo "startup: the 100-move game stopped: $line" >&2; exit 1; }
note game_after_100_moves_rss_kb "$(sed -n 's/.*rss_kb=\([0-9]*\).*/\1/p' <<<"$line")"
note game_100_moves_ms "$(sed -n 's/.*selfplay_ms=\([0-9]*\).*/\1/p' <<<"$line")"
for dir in play quiet; do
    line=$(cd "$work/$dir" && "$driver" wait 5 2>&1 | grep '^wait_s=' || true)
    [ -n "$line" ] || { echo "startup: the wait gave no figures" >&2; exit 1; }
    name=game; [ "$dir" = quiet ] && name=quiet
    note "${name}_wait_cpu_percent" "$(awk -v l="$line" 'BEGIN { split(l, f, /[= ]/); printf "%.3f", f[4] / 10 / f[2] }')"
done

# The table.
get() { awk -v k="$1" '$1 == k { print $2 }' "$results"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }
note first_paint_ratio "$(ratio "$(get game_first_paint_ms)" "$(get bare_first_paint_ms)")"
note rss_ratio "$(ratio "$(get game_rss_kb)" "$(get bare_rss_kb)")"
note rss_after_100_moves_ratio "$(ratio "$(get game_after_100_moves_rss_kb)" "$(get bare_rss_kb)")"
echo
printf '%-46s %14s %14s %8s\n' "measure (medians of $runs)" "torvane" "bare window" "ratio"
printf '%-46s %11s ms %11s ms %8s\n' "launch to first painted frame" "$(get game_first_paint_ms)" "$(get bare_first_paint_ms)" "$(get first_paint_ratio)"
printf '%-46s %11s ms %11s ms %8s\n' "  processor time until then (all threads)" "$(get game_first_paint_cpu_ms)" "$(get bare_first_paint_cpu_ms)" "$(ratio "$(get game_first_paint_cpu_ms)" "$(get bare_first_paint_cpu_ms)")"
printf '%-46s %11s ms %14s %8s\n' "  the same without wave files (no sounds)" "$(get silent_first_paint_ms)" "" "$(ratio "$(get silent_first_paint_ms)" "$(get bare_first_paint_ms)")"
printf '%-46s %11s ms %14s %8s\n' "  the first start (no pictures kept)" "$(get cold_first_paint_ms)" "" "$(ratio "$(get cold_first_paint_ms)" "$(get bare_first_paint_ms)")"
printf '%-46s %14s %14s %8s\n' "resident memory at the first frame" "$(mb "$(get game_first_paint_rss_kb)")" "$(mb "$(get bare_first_paint_rss_kb)")" "$(ratio "$(get game_first_paint_rss_kb)" "$(get bare_first_paint_rss_kb)")"
printf '%-46s %14s %14s %8s\n' "  the same without wave files" "$(mb "$(get silent_first_paint_rss_kb)")" "" "$(ratio "$(get silent_first_paint_rss_kb)" "$(get bare_first_paint_rss_kb)")"
printf '%-46s %14s %14s %8s\n' "  the first start" "$(mb "$(get cold_first_paint_rss_kb)")" "" "$(ratio "$(get cold_first_paint_rss_kb)" "$(get bare_first_paint_rss_kb)")"
printf '%-46s %14s %14s %8s\n' "resident memory 2 s after start-up" "$(mb "$(get game_rss_kb)")" "$(mb "$(get bare_rss_kb)")" "$(get rss_ratio)"
printf '%-46s %14s %14s %8s\n' "resident memory after a 100-move game" "$(mb "$(get game_after_100_moves_rss_kb)")" "" "$(get rss_after_100_moves_ratio)"
printf '%-46s %12s %% %12s %%\n' "processor at rest, no game, music on" "$(get game_idle_cpu_percent)" "$(get bare_idle_cpu_percent)"
printf '%-46s %12s %%\n' "processor at rest, no game, music off" "$(get quiet_idle_cpu_percent)"
printf '%-46s %12s %%\n' "processor during the 5 s wait, music on" "$(get game_wait_cpu_percent)"
printf '%-46s %12s %%\n' "processor during the 5 s wait, music off" "$(get quiet_wait_cpu_percent)"
echo "startup: figures in $results"
