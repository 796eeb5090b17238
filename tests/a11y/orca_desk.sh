# The desk a real screen reader runs on, for the scripts that let a pupil be
# heard by Orca (tests/a11y/orca_session.sh on the desktop,
# tests/web/orca_chromium.sh in the browser): Orca in Dutch, speech-dispatcher
# with espeak-ng into a null sound device, their own Xvfb, openbox and a
# session bus. Sourced, not run.
#
#   orca_desk_up WxHxD     the work folder ($work), the display, the voice
#   orca_desk_run CMD      Orca started, CMD run (by bash, inside the session
#                          bus), Orca stopped; CMD's exit status
# Everything ends with the script (trap). ORCA_LOG=FILE keeps Orca's log.

orca_desk_up() {
  work=$(mktemp -d /tmp/rekentol-orca.XXXXXX)
  chmod 700 "$work"
  pids=()
  trap orca_desk_down EXIT

  # Dutch without touching the machine's locales.
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
  Xvfb "$display" -screen 0 "$1" -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

  export DISPLAY=$display HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
  export LOCPATH=$work/locale LANG=nl_NL.UTF-8 LANGUAGE=nl
  unset DBUS_SESSION_BUS_ADDRESS
}

orca_desk_down() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  # speech-dispatcher started itself for Orca; its pid file says which it is.
  for f in "$work"/run/speech-dispatcher/pid/*.pid; do
    [ -f "$f" ] && kill "$(cat "$f")" 2>/dev/null || true
  done
  sleep 0.5
  if [ -n "${ORCA_LOG:-}" ] && [ -f "$work/orca.log" ]; then cp "$work/orca.log" "$ORCA_LOG"; fi
  rm -rf "$work"
}

orca_desk_run() {
  REKENTOL_ORCA_WORK=$work REKENTOL_ORCA_PUPIL=$1 dbus-run-session -- bash -c '
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
    bash -c "$REKENTOL_ORCA_PUPIL" || status=$?
    kill "$(cat "$work/orca.pid")" "$(cat "$work/openbox.pid")" 2>/dev/null
    pkill -P "$(cat "$work/orca.pid")" 2>/dev/null
    exit $status
  '
}
