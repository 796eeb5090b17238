#!/usr/bin/env bash
# Runs one Windows program under Wine in the Dutch test prefix: ctest's
# launcher for the Windows test programs (CMAKE_CROSSCOMPILING_EMULATOR).
#
#   wine-run.sh <program.exe> [arguments...]
#
# The prefix is REKENTOL_WINEPREFIX. Wine hands the Unix environment to the
# program, but the tests' LC_ALL=C.UTF-8 would make its Windows locale English;
# here the locale stays Dutch, as on the pupils' computers.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/wine-env.sh"
wine_env "${REKENTOL_WINEPREFIX:?REKENTOL_WINEPREFIX names the Wine prefix}"
# Qt Test on Windows writes to the debugger, not to a stdout without a console.
export QT_FORCE_STDERR_LOGGING=1
# Wine keeps QT_* variables from Windows programs (they are meant for the
# host's Qt); it hands on WINEQT_* as QT_*.
while IFS= read -r -d '' entry; do
  [[ $entry == QT_* ]] && export "WINE$entry"
done < <(env -0)
exec wine "$@"
