#!/usr/bin/env bash
# Start-up time of Quorvel against a plain Qt window with the same controls
# (plain_qt_window.cpp, built beside it) and xcalc on a private Xvfb server:
# from launching the program to its window being mapped, as a window manager
# would see it (a MapNotify on the root window). They are run in turn, RUNS
# times each after one warm-up run, and the medians, their ratios and
# Quorvel's peak resident memory are printed.
#
#   bench/startup.sh [path/to/quorvel] [runs] [path/to/plain_qt_window]
#
# Needs Xvfb (xvfb), xev and xprop (x11-utils) and xcalc (x11-apps), all listed in
# tools/packages.txt.
set -euo pipefail

program=${1:-build/release/ui/qt/quorvel}
runs=${2:-15}
plain=${3:-$(dirname "$program")/../../bench/plain_qt_window}
settle=0.5  # seconds after mapping before reading peak memory: the first paint is done by then

for tool in Xvfb xev xprop xcalc stdbuf; do
    command -v "$tool" >/dev/null || {
        echo "startup.sh: $tool not found; run tools/install-deps" >&2
        exit 1
    }
done
for built in "$program" "$plain"; do
    [[ -x $built ]] || {
        echo "startup.sh: $built is not built; run make build" >&2
        exit 1
    }
done
program=$(realpath "$program")
plain=$(realpath "$plain")

work=$(mktemp -d)
xvfb_pid=""
# shellcheck source=bench/map_timing.sh
. "$(dirname "$(realpath "$0")")/map_timing.sh"
cleanup() {
    [[ -n $xev_pid ]] && kill "$xev_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display number of the server's own choosing, so nothing else is disturbed.
Xvfb -displayfd 9 -nolisten tcp -screen 0 1280x1024x24 9>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
until [[ -s $work/display ]]; do
    kill -0 "$xvfb_pid" 2>/dev/null || {
        cat "$work/xvfb.log" >&2
        exit 1
    }
    sleep 0.05
done
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

watch_maps

peak_kib() {
    awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"
}

quorvel_ms=()
plain_ms=()
xcalc_ms=()
peak_max=0
for ((i = 0; i <= runs; i++)); do
    time_to_map quorvel "$program"
    q=$elapsed
    sleep "$settle"
    peak=$(peak_kib "$launched")
    finish 0.1
    time_to_map plain_qt_window "$plain"
    p=$elapsed
    finish 0.1
    time_to_map xcalc xcalc
    x=$elapsed
    finish 0.1
    ((i == 0)) && continue  # the warm-up run fills the page cache
    quorvel_ms+=("$q")
    plain_ms+=("$p")
    xcalc_ms+=("$x")
    ((peak > peak_max)) && peak_max=$peak
done

q_median=$(printf '%s\n' "${quorvel_ms[@]}" | median)
p_median=$(printf '%s\n' "${plain_ms[@]}" | median)
x_median=$(printf '%s\n' "${xcalc_ms[@]}" | median)
echo "runs:                       $runs (after one warm-up run each)"
echo "quorvel, launch to mapped:  median $q_median ms  (${quorvel_ms[*]})"
echo "plain Qt window:            median $p_median ms  (${plain_ms[*]})"
echo "xcalc, launch to mapped:    median $x_median ms  (${xcalc_ms[*]})"
awk -v q="$q_median" -v p="$p_median" 'BEGIN { printf "ratio quorvel / plain Qt:   %.2f\n", q / p }'
awk -v q="$q_median" -v x="$x_median" 'BEGIN { printf "ratio quorvel / xcalc:      %.2f\n", q / x }'
awk -v k="$peak_max" 'BEGIN { printf "quorvel peak resident:      %.1f MiB (VmHWM, largest of the runs)\n", k / 1024 }'
