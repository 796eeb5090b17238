#!/usr/bin/env bash
# What a pupil who cannot see the screen hears: runs the real screen reader
# (Orca, Dutch, speech-dispatcher with espeak-ng into a null sound device) on
# its own Xvfb with openbox and a session bus, lets a pupil work the program
# with the keyboard only, and prints what Orca spoke after every step.
#
#   tests/a11y/orca_session.sh [program]
#
# Not part of ctest: it needs Orca and takes a few minutes, and it shows what
# is heard rather than judging it. The exit code is 1 only when the session
# could not be run to its end. ORCA_LOG=FILE keeps Orca's whole debug log.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)

"$source_dir/scripts/install-deps.sh" orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng \
  dbus-x11 locales

program=${1:-}
if [ -z "$program" ]; then
  for candidate in build/package/rekentol build/test/rekentol; do
    [ -x "$source_dir/$candidate" ] && program=$source_dir/$candidate && break
  done
fi
[ -n "$program" ] && [ -x "$program" ] || { echo "no program: build it or pass its path"; exit 1; }
program=$(readlink -f "$program")

source "$here/orca_desk.sh"
orca_desk_up 1280x1024x24
unset QT_QPA_PLATFORM
export REKENTOL_PROGRAM=$program REKENTOL_ORCA_HERE=$here
orca_desk_run '/usr/bin/python3 "$REKENTOL_ORCA_HERE/orca_pupil.py"'
