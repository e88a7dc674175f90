#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures and builds the program, tools, tests and benchmarks into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
