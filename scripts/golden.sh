#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes the expected ravuziz-decode output of every capture in data/ and data/rules/ into
# data/golden/ (data/golden/rules/ for the rule captures), in both readings: NAME.json (every
# satellite system) and NAME.gps-only.json. Run it after a change that is meant to change what
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
