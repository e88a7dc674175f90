#!/usr/bin/env bash
# Builds everything and runs every test program, then a bounded, deterministic fuzz run of the
# byte path under ASan+UBSan. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j2

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DRAVUZIZ_FUZZ=ON >/dev/null
cmake --build build-fuzz
corpus=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$corpus" "$log"' EXIT
echo "Fuzzing the byte path (${RAVUZIZ_FUZZ_RUNS:-2000000} runs)..."
if ! build-fuzz/fuzz/fuzz_feed -runs="${RAVUZIZ_FUZZ_RUNS:-2000000}" -seed=1 -max_len=1024 \
    -dict=fuzz/nmea.dict -print_final_stats=1 "$corpus" data/ >"$log" 2>&1; then
    tail -n 80 "$log"
    echo "fuzz run failed" >&2
    exit 1
fi
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log"
