#!/usr/bin/env bash
# The game as a player gets it: installed into a fresh prefix, or packed as a .deb.
#
#   tests/install/install_test.sh game    BUILD_DIR VERSION
#       `cmake --install` into a temporary prefix, then the installed torvane started under
#       Xvfb from an empty directory with a temporary home and configuration directory: the
#       window appears with its icon, the sounds and the help page are found in the prefix,
#       the settings file is made in the configuration directory, the starting directory stays
#       empty, and Esc ends the program.
#   tests/install/install_test.sh package BUILD_DIR VERSION
#       `cpack -G DEB` into a temporary directory; the package's files (programs in /usr/games,
#       the launcher pointing there), dependencies and installed size; the unpacked game is
#       started from usr/games as above; lintian finds no error, warning or hardening tag. The
#       package is unpacked into a temporary directory, never installed.
#
# Exit 0 passed, 1 failed, 77 skipped (a tool is missing).
set -euo pipefail

say() { echo "install_test [${SECONDS}s]: $*"; }
fail() { say "FAIL: $*" >&2; exit 1; }
need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || { say "skipped: $tool is not installed"; exit 77; }
    done
}

me=$(readlink -f "$0")
mode=$1

# Inside the virtual screen: start the game, wait for its window, end it with Esc.
if [ "$mode" = inside ]; then
    program=$2 start=$3 log=$4
    trap 'say "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
    cd "$start"
    "$program" 2>"$log" &
    pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --class torvane | head -n 1) ||
        { kill "$pid" 2>/dev/null || true; fail "no window within 30 s"; }
    say "window $window: $(xdotool getwindowname "$window")"
    # The icon property may follow the mapping of the window by a moment.
    if command -v xprop >/dev/null 2>&1; then
        for _ in $(seq 50); do
            icon=$(xprop -id "$window" _NET_WM_ICON 2>/dev/null | head -c 200 || true)
            [[ $icon == "_NET_WM_ICON(CARDINAL) = "* ]] && break
            sleep 0.1
        done
        [[ $icon == "_NET_WM_ICON(CARDINAL) = "* ]] || { kill "$pid"; fail "the window has no icon"; }
        say "the window has its icon"
    fi
    # Without a window manager the keyboard follows the pointer.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Escape
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        fail "Esc did not end the program"
    fi
    wait "$pid" || fail "the program ended with status $?"
    exit 0
fi

build=$(readlink -f "$2")
version=$3
tmp=$(mktemp -d "${TMPDIR:-/tmp}/torvane-install.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

waves=(その他.wav 禁止.wav 駒打音.wav BGM.wav 消滅.wav)
id=io.github.torvane.Torvane
# Every file a player gets, relative to the prefix; the package has the programs in games/.
shared=(share/torvane/Torvane.htm share/torvane/torvane-window.png
    share/torvane/Torvane_en.htm share/torvane/torvane-window-en.png share/torvane/torvane_en.qm
    "${waves[@]/#/share/torvane/}"
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml
    share/icons/hicolor/scalable/apps/$id.svg
    share/man/man6/torvane.6.gz share/man/man6/torvane-cli.6.gz share/doc/torvane/copyright
    share/doc/torvane/changelog.gz)
for size in 16 32 48 64 128 256; do shared+=("share/icons/hicolor/${size}x${size}/apps/$id.png"); done

# The installed PROGRAM started under Xvfb from an empty directory, with a home and
# configuration directory of its own under RUN: it must find its data in DATA.
play_installed() {
    local program=$1 data=$2 run=$3 start home config log status
    # An empty starting directory, a home with a documents directory named by user-dirs.dirs.
    start=$run/start home=$run/home config=$run/config
    mkdir -p "$start" "$home/記録" "$config"
    echo 'XDG_DOCUMENTS_DIR="$HOME/記録"' >"$config/user-dirs.dirs"
    log=$run/torvane.log
    status=0
    HOME=$home XDG_CONFIG_HOME=$config TORVANE_SOUND=null TORVANE_REPORT_FILES=1 \
        timeout -k 5 60 xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$me" inside "$program" "$start" "$log" || status=$?
    say "the program's report:"
    grep '^torvane: ' "$log" | sed 's/^/  /' || true
    [ "$status" -eq 0 ] || { sed 's/^/  /' "$log" >&2; fail "the installed game did not run (status $status)"; }

    for w in "${waves[@]}"; do
        grep -qxF "torvane: sound $data/$w (found)" "$log" || fail "sound $w not found in $data"
    done
    grep -qxF "torvane: sounds loaded 5" "$log" || fail "the sound library did not take the five wave files"
    grep -qxF "torvane: help page $data/Torvane.htm (found)" "$log" || fail "help page not found in $data"
    grep -qxF "torvane: settings file $config/torvane/Torvane.ini (found)" "$log" ||
        fail "the settings file was not made in $config/torvane"
    [ -s "$config/torvane/Torvane.ini" ] || fail "no settings file in $config/torvane"
    grep -qxF "torvane: record directory $home/記録" "$log" || fail "the record panel does not open in the documents"
    [ ! -e "$home/.config/torvane" ] || fail "settings went to ~/.config despite XDG_CONFIG_HOME"
    [ -z "$(ls -A "$start")" ] || fail "files written in the starting directory: $(ls -A "$start")"
}

case "$mode" in
game)
    need xvfb-run xauth xdotool
    prefix=$tmp/prefix
    cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" || { cat "$tmp/install.log"; fail "cmake --install failed"; }
    expected=(bin/torvane bin/torvane-cli "${shared[@]}")
    for f in "${expected[@]}"; do [ -f "$prefix/$f" ] || fail "not installed: $f"; done
    say "installed ${#expected[@]} files into the prefix"
    [ "$("$prefix/bin/torvane-cli" --version)" = "torvane-cli $version" ] || fail "torvane-cli --version"
    [ "$(printf 'man 7 7 7 6\nquit\n' | "$prefix/bin/torvane-cli")" = ok ] || fail "the installed torvane-cli does not play"

    play_installed "$prefix/bin/torvane" "$prefix/share/torvane" "$tmp/run"
    say "passed: window, sounds, help page, settings in the configuration directory, nothing in the start directory"
    ;;
package)
    need cpack dpkg-deb dpkg-shlibdeps
    [ -f "$build/CPackConfig.cmake" ] || { say "skipped: the build has no package set up"; exit 77; }
    (cd "$build" && cpack -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; fail "cpack failed"; }
    arch=$(dpkg --print-architecture 2>/dev/null || echo amd64)
    deb=$tmp/torvane_${version}_${arch}.deb
    [ -f "$deb" ] || { ls "$tmp"; fail "no $deb"; }
    dpkg-deb --contents "$deb" | awk '{ print $NF }' | sed 's|^\./||' >"$tmp/contents"
    expected=(games/torvane games/torvane-cli "${shared[@]}")
    for f in "${expected[@]}"; do grep -qxF "usr/$f" "$tmp/contents" || fail "not in the package: /usr/$f"; done
    if grep -q '^usr/bin/' "$tmp/contents"; then fail "programs in /usr/bin, not /usr/games"; fi
    # The launcher starts the program where the package puts it, and the program finds its
    # data from there.
    dpkg-deb -x "$deb" "$tmp/root"
    grep -qxF 'Exec=/usr/games/torvane' "$tmp/root/usr/share/applications/$id.desktop" ||
        fail "the launcher does not start /usr/games/torvane"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$tmp/root/usr/share/applications/$id.desktop" || fail "the packaged launcher does not validate"
    fi
    [ -f "$tmp/root/usr/games/../share/torvane/BGM.wav" ] || fail "no data at ../share/torvane from /usr/games"
    [ "$(printf 'man 7 7 7 6\nquit\n' | "$tmp/root/usr/games/torvane-cli")" = ok ] || fail "the packaged torvane-cli does not play"
    if command -v xvfb-run >/dev/null && command -v xauth >/dev/null && command -v xdotool >/dev/null; then
        play_installed "$tmp/root/usr/games/torvane" "$tmp/root/usr/share/torvane" "$tmp/run"
    else
        say "the packaged game is not started: xvfb-run, xauth or xdotool missing"
    fi
    [ "$(dpkg-deb -f "$deb" Package)" = torvane ] || fail "package name"
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
    depends=$(dpkg-deb -f "$deb" Depends)
    # The package names alone, one a line.
    names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
    for dep in fonts-ipafont-gothic qt6-translations-l10n libqt6widgets6 libqt6gui6 libqt6core6 \
               libasound2 libstdc++6 libc6; do
        grep -qxF "$dep" <<<"$names" || fail "Depends lacks $dep: $depends"
    done
    recommends=$(dpkg-deb -f "$deb" Recommends)
    [[ ", $recommends," == *", qt6-wayland,"* ]] || fail "Recommends lacks qt6-wayland: $recommends"
    # Nothing is written outside the package's own files: no maintainer scripts.
    control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t)
    if grep -qE 'postinst|prerm|postrm|preinst' <<<"$control"; then fail "the package has maintainer scripts"; fi
    # Debian's own judge: no error, no warning, and the hardening of the programs complete.
    if command -v lintian >/dev/null; then
        lintian --display-info "$deb" >"$tmp/lintian" 2>&1 || true
        sed 's/^/  lintian: /' "$tmp/lintian"
        if grep -qE '^[EW]: |hardening' "$tmp/lintian"; then fail "lintian finds errors, warnings or missing hardening"; fi
        say "lintian: no error, no warning, no hardening tag"
    else
        say "lintian is not installed: the package is not judged by it"
    fi
    say "$(basename "$deb"): $(grep -c . "$tmp/contents") entries, Installed-Size $(dpkg-deb -f "$deb" Installed-Size) KiB"
    say "Depends: $depends"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
