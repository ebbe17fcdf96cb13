# Sourced by the start-up benchmarks: times a program from its launch to its
# window being mapped, as a window manager would see it (a MapNotify on the
# root window of $DISPLAY). The caller sets $work (a scratch folder) and
# DISPLAY, calls watch_maps once, and kills $xev_pid and $launched on exit.

xev_pid=""
launched=""
elapsed=""

# One watcher for the whole run, line-buffered, reporting the top-level
# windows that are mapped.
watch_maps() {
    mkfifo "$work/events"
    stdbuf -oL xev -root -event substructure >"$work/events" &
    xev_pid=$!
    exec 8<"$work/events"
    sleep 0.3 # let xev select its events before anything is started
}

# time_to_map CLASS COMMAND [ARG...]: launches the command and waits for its
# first MapNotify; leaves the milliseconds that took in $elapsed and the
# process id in $launched. The window mapped must be the program's (by its
# WM_CLASS, e.g. "xcalc", or "quorvel.exe" under Wine): any other would make
# the figure meaningless. A window not up in 30 s will not come; the run says
# so rather than wait.
time_to_map() {
    local class=$1 start mapped line window
    shift
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 &
    launched=$!
    while read -r -t 30 -u 8 line; do
        if [[ $line == MapNotify* ]]; then
            mapped=$EPOCHREALTIME
            read -r -u 8 line # "event 0x..., window 0x..., override NO"
            window=$(sed -n 's/.*, window \(0x[0-9a-f]*\),.*/\1/p' <<<"$line")
            elapsed=$(awk -v a="$start" -v b="$mapped" 'BEGIN { printf "%.1f", (b - a) * 1000 }')
            if ! xprop -id "$window" WM_CLASS | grep -qi "\"$class\""; then
                echo "${0##*/}: window $window mapped is not $class's:" >&2
                xprop -id "$window" WM_CLASS WM_NAME >&2
                exit 1
            fi
            return
        fi
    done
    if kill -0 "$launched" 2>/dev/null; then
        echo "${0##*/}: $class showed no window in 30 s" >&2
    else
        echo "${0##*/}: $class ended without a window or the event watcher stopped" >&2
    fi
    exit 1
}

# finish SECONDS: ends the program and waits until it is gone, then SECONDS
# more, so that the next run finds the machine as idle as the first.
finish() {
    kill "$launched" 2>/dev/null || true
    wait "$launched" 2>/dev/null || true
    launched=""
    sleep "$1"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
