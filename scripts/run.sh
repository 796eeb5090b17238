#!/usr/bin/env bash
# Installs what is missing, builds Rekentol and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DREKENTOL_BENCH=OFF >/dev/null
cmake --build build/release --target rekentol -j"$(nproc)"
exec build/release/rekentol
