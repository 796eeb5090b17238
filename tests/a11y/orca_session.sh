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

work=$(mktemp -d /tmp/rekentol-orca.XXXXXX)
chmod 700 "$work"
pids=()
stop_all() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  # speech-dispatcher started itself for Orca; its pid file says which it is.
  for f in "$work"/run/speech-dispatcher/pid/*.pid; do
    [ -f "$f" ] && kill "$(cat "$f")" 2>/dev/null || true
  done
  sleep 0.5
  if [ -n "${ORCA_LOG:-}" ] && [ -f "$work/orca.log" ]; then cp "$work/orca.log" "$ORCA_LOG"; fi
  rm -rf "$work"
}
trap stop_all EXIT

# Dutch without touching the machine's locales.
mkdir -p "$work/locale" "$work/home" "$work/run" "$work/config/speech-dispatcher" "$work/orca"
chmod 700 "$work/run"
localedef -i nl_NL -f UTF-8 "$work/locale/nl_NL.UTF-8" 2>/dev/null || true
# Without a sound card speech-dispatcher hangs after two messages, and Orca
# with it, unless it writes into the null device.
cat >"$work/config/speech-dispatcher/speechd.conf" <<'EOF'
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "/etc/speech-dispatcher/modules/espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "nl"
EOF

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

export DISPLAY=$display HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
export LOCPATH=$work/locale LANG=nl_NL.UTF-8 LANGUAGE=nl
unset DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM
export REKENTOL_ORCA_WORK=$work REKENTOL_PROGRAM=$program
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
  /usr/bin/python3 "'"$here"'/orca_pupil.py" || status=$?
  kill "$(cat "$work/orca.pid")" "$(cat "$work/openbox.pid")" 2>/dev/null
  pkill -P "$(cat "$work/orca.pid")" 2>/dev/null
  exit $status
'
