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

work=$(mktemp -d /tmp/rekentol-orca-web.XXXXXX)
chmod 700 "$work"
pids=()
stop_all() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  for f in "$work"/run/speech-dispatcher/pid/*.pid; do
    [ -f "$f" ] && kill "$(cat "$f")" 2>/dev/null || true
  done
  sleep 0.5
  if [ -n "${ORCA_LOG:-}" ] && [ -f "$work/orca.log" ]; then cp "$work/orca.log" "$ORCA_LOG"; fi
  rm -rf "$work"
}
trap stop_all EXIT

mkdir -p "$work/locale" "$work/home" "$work/run" "$work/config/speech-dispatcher" "$work/orca"
chmod 700 "$work/run"
localedef -i nl_NL -f UTF-8 "$work/locale/nl_NL.UTF-8" 2>/dev/null || true
# Without a sound card speech-dispatcher hangs after two messages, and Orca
# with it, unless it writes into the null device.
cat >"$work/config/speech-dispatcher/speechd.conf" <<'CONF'
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "/etc/speech-dispatcher/modules/espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "nl"
CONF

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

export DISPLAY=$display HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
export LOCPATH=$work/locale LANG=nl_NL.UTF-8 LANGUAGE=nl
unset DBUS_SESSION_BUS_ADDRESS
export REKENTOL_ORCA_WORK=$work REKENTOL_WEB_SITE=$site REKENTOL_WEB_TESTS=$here
dbus-run-session -- bash -c '
  set -u
  work=$REKENTOL_ORCA_WORK
  openbox >/dev/null 2>&1 & echo $! >"$work/openbox.pid"
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null
  # Orca writes its debug file in large blocks; through script it arrives line by line.
  script -qfc "orca -u $work/orca --debug-file=/dev/tty" "$work/orca.log" >/dev/null 2>&1 &
  echo $! >"$work/orca.pid"
  status=0
  (cd "$REKENTOL_WEB_TESTS" && node orca_pupil.js) || status=$?
  kill "$(cat "$work/orca.pid")" "$(cat "$work/openbox.pid")" 2>/dev/null
  pkill -P "$(cat "$work/orca.pid")" 2>/dev/null
  exit $status
'
