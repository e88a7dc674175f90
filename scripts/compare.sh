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
# Under set -e a failing kill (nothing left to stop) would end the trap before the clean-up
# and turn a finished comparison's status into a failure.
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

start() { # folder build
    local w=$work/$1
    mkdir -p "$w"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$w/display" 2>/dev/null &
    pids+=($!)
    # shellcheck disable=SC2086 # the simulator's arguments are meant to split
    "$sim" --pty ${SIM_ARGS:-} >"$w/pty" &
    pids+=($!)
    for _ in $(seq 50); do [[ -s "$w/display" && -s "$w/pty" ]] && break; sleep 0.1; done
    [[ -s "$w/display" && -s "$w/pty" ]] ||
        { echo "Xvfb or ravuziz-sim did not start" >&2; exit 1; }
    DISPLAY=":$(head -n 1 "$w/display")" RAVUZIZ_COM1=$(head -n 1 "$w/pty") \
        XDG_CONFIG_HOME="$w/config" QT_QPA_PLATFORM=xcb \
        "$2/app/ravuziz" --page "$page" --screenshot "$w/end.png" --after $((seconds + 25)) \
        2>/dev/null &
    echo $! >"$w/pid"
}
ran() { # pid: nanoseconds its threads ran
    local t n=0 a
    for t in /proc/"$1"/task/*/schedstat; do
        { read -r a _ <"$t"; } 2>/dev/null && n=$((n + a))
    done
    echo $n
}
round() { # first second
    start "$3/1" "$1"; start "$3/2" "$2"
    sleep 20
    local p p1 p2 a0 b0 a1 b1
    p1=$(cat "$work/$3/1/pid") p2=$(cat "$work/$3/2/pid")
    a0=$(ran "$p1") b0=$(ran "$p2"); sleep "$seconds"; a1=$(ran "$p1") b1=$(ran "$p2")
    # A program that ended early has no threads left to count and would read as costing
    # nothing.
    for p in "$p1" "$p2"; do
        kill -0 "$p" 2>/dev/null ||
            { echo "ravuziz (pid $p) ended before the measurement did" >&2; exit 1; }
    done
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
