#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes the expected ravuziz-decode output of every capture in data/ and data/rules/ into
# data/golden/ (data/golden/rules/ for the rule captures), in both readings: NAME.json (every
# satellite system) and NAME.gps-only.json; and, when the build holds test_stats, the texts of
# the statistics table in data/golden/stats/. Run it after a change that is meant to change what
# the decoder makes of a capture, and read the diff.
set -euo pipefail
cd "$(dirname "$0")/.."
decode=${1:-build/tools/ravuziz-decode}
mkdir -p data/golden/rules
for capture in data/*.nmea data/rules/*.nmea; do
    folder=$(dirname "${capture#data/}")
    out=data/golden/${folder#.}
    name=$(basename "$capture" .nmea)
    "$decode" "$capture" >"$out/$name.json"
    "$decode" --gps-only "$capture" >"$out/$name.gps-only.json"
done
stats=$(dirname "$(dirname "$decode")")/tests/stats/test_stats
if [ -x "$stats" ]; then
    home=$(mktemp -d)
    RAVUZIZ_WRITE_GOLDEN=1 XDG_CONFIG_HOME=$home QT_QPA_PLATFORM=offscreen "$stats" \
        --gtest_filter='StatsTableTest.*Golden*' >/dev/null
    rm -rf "$home"
fi
