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
xev_pid=""
launched=""
cleanup() {
    [[ -n $launched ]] && kill "$launched" 2>/dev/null || true
    [[ -n $xev_pid ]] && kill "$xev_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# One watcher for the whole run, line-buffered, reporting the top-level
# windows that are mapped.
mkfifo "$work/events"
stdbuf -oL xev -root -event substructure >"$work/events" &
xev_pid=$!
exec 8<"$work/events"
sleep 0.3 # let xev select its events before anything is started

# Launches a program under Wine and waits for its window to be mapped;
# leaves the milliseconds that took in $elapsed. The window must be the
# program's (Wine names the X window's class after the executable): any
# other would make the figure meaningless.
elapsed=""
time_to_map() {
    local program=$1 class start mapped line window
    class=$(basename "${program,,}")
    start=$EPOCHREALTIME
    wine "$program" >/dev/null 2>&1 &
    launched=$!
    # A window not up in 30 s will not come; the run says so rather than wait.
    while read -r -t 30 -u 8 line; do
        if [[ $line == MapNotify* ]]; then
            mapped=$EPOCHREALTIME
            read -r -u 8 line # "event 0x..., window 0x..., override NO"
            window=$(sed -n 's/.*, window \(0x[0-9a-f]*\),.*/\1/p' <<<"$line")
            elapsed=$(awk -v a="$start" -v b="$mapped" 'BEGIN { printf "%.1f", (b - a) * 1000 }')
            if ! xprop -id "$window" WM_CLASS | grep -qi "\"$class\""; then
                echo "wine_startup.sh: window $window mapped is not $class's:" >&2
                xprop -id "$window" WM_CLASS WM_NAME >&2
                exit 1
            fi
            return
        fi
    done
    if kill -0 "$launched" 2>/dev/null; then
        echo "wine_startup.sh: $program showed no window in 30 s" >&2
    else
        echo "wine_startup.sh: $program ended without a window or the event watcher stopped" >&2
    fi
    exit 1
}

# Ends the program and waits until it is gone, so that the next run finds
# the server as idle as the first.
finish() {
    kill "$launched" 2>/dev/null || true
    wait "$launched" 2>/dev/null || true
    launched=""
    sleep 0.3
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

quorvel_ms=()
plain_ms=()
for ((i = 0; i <= runs; i++)); do
    time_to_map "$build/installer/Quorvel.exe"
    q=$elapsed
    finish
    time_to_map "$build/bench/plain_window.exe"
    p=$elapsed
    finish
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
