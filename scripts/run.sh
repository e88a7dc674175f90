#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and starts the program replaying the bundled five-minute drive, so every page moves
# without a receiver. Without a display, it pictures each page into build/screenshots instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    mkdir -p build/screenshots
    for page in Sig/Nav Azmth/Elvn Panel Stats; do
        out="build/screenshots/${page//\//}.png"
        build/app/ravuziz --replay data/demo.nmea --screenshot "$out" --page "$page" --after 8
        echo "No display: pictured the $page page in $out"
    done
    exit 0
fi
exec build/app/ravuziz --replay data/demo.nmea "$@"
