#!/usr/bin/env bash
# Builds Rekentol for 64-bit Windows on Debian and checks it under Wine.
#
#   scripts/windows.sh [step...]
#
# Steps (all of them, in this order, when none is named):
#   deps     install the cross compiler, NSIS, Wine, Xvfb and friends
#   qt       build a static Qt for Windows from Debian's qt6-base source, once;
#            it is kept in $REKENTOL_WIN_CACHE (default
#            /var/cache/rekentol-windows), keyed by Qt version and options
#   build    rekentol.exe (build/windows; stripped into build/windows/dist)
#   pupil    rekentol.exe under Wine on Xvfb, taken from the welcome screen to
#            one estimation exercise judged right; screenshots kept
#   heard    the pupil's way again, with a stand-in UIAutomationCore.dll that
#            writes every screen-reader notification the program raises to
#            build/windows/heard/words.txt; fails when the task, "goed",
#            "fout", a prompt or a reason is missing
#   package  rekentol-setup-<version>.exe (NSIS) and the portable zip
#   install  silent install, start and silent uninstall under Wine
#   test     the test programs, built for Windows and run by ctest under Wine
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
win=$root/packaging/windows
out=$root/build/windows
cache=${REKENTOL_WIN_CACHE:-/var/cache/rekentol-windows}
jobs=$(nproc)
# The first Qt build takes most of an hour on two cores; it stays out of the
# way of interactive work.
niced=(nice -n 19 ionice -c3)

say() { printf '== %s\n' "$*"; }

# --- deps -------------------------------------------------------------------
step_deps() {
  local want=(g++-mingw-w64-x86-64-posix nsis wine wine64 zip xvfb xdotool
              x11-apps imagemagick fonts-liberation2 dpkg-dev cmake ninja-build
              qt6-base-dev qt6-base-dev-tools qt6-svg-dev librsvg2-bin)
  local missing=()
  for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    say "installing ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
  fi
}

# A deb-src entry beside each deb entry of the machine's own apt sources, so
# `apt-get source` reaches the same archive the binaries come from.
ensure_deb_src() {
  local list=/etc/apt/sources.list.d/rekentol-deb-src.sources
  if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return
  fi
  say "adding deb-src entries derived from the apt sources"
  {
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
      [[ -e $f ]] || continue
      # deb822: the same stanzas with the type changed.
      sed -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb-src/' "$f"
      echo
    done
    if [[ -f /etc/apt/sources.list ]]; then
      # One-line form: turn each "deb [opts] URI suite comps" into a stanza.
      awk '/^deb[[:space:]]/ {
             i = 2; opts = ""
             if ($2 ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
             printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents:", $i, $(i+1)
             for (j = i + 2; j <= NF; j++) printf " %s", $j
             printf "\n\n" }' /etc/apt/sources.list
    fi
  } >"$list.tmp"
  mv "$list.tmp" "$list"
  apt-get update -qq
}

# --- qt ---------------------------------------------------------------------
qt_version=6.4.2
qt_options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF
  # Debian's source leaves out src/3rdparty/wintab, which tablet support needs.
  -DFEATURE_tabletevent=OFF
)
qt_key() {
  { printf '%s\n' "$qt_version" "${qt_options[@]}"; cat "$win/mingw-w64-x86_64.cmake"; } \
    | sha256sum | cut -c1-12
}
qt_prefix() { echo "$cache/qt-$qt_version-$(qt_key)"; }

step_qt() {
  local prefix; prefix=$(qt_prefix)
  if [[ -x $prefix/bin/qt-cmake && -f $prefix/.complete ]]; then
    say "static Qt for Windows: cached in $prefix"
    return
  fi
  ensure_deb_src
  local src=$cache/src work=$cache/build-$(qt_key)
  mkdir -p "$src"
  local tree
  tree=$(find "$src" -maxdepth 1 -type d -name "qt6-base-$qt_version*" | head -1)
  if [[ -z $tree ]]; then
    say "fetching Debian's qt6-base source"
    # The source of the very Qt the host tools (moc, rcc, uic) come from.
    local v
    v=$(apt-cache showsrc qt6-base | awk -v q="$qt_version" '$1 == "Version:" && index($2, q) == 1 { print $2; exit }')
    [[ -n $v ]] || { echo "windows.sh: no qt6-base $qt_version source in the apt sources" >&2; exit 1; }
    (cd "$src" && apt-get source -qq --download-only "qt6-base=$v" && dpkg-source -x --no-check qt6-base_*.dsc >/dev/null)
    tree=$(find "$src" -maxdepth 1 -type d -name "qt6-base-$qt_version*" | head -1)
    [[ -n $tree ]] || { echo "windows.sh: apt-get source qt6-base gave no source tree" >&2; exit 1; }
  fi
  # Our few fixes to Debian's source for this configuration.
  local fix
  for fix in "$win"/qt-*.patch; do
    if patch -d "$tree" -p1 -N --dry-run --silent <"$fix" >/dev/null 2>&1; then
      say "applying $(basename "$fix")"
      patch -d "$tree" -p1 -N --silent <"$fix"
    fi
  done
  local t0=$SECONDS
  say "configuring Qt $qt_version for Windows in $work"
  cmake -S "$tree" -B "$work" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$win/mingw-w64-x86_64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${qt_options[@]}" >"$cache/configure.log" 2>&1 \
    || { tail -40 "$cache/configure.log" >&2; exit 1; }
  say "building Qt (log: $cache/ninja.log)"
  "${niced[@]}" ninja -C "$work" -j"$jobs" >"$cache/ninja.log" 2>&1 \
    || { tail -40 "$cache/ninja.log" >&2; exit 1; }
  ninja -C "$work" install >"$cache/install.log" 2>&1 \
    || { tail -40 "$cache/install.log" >&2; exit 1; }
  touch "$prefix/.complete"
  # The installed Qt is what is kept; the build tree is some gigabytes.
  rm -rf "$work"
  say "Qt built in $(((SECONDS - t0) / 60)) min; $(du -sh "$prefix" | cut -f1) in $prefix"
}

# --- build ------------------------------------------------------------------
version() { sed -nE 's/^project\(rekentol VERSION ([0-9.]+).*/\1/p' CMakeLists.txt; }
mingw_strip=x86_64-w64-mingw32-strip

step_build() {
  local prefix; prefix=$(qt_prefix)
  [[ -x $prefix/bin/qt-cmake ]] || { echo "windows.sh: no static Qt yet; run the qt step" >&2; exit 1; }
  # The pictures and the icon are drawn by render_icon on this machine: the
  # Windows build has no Qt SVG, the host's Qt has.
  say "building the host's render_icon"
  cmake -S . -B build/windows-host -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF -DREKENTOL_BENCH=OFF >/dev/null
  nice -n 10 cmake --build build/windows-host -j"$jobs" --target rekentol_render_icon >/dev/null
  say "configuring the Windows build in $out"
  "$prefix/bin/qt-cmake" -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$win/mingw-w64-x86_64.cmake" \
    -DREKENTOL_RENDER_TOOL="$root/build/windows-host/packaging/rekentol_render_icon" \
    -DREKENTOL_BENCH=OFF \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$win/wine-run.sh" >"$out.configure.log" 2>&1 \
    || { mkdir -p "$out"; tail -30 "$out.configure.log" >&2; exit 1; }
  say "building rekentol.exe"
  local t0=$SECONDS
  nice -n 10 cmake --build "$out" -j"$jobs" --target rekentol >"$out/build.log" 2>&1 \
    || { grep -E 'error|Error' "$out/build.log" | head -30 >&2; tail -10 "$out/build.log" >&2; exit 1; }
  mkdir -p "$out/dist"
  "$mingw_strip" -o "$out/dist/rekentol.exe" "$out/rekentol.exe"
  say "built in $(((SECONDS - t0) / 60)) min; rekentol.exe $(du -h "$out/dist/rekentol.exe" | cut -f1) (stripped)," \
      "$(grep -c 'warning:' "$out/build.log" || true) compiler warnings"
  # One file: nothing but Windows' own DLLs may be asked for.
  local dlls
  dlls=$(x86_64-w64-mingw32-objdump -p "$out/dist/rekentol.exe" | sed -n 's/^\s*DLL Name: //p' | sort -u | tr '\n' ' ')
  say "rekentol.exe imports: $dlls"
  if grep -qiE 'qt6|libstdc|libgcc|winpthread' <<<"$dlls"; then
    echo "windows.sh: rekentol.exe needs a DLL that does not come with Windows" >&2
    exit 1
  fi
}

# --- Wine ---------------------------------------------------------------------
wine_prefix=$cache/wine-test
source "$win/wine-env.sh"

# A display of its own for the steps that show windows.
xvfb_pid=
start_xvfb() {
  local n
  for n in $(seq 91 120); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return
    sleep 0.2
  done
  echo "windows.sh: Xvfb did not start" >&2
  exit 1
}
stop_xvfb() {
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  xvfb_pid=
}
trap stop_xvfb EXIT

# Left out under Wine, with the reason.
declare -A wine_left_out=(
  [desktop.tst_windowmanager]="needs X11 and openbox as its window manager (a shell script runs it)"
  [install.validate]="checks the Linux install tree (desktop entry, AppStream)"
)

# --- test -------------------------------------------------------------------
step_test() {
  [[ -f $out/CTestTestfile.cmake ]] || { echo "windows.sh: build first" >&2; exit 1; }
  say "building the test programs"
  local t0=$SECONDS
  nice -n 10 cmake --build "$out" -j"$jobs" >"$out/build-tests.log" 2>&1 \
    || { grep -E 'error|Error' "$out/build-tests.log" | head -30 >&2; tail -10 "$out/build-tests.log" >&2; exit 1; }
  say "built in $(((SECONDS - t0) / 60)) min, $(grep -c 'warning:' "$out/build-tests.log" || true) compiler warnings"
  export REKENTOL_WINEPREFIX=$wine_prefix
  wine_env "$wine_prefix"
  say "the test programs under Wine (prefix $wine_prefix, locale $LC_ALL)"
  local t exclude
  for t in "${!wine_left_out[@]}"; do
    say "left out: $t: ${wine_left_out[$t]}"
    exclude+="${exclude:+|}^${t//./\\.}\$"
  done
  start_xvfb  # for any test that wants a display after all
  # Wine's server and services start here, away from ctest: started by the
  # first test they would hold its output pipe open, and ctest would wait.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  local rc=0
  ctest --test-dir "$out" -E "$exclude" --output-on-failure -j"$jobs" --timeout 900 2>&1 \
    | tee "$out/wine-tests.log" || rc=$?
  wineserver -k 2>/dev/null || true
  stop_xvfb
  ((rc == 0)) || { echo "windows.sh: tests failed under Wine" >&2; exit "$rc"; }
}

# --- pupil ------------------------------------------------------------------
step_pupil() {
  [[ -f $out/dist/rekentol.exe ]] || { echo "windows.sh: build first" >&2; exit 1; }
  wine_env "$wine_prefix"
  start_xvfb
  local shots=$out/pupil
  say "rekentol.exe under Wine on $DISPLAY, the pupil's way (screenshots in $shots)"
  # The Windows platform plugin, as on a pupil's computer.
  env -u QT_QPA_PLATFORM python3 "$win/pupil_run.py" "$shots" wine "$out/dist/rekentol.exe"
  wineserver -k 2>/dev/null || true
  stop_xvfb
}

# --- heard ------------------------------------------------------------------
step_heard() {
  [[ -f $out/dist/rekentol.exe ]] || { echo "windows.sh: build first" >&2; exit 1; }
  local heard=$out/heard
  rm -rf "$heard"
  mkdir -p "$heard"
  say "the stand-in UIAutomationCore.dll (for this step only)"
  x86_64-w64-mingw32-gcc -shared -O2 -Wall -Wextra -Werror -static-libgcc \
    -o "$out/uiautomationcore.dll" "$win/heard/uiautomationcore.c"
  # A prefix of its own: the program looks for UIAutomationCore.dll in the
  # system folder only, and no other step may find the stand-in there.
  local prefix=$cache/wine-heard
  wine_env "$prefix"
  cp "$out/uiautomationcore.dll" "$prefix/drive_c/windows/system32/uiautomationcore.dll"
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;uiautomationcore=n,b"
  REKENTOL_HEARD_DIR=$(winepath -w "$heard" 2>/dev/null)
  export REKENTOL_HEARD_DIR
  start_xvfb
  say "rekentol.exe under Wine on $DISPLAY, heard (words in $heard/words.txt)"
  local rc=0
  (cd "$win" && env -u QT_QPA_PLATFORM python3 heard_run.py "$heard" wine "$out/dist/rekentol.exe") || rc=$?
  wineserver -k 2>/dev/null || true
  stop_xvfb
  say "heard, one notification a line:"
  sed 's/^/    /' "$heard/words.txt" 2>/dev/null || true
  ((rc == 0)) || { echo "windows.sh: the heard run failed" >&2; exit "$rc"; }
}

# --- package ----------------------------------------------------------------
step_package() {
  [[ -f $out/dist/rekentol.exe ]] || { echo "windows.sh: build first" >&2; exit 1; }
  local v; v=$(version)
  local v4=$v
  while [[ $(tr -cd . <<<"$v4" | wc -c) -lt 3 ]]; do v4+=.0; done
  # The licence page reads the text as Windows writes it.
  sed 's/$/\r/' LICENSE >"$out/dist/LICENSE.txt"
  say "the installer: rekentol-setup-$v.exe"
  makensis -V2 -DVERSION="$v" -DVERSION4="$v4" -DEXE="$out/dist/rekentol.exe" \
    -DLICENSE="$out/dist/LICENSE.txt" -DICON="$out/packaging/windows/rekentol.ico" \
    -DOUTFILE="$out/rekentol-setup-$v.exe" "$win/rekentol.nsi"
  say "the portable zip: rekentol-$v-windows-portable.zip"
  rm -f "$out/rekentol-$v-windows-portable.zip"
  (cd "$out/dist" && zip -q -9 "../rekentol-$v-windows-portable.zip" rekentol.exe)
  ls -l "$out/rekentol-setup-$v.exe" "$out/rekentol-$v-windows-portable.zip" | awk '{print "   ", $5, $9}'
}

# --- install ----------------------------------------------------------------
step_install() {
  local v; v=$(version)
  local setup=$out/rekentol-setup-$v.exe
  [[ -f $setup ]] || { echo "windows.sh: package first" >&2; exit 1; }
  # A fresh prefix: nothing from earlier runs can hide what the uninstaller leaves.
  local prefix=$cache/wine-install
  wineserver -k 2>/dev/null || true
  rm -rf "$prefix" "$prefix.locale"
  wine_env "$prefix"
  local user; user=$(wine cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r')
  local home=$prefix/drive_c/users/$user
  local dir="$home/AppData/Local/Programs/Rekentol"
  local link="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Rekentol.lnk"
  local key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Rekentol'
  local before after
  snapshot() {
    (cd "$prefix" && find drive_c -path 'drive_c/users/*/Temp' -prune -o -print | sort)
  }
  before=$(snapshot)
  say "silent install: $(basename "$setup") /S"
  wine "$setup" /S
  wineserver -w
  local ok=1
  check() { if eval "$2"; then say "  yes: $1"; else say "  NO:  $1"; ok=0; fi; }
  check "program in ${dir#$prefix/}" '[[ -f $dir/rekentol.exe ]]'
  check "uninstaller in ${dir#$prefix/}" '[[ -f $dir/verwijderen.exe ]]'
  check "Start-menu entry ${link#$prefix/}" '[[ -f $link ]]'
  check "Apps & features entry $key" 'wine reg query "$key" /v DisplayName >/dev/null 2>&1'
  start_xvfb
  say "starting the installed program"
  wine "$dir/rekentol.exe" &
  local pid=$! shown=0 i
  for i in $(seq 60); do
    if xdotool search --onlyvisible --class rekentol >/dev/null 2>&1; then shown=1; break; fi
    sleep 1
  done
  check "the installed program shows its window" '((shown))'
  kill "$pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  stop_xvfb
  say "silent uninstall: verwijderen.exe /S"
  wine "$dir/verwijderen.exe" /S
  wineserver -w
  check "program folder gone" '[[ ! -e $dir ]]'
  check "Start-menu entry gone" '[[ ! -e $link ]]'
  check "Apps & features entry gone" '! wine reg query "$key" >/dev/null 2>&1'
  after=$(snapshot)
  local left; left=$(comm -13 <(echo "$before") <(echo "$after"))
  check "no file or folder left under drive_c that was not there before" '[[ -z $left ]]'
  [[ -z $left ]] || printf '    left: %s\n' $left
  wineserver -k 2>/dev/null || true
  ((ok)) || { echo "windows.sh: install check failed (prefix kept: $prefix)" >&2; exit 1; }
  rm -rf "$prefix" "$prefix.locale"
}

main() {
  if [[ ${1:-} == -h || ${1:-} == --help ]]; then
    sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'
    return
  fi
  local steps=("$@")
  ((${#steps[@]})) || steps=(deps qt build pupil heard package install test)
  local s
  for s in "${steps[@]}"; do
    declare -F "step_$s" >/dev/null || { echo "windows.sh: no step '$s'" >&2; exit 2; }
    "step_$s"
  done
}
main "$@"
