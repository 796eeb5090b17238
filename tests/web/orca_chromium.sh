#!/usr/bin/env bash
# What a pupil who cannot see the screen hears in the browser version: Orca
# (Dutch, speech-dispatcher with espeak-ng into a null sound device) and
# Chromium, not headless, with its accessibility tree on, on their own Xvfb
# with openbox and a session bus. A pupil works the estimation drill and the
# written board by keyboard, right and wrong, and what Orca spoke after each
# step is printed, as tests/a11y/orca_session.sh does for the desktop.
#
#   tests/web/orca_chromium.sh [SITE_DIR]
#
# It shows what is heard rather than judging it: the exit code is 1 only when
# the session could not be run to its end. ORCA_LOG=FILE keeps Orca's log.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
site=$(readlink -f "${1:-$source_dir/build/web/site}")
[ -f "$site/index.html" ] || { echo "no site in $site: build it first (scripts/web.sh build)"; exit 1; }

"$source_dir/scripts/install-deps.sh" orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng \
  dbus-x11 locales chromium
# node and npm may come from elsewhere than Debian (whose npm then conflicts).
command -v node >/dev/null || "$source_dir/scripts/install-deps.sh" nodejs
command -v npm >/dev/null || "$source_dir/scripts/install-deps.sh" npm
[ -d "$here/node_modules/@playwright/test" ] || (cd "$here" && npm ci --no-audit --no-fund)

source "$source_dir/tests/a11y/orca_desk.sh"
orca_desk_up 1366x768x24
export REKENTOL_WEB_SITE=$site REKENTOL_WEB_TESTS=$here
orca_desk_run 'cd "$REKENTOL_WEB_TESTS" && node orca_pupil.js'
