#!/usr/bin/env bash
# Writes the expected ravuziz-decode output of every capture in data/ into data/golden/, in
# both readings: NAME.json (every satellite system) and NAME.gps-only.json. Run it after a
# change that is meant to change what the decoder makes of a capture, and read the diff.
set -euo pipefail
cd "$(dirname "$0")/.."
decode=${1:-build/tools/ravuziz-decode}
for capture in data/*.nmea; do
    name=$(basename "$capture" .nmea)
    "$decode" "$capture" >"data/golden/$name.json"
    "$decode" --gps-only "$capture" >"data/golden/$name.gps-only.json"
done
