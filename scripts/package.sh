#!/usr/bin/env bash
# Installs what is missing, builds Rekentol in Release and makes the .deb
# (build/package/rekentol_<version>_<arch>.deb).
set -euo pipefail
cd "$(dirname "$0")/.."
# CPack reads the binary's library needs with dpkg-shlibdeps (dpkg-dev) and
# finds the binaries to read with file.
scripts/install-deps.sh dpkg-dev file

cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DREKENTOL_BENCH=OFF >/dev/null
cmake --build build/package -j"$(nproc)"
(cd build/package && cpack)
ls build/package/rekentol_*.deb
