#!/usr/bin/env bash
# Builds and runs: decodes the bundled sample capture and prints what the decoder made of it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/tools/ravuziz-decode data/sample.nmea
