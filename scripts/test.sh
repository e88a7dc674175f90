#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds everything and runs every test program; builds the whole suite a second time under
# AddressSanitizer (leak checking included) and UndefinedBehaviorSanitizer and runs it there;
# then a bounded, deterministic fuzz run of the byte path. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j2

echo "Building and running the tests again under ASan+UBSan..."
# -O1 keeps the sanitized build quick to compile and to run; line tables name the lines of a
# report. The benchmarks have nothing to check, so they are left out.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" -DRAVUZIZ_SANITIZE=ON -DRAVUZIZ_BENCH=OFF \
    >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j2

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
