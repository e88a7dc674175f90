#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The soak test: 24 simulated hours of the receiver simulator through the running program as
# fast as it goes, resident memory sampled every simulated hour; fails if memory grows. Not
# part of the test command (it takes about a minute); arguments go to build/bench/soak
# (--hours N, --seed S, --tolerance MIB, --adaptive-allocator: see bench/SoakMain.cpp).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
exec build/bench/soak "$@"
