#!/usr/bin/env bash
# Start-up time of Quorvel.exe under Wine against a plain Win32 window with
# the same controls and the same manifest (bench/plain_window.cpp): from
# launching the program to its window being mapped, seen as a MapNotify on
# the root window. Both run in turn in one Wine session (tools/wine-session:
# one Xvfb display, one prefix, one running wineserver), RUNS times each after
# one warm-up run; the medians are printed, their ratio last. Quorvel.exe is
# the stripped copy the zip and the installer carry.
#
#   bench/wine_startup.sh [BUILD] [RUNS]      (defaults: build/windows, 15)
#
# Needs the Windows build (cmake --build --preset windows, or make windows),
# and xev and xprop (x11-utils, in tools/packages.txt).
set -euo pipefail

here=$(dirname "$(realpath "$0")")

if [[ ${1:-} != --in-session ]]; then
    build=$(realpath -m "${1:-build/windows}")
    runs=${2:-15}
    for tool in xev xprop stdbuf wine; do
        command -v "$tool" >/dev/null || {
            echo "wine_startup.sh: $tool not found; run tools/install-deps" >&2
            exit 1
        }
    done
    for file in installer/Quorvel.exe bench/plain_window.exe wine/wine_session_keeper.exe; do
        [[ -f $build/$file ]] || {
            echo "wine_startup.sh: no $build/$file; build the windows preset first" >&2
            exit 1
        }
    done
    exec "$here/../tools/wine-session" "$build/wine" "$0" --in-session "$build" "$runs"
fi

# From here on inside the session: DISPLAY, WINEPREFIX and the rest are set.
build=$2
runs=$3
work=$(mktemp -d)
# shellcheck source=bench/map_timing.sh
. "$here/map_timing.sh"
cleanup() {
    [[ -n $launched ]] && kill "$launched" 2>/dev/null || true
    [[ -n $xev_pid ]] && kill "$xev_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

watch_maps

quorvel_ms=()
plain_ms=()
for ((i = 0; i <= runs; i++)); do
    time_to_map quorvel.exe wine "$build/installer/Quorvel.exe"
    q=$elapsed
    finish 0.3
    time_to_map plain_window.exe wine "$build/bench/plain_window.exe"
    p=$elapsed
    finish 0.3
    ((i == 0)) && continue # the warm-up run fills the page cache
    quorvel_ms+=("$q")
    plain_ms+=("$p")
done

q_median=$(printf '%s\n' "${quorvel_ms[@]}" | median)
p_median=$(printf '%s\n' "${plain_ms[@]}" | median)
echo "runs:                            $runs (after one warm-up run each)"
echo "Quorvel.exe, launch to mapped:   median $q_median ms  (${quorvel_ms[*]})"
echo "plain window, launch to mapped:  median $p_median ms  (${plain_ms[*]})"
awk -v q="$q_median" -v p="$p_median" 'BEGIN { printf "ratio Quorvel.exe / plain window: %.2f\n", q / p }'
