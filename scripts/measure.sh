#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What the running program costs the machine it monitors from. Runs it with default settings,
# first replaying data/demo.nmea, then reading a simulated receiver's live 1 Hz stream from a
# pseudo-terminal, for 60 seconds each, on each display asked for: headless (offscreen), and
# as a real window on an X server (Xvfb), where every frame also goes to the display. Reports
# per run
#   first frame       when the window was first painted, from the moment of launch
#   data shown        when the first paint after the first decoded sentence happened (the
#                     status light and texts; the poll loop's first read comes 300 ms in)
#   page data         when the visible page first painted with data (Sig/Nav refreshes every
#                     1.2 s)
#   CPU total         processor time of the whole run, start-up included: the run time of
#                     the program's threads as the scheduler counts it (a thread that ended
#                     between two looks, once a second, loses what it ran in between)
#   CPU steady        share of one core (processor time, not wall time) from 10 seconds
#                     in to a second before the end, when the picture is taken
#   X steady          the X server's share of one core over the same time (xvfb only)
#   RSS end, peak     resident memory a second before the picture is taken (taking it needs
#                     memory of its own, a megabyte and more) and the high-water mark until
#                     then
#   drawn, shown      how often a minute the visible page (with its child windows) drew on
#                     its surface and was copied to the display, over the whole run
#   window shown      how often a minute any part of the main window was copied to the display
#
# Usage: scripts/measure.sh [--seconds N] [--page NAME]... [--all-pages]
#                           [--display offscreen|xvfb|both] [--size WxH]
#                           [--capture FILE] [--sim-args ARGS] [--only replay|live]
#                           [--build DIR]
# --page measures with that page in front (Sig/Nav, Azmth/Elvn, Panel or Stats; default
# Sig/Nav, the one in front at start); --all-pages measures each of the four in turn.
# --display chooses the displays (default both); xvfb needs the Debian package xvfb, which
# the script installs when it is missing. --size gives the window's size (default the
# program's own, 480x600). --capture replays FILE instead of data/demo.nmea; --sim-args passes
# ARGS (one string, split at blanks) to ravuziz-sim --pty for the live stream, e.g.
# --sim-args "--speed 10" for ten simulated seconds a second. --only leaves out the other
# scenario. --build measures the programs already built in DIR instead of building build/.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/measuring.sh
source scripts/measuring.sh

usage() {
    echo "usage: scripts/measure.sh [--seconds N] [--page NAME]... [--all-pages]" \
        "[--display offscreen|xvfb|both] [--size WxH] [--capture FILE] [--sim-args ARGS]" \
        "[--only replay|live] [--build DIR]" >&2
    exit 2
}

seconds=60
chosen=()
display=both
size=""
capture=data/demo.nmea
sim_args=""
only=""
build_dir=""
while [[ $# -gt 0 ]]; do
    [[ $# -ge 2 || "$1" == --all-pages ]] || usage
    case "$1" in
        --seconds) seconds="$2"; shift 2 ;;
        --page) chosen+=("$2"); shift 2 ;;
        --all-pages) chosen=("Sig/Nav" "Azmth/Elvn" "Panel" "Stats"); shift ;;
        --display) display="$2"; shift 2 ;;
        --size) size="$2"; shift 2 ;;
        --capture) capture="$2"; shift 2 ;;
        --sim-args) sim_args="$2"; shift 2 ;;
        --only) only="$2"; shift 2 ;;
        --build) build_dir="$2"; shift 2 ;;
        *) usage ;;
    esac
done
pages=("${chosen[@]:-Sig/Nav}")
case "$display" in
    offscreen | xvfb) displays=("$display") ;;
    both) displays=(offscreen xvfb) ;;
    *) echo "--display takes offscreen, xvfb or both" >&2; exit 2 ;;
esac
[[ -z "$only" || "$only" == replay || "$only" == live ]] ||
    { echo "--only takes replay or live" >&2; exit 2; }
[[ -r "$capture" ]] || { echo "cannot read the capture $capture" >&2; exit 2; }
warm=10 # seconds of start-up left out of the steady CPU figures
((seconds > warm + 2)) || { echo "--seconds must exceed $((warm + 2))" >&2; exit 2; }

if [[ -z "$build_dir" ]]; then
    bash scripts/build.sh >/dev/null
    build_dir=build
fi
[[ -x "$build_dir/app/ravuziz" && -x "$build_dir/tools/ravuziz-sim" ]] ||
    { echo "no programs built in $build_dir" >&2; exit 2; }

if [[ " ${displays[*]} " == *" xvfb "* ]] && ! command -v Xvfb >/dev/null; then
    echo "Installing: xvfb" >&2
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends xvfb >/dev/null
fi

work=$(mktemp -d)
sim_pid=""
xvfb_pid=""
cleanup() {
    if [[ -n "$sim_pid" ]]; then kill "$sim_pid" 2>/dev/null || true; fi
    if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
# A store of its own: default settings, and the user's own file is neither read nor changed.
export XDG_CONFIG_HOME="$work/config"
export RAVUZIZ_REPORT_FRAMES=1 RAVUZIZ_REPORT_PAINTS=1
# shellcheck disable=SC2034 # filled through sample_cpu's name reference
declare -A xvfb_seen=()

# Seconds (3 decimals) from the launch time $1 (ns) to the time reported for "$2" in $3.
since_launch() {
    local at
    at=$(sed -n "s/^ravuziz: $2 at //p" "$3" | head -n 1)
    [[ -n "$at" ]] || { echo "-"; return; }
    awk -v a="$at" -v s="$1" 'BEGIN { printf "%.3f s", a - s / 1e9 }'
}

status_kib() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/status" 2>/dev/null; }
# Share of one core, from $1 ns of processor time over $2 ms.
share() {
    awk -v ns="$1" -v ms="$2" \
        'BEGIN { if (ms > 0) printf "%.2f %%", ns / ms / 1e4; else print "-" }'
}
# Field $1 (drawn, shown or window) of the paint counts the program reported in $2, as a
# count a minute of the run's $3 ms; "-" from a program that reports none.
paints() {
    local line count
    line=$(grep '^ravuziz: paints: ' "$2" | tail -n 1) || true
    case "$1" in
        drawn) count=$(sed -n 's/.* drawn \([0-9]*\).*/\1/p' <<<"$line") ;;
        shown) count=$(sed -n 's/.* shown \([0-9]*\),.*/\1/p' <<<"$line") ;;
        window) count=$(sed -n 's/.*window shown \([0-9]*\).*/\1/p' <<<"$line") ;;
    esac
    [[ -n "$count" && "$3" -gt 0 ]] || { echo "-"; return; }
    awk -v n="$count" -v ms="$3" 'BEGIN { printf "%.1f", n * 60000 / ms }'
}

columns='%-24s %-9s %-11s %-9s %-9s %-9s %-9s %-8s %-8s %-9s %-9s %-9s %-9s %s\n'
# measure LABEL DISPLAY PAGE [program arguments...]
measure() {
    local label="$1" where="$2" page="$3"
    shift 3
    local start pid now elapsed cpu rss hwm xcpu=0
    local warm_cpu="" warm_x=0 warm_t="" last_cpu=0 last_t=0
    local steady_cpu=0 steady_x=0 steady_t=0 steady_rss=0 steady_hwm=0
    # shellcheck disable=SC2034 # filled through sample_cpu's name reference
    local -A app_seen=()
    local -a env_of=(env QT_QPA_PLATFORM=offscreen)
    [[ "$where" == xvfb ]] && env_of=(env QT_QPA_PLATFORM=xcb DISPLAY="$xvfb_display")
    local -a size_of=()
    [[ -n "$size" ]] && size_of=(--size "$size")
    start=$(date +%s%N)
    "${env_of[@]}" "$build_dir/app/ravuziz" --screenshot "$work/shot.png" --page "$page" \
        --after "$seconds" "${size_of[@]}" "$@" 2>"$work/stderr" &
    pid=$!
    while kill -0 "$pid" 2>/dev/null; do
        sleep 1
        sample_cpu "$pid" app_seen || break
        cpu=$cpu_sum
        rss=$(status_kib "$pid" VmRSS)
        hwm=$(status_kib "$pid" VmHWM)
        [[ -n "$cpu" && -n "$rss" && -n "$hwm" ]] || break
        if [[ -n "$xvfb_pid" && "$where" == xvfb ]] && sample_cpu "$xvfb_pid" xvfb_seen; then
            xcpu=$cpu_sum
        fi
        now=$(date +%s%N)
        elapsed=$(((now - start) / 1000000)) # ms
        if [[ -z "$warm_cpu" && $elapsed -ge $((warm * 1000)) ]]; then
            warm_cpu=$cpu warm_x=$xcpu warm_t=$elapsed
        fi
        # The steady figures end a second before the picture is taken and the program quits.
        if ((elapsed <= (seconds - 1) * 1000)); then
            steady_cpu=$cpu steady_x=$xcpu steady_t=$elapsed steady_rss=$rss steady_hwm=$hwm
        fi
        last_cpu=$cpu last_t=$elapsed
    done
    wait "$pid" || { cat "$work/stderr" >&2; echo "ravuziz failed" >&2; exit 1; }
    local x_steady="-"
    [[ "$where" == xvfb ]] &&
        x_steady=$(share "$((steady_x - warm_x))" "$((steady_t - ${warm_t:-0}))")
    # shellcheck disable=SC2059
    printf "$columns" "$label" "$where" "$page" \
        "$(since_launch "$start" "first frame" "$work/stderr")" \
        "$(since_launch "$start" "first frame with data" "$work/stderr")" \
        "$(since_launch "$start" "first page with data" "$work/stderr")" \
        "$(awk -v ns="$last_cpu" 'BEGIN { printf "%.2f s", ns / 1e9 }')" \
        "$(share "$((steady_cpu - ${warm_cpu:-0}))" "$((steady_t - ${warm_t:-0}))")" \
        "$x_steady" \
        "$(awk -v k="$steady_rss" 'BEGIN { printf "%.1f MiB", k / 1024 }')" \
        "$(awk -v k="$steady_hwm" 'BEGIN { printf "%.1f MiB", k / 1024 }')" \
        "$(paints drawn "$work/stderr" "$last_t")" "$(paints shown "$work/stderr" "$last_t")" \
        "$(paints window "$work/stderr" "$last_t")"
}

# shellcheck disable=SC2059
printf "$columns" scenario display page "first frame" "data shown" "page data" "CPU total" \
    "CPU steady" "X steady" "RSS end" "RSS peak" drawn/min shown/min "window/min"
[[ " ${displays[*]} " == *" xvfb "* ]] && start_xvfb "$work"

if [[ "$only" != live ]]; then
    for where in "${displays[@]}"; do
        for page in "${pages[@]}"; do
            measure "replay $(basename "$capture")" "$where" "$page" --replay "$capture"
        done
    done
fi
[[ "$only" == replay ]] && exit 0

# The live case: a receiver talking on a pseudo-terminal, opened as port 1 (the default port)
# through its environment override.
# shellcheck disable=SC2086 # the simulator's arguments are meant to split
"$build_dir/tools/ravuziz-sim" --pty $sim_args >"$work/pty" &
sim_pid=$!
for _ in $(seq 50); do
    [[ -s "$work/pty" ]] && break
    sleep 0.1
done
[[ -s "$work/pty" ]] || { echo "ravuziz-sim did not start" >&2; exit 1; }
RAVUZIZ_COM1=$(head -n 1 "$work/pty")
export RAVUZIZ_COM1
live="live 1 Hz (ravuziz-sim)"
[[ -n "$sim_args" ]] && live="live (ravuziz-sim $sim_args)"
for where in "${displays[@]}"; do
    for page in "${pages[@]}"; do
        measure "$live" "$where" "$page"
    done
done
