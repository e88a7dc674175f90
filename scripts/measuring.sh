# shellcheck shell=bash
# SPDX-License-Identifier: MIT
# What the measuring scripts (measure.sh, compare.sh) share: an X server of their own and the
# processor time of a running program. Sourced, not run.

# An X server of our own on a free display number, its display number and log in folder $1:
# sets xvfb_pid and xvfb_display, or exits with the log when it does not come up in 10 s.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$1/display" \
        2>"$1/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s "$1/display" ]] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    [[ -s "$1/display" ]] || { cat "$1/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
    # shellcheck disable=SC2034 # read by the scripts that source this
    xvfb_display=":$(head -n 1 "$1/display")"
}

# Processor time of process $1 so far, in ns, into cpu_sum: the scheduler's exact run time of
# each of its threads where the kernel keeps it. User and system time are sampled at the
# clock's ticks, too coarsely for a program that runs a fraction of a millisecond at each
# wake-up: they swing by a tenth of a percent between runs. The array named $2 keeps each
# thread's time as last seen, so a thread that has ended still counts with that. Without run
# times, the ticks are all there is. Fails when the process is gone.
ticks=$(getconf CLK_TCK)
sample_cpu() {
    local -n seen=$2
    local task ns
    [[ -d "/proc/$1" ]] || return 1
    for task in /proc/"$1"/task/*; do
        read -r ns _ 2>/dev/null <"$task/schedstat" && seen[${task##*/}]=$ns
    done
    if ((${#seen[@]} == 0)); then
        cpu_sum=$(awk -v t="$ticks" '{ printf "%.0f", ($14 + $15) * 1e9 / t }' \
            "/proc/$1/stat" 2>/dev/null)
        [[ -n "$cpu_sum" ]]
        return
    fi
    cpu_sum=0
    for ns in "${seen[@]}"; do
        cpu_sum=$((cpu_sum + ns))
    done
}
