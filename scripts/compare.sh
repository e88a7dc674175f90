#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Which of two builds costs less while watching a live 1 Hz stream under a real X server.
# Runs of one build swing by a few hundredths of a percent of a core, more than most changes
# gain, so both builds run at once, each with its own Xvfb and simulated receiver, and are
# measured over the same seconds; then again with the other started first. Prints per run the
# share of one core each build's threads ran (the scheduler's run time) from 20 seconds in.
#
# Usage: scripts/compare.sh BUILD_A BUILD_B [PAGE] [SECONDS]
# BUILD_A and BUILD_B are build folders holding app/ravuziz; the simulator is BUILD_A's.
# PAGE is Sig/Nav, Azmth/Elvn, Panel (default) or Stats; SECONDS the measured time (45).
# SIM_ARGS in the environment passes arguments to ravuziz-sim --pty, e.g. "--rate 10".
set -euo pipefail
# shellcheck source=scripts/measuring.sh
source "$(dirname "$0")/measuring.sh"
[[ $# -ge 2 ]] || { sed -n 3,12p "$0" | cut -c3- >&2; exit 2; }
build_a=$(realpath "$1") build_b=$(realpath "$2") page=${3:-Panel} seconds=${4:-45}
for b in "$build_a" "$build_b"; do
    [[ -x "$b/app/ravuziz" ]] || { echo "no $b/app/ravuziz" >&2; exit 1; }
done
sim="$build_a/tools/ravuziz-sim"
[[ -x "$sim" ]] || { echo "no $sim" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "needs Xvfb (Debian package xvfb)" >&2; exit 1; }
work=$(mktemp -d)
pids=()
xvfb_pid=""
# Under set -e a failing kill (nothing left to stop) would end the clean-up before it removes
# the folder and turn a finished comparison's status into a failure. An X server that did not
# come up is not in pids yet.
cleanup() {
    kill "${pids[@]}" ${xvfb_pid:+"$xvfb_pid"} 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

start() { # folder build
    local w=$work/$1
    mkdir -p "$w"
    start_xvfb "$w"
    pids+=("$xvfb_pid")
    # shellcheck disable=SC2086 # the simulator's arguments are meant to split
    "$sim" --pty ${SIM_ARGS:-} >"$w/pty" &
    pids+=($!)
    for _ in $(seq 50); do [[ -s "$w/pty" ]] && break; sleep 0.1; done
    [[ -s "$w/pty" ]] || { echo "ravuziz-sim did not start" >&2; exit 1; }
    DISPLAY="$xvfb_display" RAVUZIZ_COM1=$(head -n 1 "$w/pty") \
        XDG_CONFIG_HOME="$w/config" QT_QPA_PLATFORM=xcb \
        "$2/app/ravuziz" --page "$page" --screenshot "$w/end.png" --after $((seconds + 25)) \
        2>/dev/null &
    echo $! >"$w/pid"
}
# The run time of program $1's threads so far into cpu_sum, those seen before kept in the array
# named $2. A program that has ended has no threads left to count and would read as costing
# nothing: that stops the comparison.
ran() {
    sample_cpu "$1" "$2" ||
        { echo "ravuziz (pid $1) ended before the measurement did" >&2; exit 1; }
}
round() { # first second
    start "$3/1" "$1"; start "$3/2" "$2"
    sleep 20
    local p1 p2 a0 b0 a1 b1
    # shellcheck disable=SC2034 # filled through sample_cpu's name reference
    local -A seen1=() seen2=()
    p1=$(cat "$work/$3/1/pid") p2=$(cat "$work/$3/2/pid")
    ran "$p1" seen1; a0=$cpu_sum
    ran "$p2" seen2; b0=$cpu_sum
    sleep "$seconds"
    ran "$p1" seen1; a1=$cpu_sum
    ran "$p2" seen2; b1=$cpu_sum
    awk -v a=$((a1 - a0)) -v b=$((b1 - b0)) -v s="$seconds" -v f="$4" 'BEGIN {
        pa = a / s / 1e7; pb = b / s / 1e7
        if (f == "A") printf "A first: A %.3f %%  B %.3f %%  B-A %+.3f\n", pa, pb, pb - pa
        else printf "B first: A %.3f %%  B %.3f %%  B-A %+.3f\n", pb, pa, pa - pb }'
    wait "$p1" "$p2" 2>/dev/null || true
    kill "${pids[@]}" 2>/dev/null || true
    pids=()
}
echo "$page, $seconds s, A=$build_a B=$build_b"
round "$build_a" "$build_b" ab A
round "$build_b" "$build_a" ba B
