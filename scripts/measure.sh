#!/usr/bin/env bash
# What the running program costs the machine it monitors from: runs it headless (offscreen)
# with default settings, first replaying data/demo.nmea, then reading a simulated receiver's
# live 1 Hz stream from a pseudo-terminal, for 60 seconds each, and reports
#   first frame       when the window was first painted, from the moment of launch
#   data shown        when the first paint after the first decoded sentence happened (the
#                     status light and texts; the poll loop's first read comes 300 ms in)
#   page data         when the visible page first painted with data (Sig/Nav refreshes every
#                     1.2 s)
#   CPU total         user + system time of the whole run, start-up included
#   CPU steady        share of one core after the first 10 seconds
#   RSS end, peak     resident memory at the end of the run and its high-water mark
# Usage: scripts/measure.sh [--seconds N] [--page NAME]... [--all-pages]
# --page measures with that page in front (Sig/Nav, Azmth/Elvn, Panel or Stats; default
# Sig/Nav, the one in front at start); --all-pages measures each of the four in turn.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
chosen=()
while [[ $# -gt 0 ]]; do
    case "$1" in
        --seconds) seconds="$2"; shift 2 ;;
        --page) chosen+=("$2"); shift 2 ;;
        --all-pages) chosen=("Sig/Nav" "Azmth/Elvn" "Panel" "Stats"); shift ;;
        *) echo "usage: scripts/measure.sh [--seconds N] [--page NAME]... [--all-pages]" >&2
           exit 2 ;;
    esac
done
pages=("${chosen[@]:-Sig/Nav}")
warm=10 # seconds of start-up left out of the steady CPU figure
((seconds > warm + 2)) || { echo "--seconds must exceed $((warm + 2))" >&2; exit 2; }

bash scripts/build.sh >/dev/null

work=$(mktemp -d)
sim_pid=""
cleanup() {
    [[ -n "$sim_pid" ]] && kill "$sim_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# A store of its own: default settings, and the user's own file is neither read nor changed.
export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=offscreen
export RAVUZIZ_REPORT_FRAMES=1
ticks=$(getconf CLK_TCK)

# Seconds (3 decimals) from the launch time $1 (ns) to the time reported for "$2" in $3.
since_launch() {
    local at
    at=$(sed -n "s/^ravuziz: $2 at //p" "$3" | head -n 1)
    [[ -n "$at" ]] || { echo "-"; return; }
    awk -v a="$at" -v s="$1" 'BEGIN { printf "%.3f s", a - s / 1e9 }'
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null; }
status_kib() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/status" 2>/dev/null; }

# measure LABEL PAGE [program arguments...]
measure() {
    local label="$1" page="$2"
    shift 2
    local start pid now elapsed cpu rss hwm
    local warm_cpu="" warm_t="" last_cpu=0 last_t=0 last_rss=0 last_hwm=0
    start=$(date +%s%N)
    build/app/ravuziz --screenshot "$work/shot.png" --page "$page" --after "$seconds" "$@" \
        2>"$work/stderr" &
    pid=$!
    while kill -0 "$pid" 2>/dev/null; do
        sleep 1
        cpu=$(cpu_ticks "$pid") || break
        rss=$(status_kib "$pid" VmRSS)
        hwm=$(status_kib "$pid" VmHWM)
        [[ -n "$cpu" && -n "$rss" && -n "$hwm" ]] || break
        now=$(date +%s%N)
        elapsed=$(((now - start) / 1000000)) # ms
        if [[ -z "$warm_cpu" && $elapsed -ge $((warm * 1000)) ]]; then
            warm_cpu=$cpu
            warm_t=$elapsed
        fi
        last_cpu=$cpu last_t=$elapsed last_rss=$rss last_hwm=$hwm
    done
    wait "$pid" || { cat "$work/stderr" >&2; echo "ravuziz failed" >&2; exit 1; }
    printf '%-24s %-11s %-12s %-12s %-12s %-10s %-11s %-10s %s\n' "$label" "$page" \
        "$(since_launch "$start" "first frame" "$work/stderr")" \
        "$(since_launch "$start" "first frame with data" "$work/stderr")" \
        "$(since_launch "$start" "first page with data" "$work/stderr")" \
        "$(awk -v c="$last_cpu" -v t="$ticks" 'BEGIN { printf "%.2f s", c / t }')" \
        "$(awk -v c="$((last_cpu - ${warm_cpu:-0}))" -v t="$ticks" \
            -v ms="$((last_t - ${warm_t:-0}))" \
            'BEGIN { if (ms > 0) printf "%.2f %%", 100 * c / t / (ms / 1000); else print "-" }')" \
        "$(awk -v k="$last_rss" 'BEGIN { printf "%.1f MiB", k / 1024 }')" \
        "$(awk -v k="$last_hwm" 'BEGIN { printf "%.1f MiB", k / 1024 }')"
}

printf '%-24s %-11s %-12s %-12s %-12s %-10s %-11s %-10s %s\n' scenario page "first frame" \
    "data shown" "page data" "CPU total" "CPU steady" "RSS end" "RSS peak"
for page in "${pages[@]}"; do
    measure "replay data/demo.nmea" "$page" --replay data/demo.nmea
done

# The live case: a receiver talking once a second on a pseudo-terminal, opened as port 1 (the
# default port) through its environment override.
build/tools/ravuziz-sim --pty >"$work/pty" &
sim_pid=$!
for _ in $(seq 50); do
    [[ -s "$work/pty" ]] && break
    sleep 0.1
done
RAVUZIZ_COM1=$(head -n 1 "$work/pty")
export RAVUZIZ_COM1
for page in "${pages[@]}"; do
    measure "live 1 Hz (ravuziz-sim)" "$page"
done
