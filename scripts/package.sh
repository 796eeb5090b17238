#!/usr/bin/env bash
# Installs what is missing, builds Rekentol in Release and makes the .deb
# (build/package/rekentol_<version>_<arch>.deb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# CPack reads the binary's library needs with dpkg-shlibdeps (dpkg-dev) and
# finds the binaries to read with file.
missing=()
for p in dpkg-dev file; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DREKENTOL_BENCH=OFF >/dev/null
cmake --build build/package -j"$(nproc)"
(cd build/package && cpack)
ls build/package/rekentol_*.deb
