#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Pictures the four pages of a replayed capture at the two window sizes the program is laid
# out for, into docs/pages/PAGE-WxH.png, and at 480 x 640 on a screen at 200 % display scaling
# into docs/pages/PAGE-480x640@2x.png (twice as many pixels each way), with default settings
# (a throw-away settings folder), so the README's pictures can be remade after a change to
# the drawing. Each picture runs the replay for real for --after seconds; the twelve run two
# at a time.
# usage: scripts/pictures.sh [BUILD_DIR] [CAPTURE] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
capture=${2:-data/demo-gnss.nmea}
after=${3:-120}
out=docs/pages
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
for picture in 240x320:1 480x640:1 480x640:2; do
    size=${picture%:*}
    scale=${picture#*:}
    suffix=""
    [[ "$scale" == 1 ]] || suffix="@${scale}x"
    for page in Sig/Nav Azmth/Elvn Panel Stats; do
        name=${page//\//}
        XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale \
            "$build/app/ravuziz" --replay "$capture" --screenshot "$out/$name-$size$suffix.png" \
            --page "$page" --after "$after" --size "$size" &
        [[ $(jobs -r | wc -l) -lt 2 ]] || wait -n
    done
done
wait
ls "$out"
