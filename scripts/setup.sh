#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the whole build and test stack from Debian's packages, but only what is missing,
# so a prepared machine starts building at once and a fresh one needs nothing else.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-qpa-plugins qt6-serialport-dev fonts-liberation2
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    gpsd
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
