#!/usr/bin/env bash
# Builds Rekentol for the browser (WebAssembly) on Debian.
#
#   scripts/web.sh [step...]
#
# Steps (all of them, in this order, when none is named):
#   deps     install debootstrap (and what else the host lacks)
#   chroot   a Debian 13 (trixie) chroot with emscripten, CMake, Ninja, node,
#            Python with fonttools, and trixie's Qt 6.8 host tools, made once,
#            with Debian's qt6-base source in it; kept in $REKENTOL_WEB_CACHE
#            (default /var/cache/rekentol-web)
#   qt       a static, single-threaded QtCore and QtGui for WebAssembly built
#            from that source, once; installed in the chroot, keyed by the Qt
#            and emscripten versions and the options
#   build    Rekentol built with that Qt into build/web/, and the site it makes
#            assembled in build/web/site/ (the page, rekentol.js and .wasm, the
#            styles, the service worker with the version stamped in, the
#            manifest and the icons, drawn from res/icon.svg)
# Only when named:
#   serve    serves build/web/site on 127.0.0.1 (port $REKENTOL_WEB_PORT,
#            default 8080) until interrupted
#   test     the browser tests against build/web/site (tests/web/run.sh)
#   shell    a shell in the chroot: the repository at /rekentol, the wasm Qt
#            in $QT_WASM, EMSDK set
#
# Beyond the deps step the host is not touched: all else lives in the cache,
# and a step mounts /proc, /sys and /dev for the chroot only while it runs.
# A script may source this file to use in_chroot and wasm_run without
# running a step.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${REKENTOL_WEB_CACHE:-/var/cache/rekentol-web}
suite=trixie
# Qt 6.8 for wasm wants emscripten 3.1.5x or later and Qt 6.8 host tools;
# Debian 13 has both (3.1.69, 6.8.2), the host's Debian 12 neither.
sysroot=$cache/$suite
# Where the repository appears inside the chroot, and the web build in it.
guest_repo=/rekentol
out=$root/build/web
guest_out=$guest_repo/build/web
# More "host-dir:guest-dir" pairs a step wants bind-mounted into the chroot.
chroot_binds=()
jobs=$(nproc)
# The Qt build takes ten minutes and more on two cores; it stays out of the
# way of interactive work.
niced=(nice -n 19 ionice -c3)

say() { printf '== %s\n' "$*"; }
die() { echo "web.sh: $*" >&2; exit 1; }
took() { local s=$((SECONDS - $1)); printf '%dm%02ds' $((s / 60)) $((s % 60)); }

# The steps that change the cache run one at a time; a second run waits.
lock_cache() {
  [[ -n ${cache_lock_fd:-} ]] && return
  mkdir -p "$cache"
  exec {cache_lock_fd}>"$cache/.lock"
  flock -n "$cache_lock_fd" || { say "waiting for another web.sh to finish"; flock "$cache_lock_fd"; }
}

# --- deps -------------------------------------------------------------------
step_deps() {
  # The host's own build tools as well: the icons are drawn on the host.
  "$root/scripts/install-deps.sh" debootstrap debian-archive-keyring util-linux
  [[ -e /usr/share/debootstrap/scripts/$suite ]] || die "this debootstrap does not know Debian $suite"
}

# --- chroot -----------------------------------------------------------------
# The host's own Debian archive, as "URI component...": the apt source that
# carries the host's release itself (not its -updates or -security suites).
# Read at every run, so the chroot follows whatever mirror the machine uses.
host_archive() {
  local codename f
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [[ -n $codename ]] || die "no VERSION_CODENAME in /etc/os-release"
  {
    for f in /etc/apt/sources.list.d/*.sources; do
      [[ -e $f ]] || continue
      # deb822: a stanza a paragraph.
      awk -v want="$codename" 'BEGIN { RS = ""; FS = "\n" }
        {
          types = uris = suites = comps = ""; enabled = "yes"
          for (i = 1; i <= NF; i++) {
            line = $i
            if (line ~ /^#/) continue
            key = tolower(line); sub(/:.*/, "", key)
            val = line; sub(/^[^:]*:[[:space:]]*/, "", val)
            if (key == "types") types = val
            else if (key == "uris") uris = val
            else if (key == "suites") suites = val
            else if (key == "components") comps = val
            else if (key == "enabled") enabled = tolower(val)
          }
          if (enabled == "no" || (" " types " ") !~ / deb /) next
          if ((" " suites " ") !~ (" " want " ")) next
          split(uris, u, /[[:space:]]+/)
          print u[1], comps
        }' "$f"
    done
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [[ -e $f ]] || continue
      # One-line form: deb [options] URI suite component...
      awk -v want="$codename" '$1 == "deb" {
          i = 2
          if ($2 ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
          if ($(i + 1) != want) next
          printf "%s", $i
          for (j = i + 2; j <= NF; j++) printf " %s", $j
          printf "\n" }' "$f"
    done
  } | head -1
}

chroot_packages=(
  emscripten nodejs cmake ninja-build python3
  # Qt's cross build runs the host's moc, rcc and syncqt, which must be of the
  # source's own version: trixie's, not the host's.
  qt6-base-dev qt6-base-dev-tools
  # The fonts are cut down to WOFF2 for the page.
  python3-fonttools python3-brotli brotli
  # apt-get source and dpkg-source.
  dpkg-dev ca-certificates
)
qt_version=6.8.2
src_dir=/opt/src

chroot_done() { [[ -f $sysroot/.rekentol-base ]]; }

step_chroot() {
  lock_cache
  local archive mirror comps
  archive=$(host_archive)
  [[ -n $archive ]] || die "found no Debian archive in /etc/apt/sources.list*"
  read -r mirror comps <<<"$archive"
  comps=${comps:-main}
  if ! chroot_done; then
    local t0=$SECONDS
    say "debootstrap $suite from the host's archive into $sysroot"
    # In a mount namespace of its own: should debootstrap fail half-way, none
    # of its mounts stays under the tree that is removed here.
    rm -rf "$sysroot.part" "$sysroot"
    if ! "${niced[@]}" unshare --mount --propagation private -- \
         debootstrap --variant=minbase --components="${comps// /,}" \
           "$suite" "$sysroot.part" "$mirror" >"$cache/debootstrap.log" 2>&1; then
      tail -20 "$cache/debootstrap.log" >&2
      rm -rf "$sysroot.part"
      die "debootstrap failed (log: $cache/debootstrap.log)"
    fi
    # There is no init in here: package scripts must not start services.
    printf '#!/bin/sh\nexit 101\n' >"$sysroot.part/usr/sbin/policy-rc.d"
    chmod 755 "$sysroot.part/usr/sbin/policy-rc.d"
    mv "$sysroot.part" "$sysroot"
    touch "$sysroot/.rekentol-base"
    say "base system in $(took "$t0")"
  fi
  # Written at every run: when the host moves to another mirror, so does the
  # chroot. deb-src beside deb, for apt-get source.
  local sources list=$sysroot/etc/apt/sources.list.d/debian.sources
  sources=$(printf 'Types: deb deb-src\nURIs: %s\nSuites: %s\nComponents: %s\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
              "$mirror" "$suite" "$comps")
  [[ -f $list && $(<"$list") == "$sources" ]] || printf '%s\n' "$sources" >"$list"
  rm -f "$sysroot/etc/apt/sources.list"
  cp -L /etc/resolv.conf "$sysroot/etc/resolv.conf" 2>/dev/null || true
  local stamp=$sysroot/.rekentol-packages
  local want; want=$(printf '%s\n' "$sources" "${chroot_packages[@]}")
  if [[ ! -f $stamp || $(<"$stamp") != "$want" ]]; then
    local t0=$SECONDS
    say "installing ${chroot_packages[*]} in the chroot"
    in_chroot --nice --cd / sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "$@" && apt-get clean' _ \
        "${chroot_packages[@]}" >"$cache/chroot-apt.log" 2>&1 \
      || { tail -30 "$cache/chroot-apt.log" >&2; die "installing in the chroot failed (log: $cache/chroot-apt.log)"; }
    printf '%s\n' "$want" >"$stamp"
    say "packages installed in $(took "$t0")"
  fi
  if [[ -z $(qt_source_tree) ]]; then
    say "fetching Debian's qt6-base $qt_version source"
    # The source of the very Qt whose host tools the chroot has.
    in_chroot --cd / sh -c 'set -e
        v=$(dpkg-query -W -f="\${Version}" qt6-base-dev)
        case $v in "$1"*) ;; *) echo "the chroot has qt6-base-dev $v, not $1" >&2; exit 1;; esac
        mkdir -p "$2" && cd "$2"
        apt-get source -qq --download-only "qt6-base=$v"
        dpkg-source -x --no-check qt6-base_*.dsc >/dev/null
        rm -f qt6-base_*.tar.*' _ "$qt_version" "$src_dir" \
      >"$cache/qt-source.log" 2>&1 \
      || { tail -20 "$cache/qt-source.log" >&2; die "apt-get source qt6-base failed (log: $cache/qt-source.log)"; }
    [[ -n $(qt_source_tree) ]] || die "apt-get source qt6-base gave no source tree"
  fi
  say "chroot: $sysroot ($(chroot_versions))"
}

# The qt6-base source tree as a path inside the chroot (empty: none yet).
qt_source_tree() {
  local d
  d=$(find "$sysroot$src_dir" -maxdepth 1 -type d -name "qt6-base-$qt_version*" 2>/dev/null | head -1)
  [[ -n $d ]] && echo "${d#"$sysroot"}"
  return 0
}

# A package's version in the chroot, read from its dpkg database.
chroot_version() {
  dpkg-query --admindir="$sysroot/var/lib/dpkg" -W -f='${Version}' "$1" 2>/dev/null || true
}
chroot_versions() {
  echo "emscripten $(chroot_version emscripten), host Qt $(chroot_version qt6-base-dev)," \
       "node $(chroot_version nodejs)"
}

# in_chroot [--nice] [--cd DIR] COMMAND...
# Runs COMMAND in the chroot as root with a clean environment: the repository
# at $guest_repo (and the pairs in chroot_binds), EMSDK for Qt's wasm CMake,
# QT_WASM the wasm Qt's prefix once the qt step has built it. It starts in
# DIR, by default in the chroot's view of where the caller stands in the
# repository (its top when the caller is elsewhere). --nice: at the lowest
# CPU and I/O priority.
#
# The mounts live in a mount namespace that ends with COMMAND: nothing stays
# mounted, however COMMAND ends (kill -9 too), and two runs at a time do not
# unmount each other's.
in_chroot() {
  local pre=() cwd=
  while (($#)); do
    case $1 in
      --nice) pre=("${niced[@]}"); shift ;;
      --cd) cwd=$2; shift 2 ;;
      *) break ;;
    esac
  done
  (($#)) || die "in_chroot: no command"
  chroot_done || die "no chroot yet; run the chroot step"
  if [[ -z $cwd ]]; then
    cwd=$guest_repo
    [[ $PWD == "$root" || $PWD == "$root"/* ]] && cwd=$guest_repo${PWD#"$root"}
  fi
  local qt=
  qt_built && qt=$(qt_prefix)
  local env=(PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
             HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}"
             EMSDK=/usr/share/emscripten QT_WASM="$qt")
  local v
  for v in http_proxy https_proxy no_proxy; do
    [[ -n ${!v:-} ]] && env+=("$v=${!v}")
  done
  "${pre[@]}" unshare --mount --propagation private -- bash -c '
      set -e
      r=$1 cwd=$2; shift 2
      mount -t proc proc "$r/proc"
      mount --rbind /sys "$r/sys"
      mount --rbind /dev "$r/dev"
      while [[ $1 != -- ]]; do
        mkdir -p "$r${1#*:}"
        mount --bind "${1%%:*}" "$r${1#*:}"
        shift
      done
      shift
      exec chroot "$r" /usr/bin/env -i -C "$cwd" "$@"' _ \
    "$sysroot" "$cwd" "$root:$guest_repo" "${chroot_binds[@]}" -- "${env[@]}" "$@"
}

# wasm_run PROGRAM.js [ARG...]
# Runs a program made by qt_add_executable (PROGRAM.js as the chroot sees it,
# relative to in_chroot's directory) under node in the chroot; its status is
# main()'s, or 1 when main() throws. Qt builds the program as a module
# factory (MODULARIZE), which would run main() and swallow what it throws:
# here main() is called by hand. QtCore's system locale reads
# navigator.languages, which node 20 has not: the program sees a Dutch
# browser. A program that entered exec() runs until no timer is left; it
# sets process.exitCode itself, since exec() never returns on wasm.
wasm_runner='
globalThis.navigator ??= { languages: ["nl-NL"], language: "nl-NL" };
const [program, ...args] = process.argv.slice(1);
require(require("path").resolve(program))({ noInitialRun: true }).then(m => {
  try {
    m.callMain(args);
  } catch (e) {
    console.error(program + ": main threw:", e);
    process.exitCode = 1;
  }
});'
wasm_run() { in_chroot node -e "$wasm_runner" "$@"; }

# --- qt ---------------------------------------------------------------------
# configure's syntax. The page is made of real page elements, so Qt gives it
# only QtCore and the value types of QtGui: no widgets, no network and no
# threads (a threaded page would need cross-origin isolation headers).
qt_options=(
  -platform wasm-emscripten -static -release -no-feature-thread
  -nomake tests -nomake examples
  -no-widgets -no-dbus -no-feature-network -no-feature-sql -no-feature-xml
  -no-feature-printsupport -no-feature-concurrent -no-feature-testlib
  # OpenGL stays at its default: the wasm platform plugin does not compile
  # without it, and qt_add_executable copies that plugin's page files.
  # For the same build time a sixth less wasm (12% less gzipped): -Oz,
  # and none of the hardening of native code, which code in the browser's
  # sandbox can spare. -ltcg would save another 5% gzipped, but makes every
  # link of the program an LTO link of all of Qt it uses.
  -optimize-size -no-feature-trivial_auto_var_init_pattern -no-feature-libcpp_hardening
)
# Everything the installed Qt depends on: the source, the compiler, the host
# tools, the options. A change in any of them makes a new prefix and a build.
qt_key_text() {
  local dsc=("$sysroot$src_dir"/qt6-base_*.dsc)
  printf '%s\n' "qt6-base $(basename "${dsc[0]}" .dsc)" \
    "emscripten $(chroot_version emscripten)" "host Qt $(chroot_version qt6-base-dev)" \
    "options ${qt_options[*]}"
}
qt_key() { qt_key_text | sha256sum | cut -c1-12; }
# The wasm Qt's prefix as the chroot sees it; on the host, $sysroot before it.
qt_prefix() { echo "/opt/qt-wasm/$qt_version-$(qt_key)"; }
qt_built() {
  local stamp; stamp=$sysroot$(qt_prefix)/.complete
  [[ -f $stamp && $(<"$stamp") == "$(qt_key_text)" ]]
}
# For the steps that build with it: dies unless the qt step is done, then
# sets qt_wasm (the prefix in the chroot) and qt_wasm_host (on the host).
need_qt() {
  if ! chroot_done || ! qt_built; then die "no wasm Qt yet; run the chroot and qt steps"; fi
  qt_wasm=$(qt_prefix)
  qt_wasm_host=$sysroot$qt_wasm
}

step_qt() {
  chroot_done || die "no chroot yet; run the chroot step"
  if qt_built; then
    say "Qt $qt_version for wasm: cached in $sysroot$(qt_prefix)"
    return
  fi
  lock_cache
  qt_built && return  # built by the run we waited for
  local tree; tree=$(qt_source_tree)
  [[ -n $tree ]] || die "no qt6-base source in the chroot; run the chroot step"
  local key prefix; key=$(qt_key); prefix=$(qt_prefix)
  local work=/opt/build/qt-$key log=$cache/qt-$key
  rm -rf "${sysroot:?}$work" "${sysroot:?}$prefix"
  mkdir -p "$sysroot$work"
  local t0=$SECONDS
  say "configuring Qt $qt_version for wasm (log: $log-configure.log)"
  # The chroot's own Qt is the host Qt; CMake is told where its packages are,
  # since Debian keeps them in the multiarch directory where Qt does not look.
  in_chroot --nice --cd "$work" "$tree/configure" -prefix "$prefix" -qt-host-path /usr \
      "${qt_options[@]}" -- -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      >"$log-configure.log" 2>&1 \
    || { tail -40 "$log-configure.log" >&2; die "configuring Qt failed"; }
  say "configured in $(took "$t0"); building (log: $log-build.log)"
  local t1=$SECONDS
  in_chroot --nice --cd "$work" cmake --build . --parallel "$jobs" >"$log-build.log" 2>&1 \
    || { grep -E 'error|Error' "$log-build.log" | head -30 >&2; tail -10 "$log-build.log" >&2; die "building Qt failed"; }
  say "built in $(took "$t1")"
  in_chroot --cd "$work" cmake --install . >"$log-install.log" 2>&1 \
    || { tail -30 "$log-install.log" >&2; die "installing Qt failed"; }
  qt_key_text >"$sysroot$prefix/.complete"
  # The installed Qt is what is kept; the build tree is a gigabyte.
  rm -rf "${sysroot:?}$work"
  say "Qt for wasm in $(took "$t0"): $(du -sh "$sysroot$prefix" | cut -f1) in $sysroot$prefix"
}

# --- build ------------------------------------------------------------------
# The icon sizes the site's manifest and page name.
web_icon_sizes=(180 192 512)

# The host's tool that draws icons from our SVG (packaging/render_icon.cpp),
# from the desktop build where there is one, else built for this alone.
icon_tool() {
  local tool=$root/build/packaging/rekentol_render_icon
  if [[ ! -x $tool ]]; then
    tool=$root/build/icon-tool/packaging/rekentol_render_icon
    if [[ ! -x $tool ]]; then
      "$root/scripts/install-deps.sh" >&2
      say "building the icon tool on the host (build/icon-tool)" >&2
      { cmake -S "$root" -B "$root/build/icon-tool" -G Ninja -DBUILD_TESTING=OFF -DREKENTOL_BENCH=OFF \
          && "${niced[@]}" cmake --build "$root/build/icon-tool" --target rekentol_render_icon; } \
        >"$root/build/icon-tool.log" 2>&1 \
        || { tail -20 "$root/build/icon-tool.log" >&2; die "building the icon tool failed"; }
    fi
  fi
  echo "$tool"
}

step_build() {
  need_qt
  local site=$out/site src=$root/kit/web/site
  mkdir -p "$out"
  local t0=$SECONDS
  say "building rekentol for wasm in build/web (log: build/web/build.log)"
  # A build tree made with another Qt is made anew.
  in_chroot --nice --cd "$guest_repo" sh -c 'set -e
      if ! grep -qs "$2" build/web/CMakeCache.txt; then
        rm -rf build/web/CMakeCache.txt build/web/CMakeFiles
        "$2/bin/qt-cmake" -S . -B build/web -G Ninja -DCMAKE_BUILD_TYPE=Release
      fi
      cmake --build build/web --parallel "$1"' _ "$jobs" "$qt_wasm" >"$out/build.log" 2>&1 \
    || { grep -E 'error|Error' "$out/build.log" | head -30 >&2; tail -5 "$out/build.log" >&2; die "building for wasm failed"; }
  local built=$((SECONDS - t0))
  rm -rf "$site"
  mkdir -p "$site"
  cp "$src/index.html" "$src/rekentol.css" "$src/manifest.webmanifest" "$site/"
  cp "$out/rekentol.js" "$out/rekentol.wasm" "$site/"
  local icons tool size
  icons=$(mktemp -d)
  tool=$(icon_tool)
  QT_QPA_PLATFORM=offscreen "$tool" "$root/res/icon.svg" "$icons" rekentol "${web_icon_sizes[@]}" >/dev/null \
    || { rm -rf "$icons"; die "drawing the icons failed"; }
  for size in "${web_icon_sizes[@]}"; do
    cp "$icons/${size}x${size}/apps/rekentol.png" "$site/icon-$size.png"
  done
  rm -rf "$icons"
  # The version is what the site holds: any change to a file makes a new
  # cache in the pupils' browsers, and an unchanged build keeps theirs.
  local version
  version=$(cd "$site" && cat index.html rekentol.css manifest.webmanifest rekentol.js rekentol.wasm icon-*.png \
              "$src/sw.js" | sha256sum | cut -c1-16)
  sed "s/@VERSION@/$version/" "$src/sw.js" >"$site/sw.js"
  say "built in ${built} s; site in build/web/site (version $version):"
  local f
  for f in "$site"/*; do
    printf '   %-22s raw %9d  gzip -9 %9d\n' "$(basename "$f")" "$(stat -c %s "$f")" "$(gzip -9c "$f" | wc -c)"
  done
}

# --- serve, test ------------------------------------------------------------
step_serve() {
  local site=$out/site port=${REKENTOL_WEB_PORT:-8080}
  [[ -f $site/index.html ]] || die "no site yet; run the build step"
  say "serving build/web/site at http://127.0.0.1:$port/ (Ctrl+C ends it)"
  exec python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port"
}

step_test() {
  [[ -f $out/site/index.html ]] || die "no site yet; run the build step"
  "$root/tests/web/run.sh"
}

# --- shell ------------------------------------------------------------------
step_shell() {
  in_chroot bash -l
}

main() {
  if [[ ${1:-} == -h || ${1:-} == --help ]]; then
    sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'
    return
  fi
  local steps=("$@")
  ((${#steps[@]})) || steps=(deps chroot qt build)
  local s
  for s in "${steps[@]}"; do
    declare -F "step_$s" >/dev/null || { echo "web.sh: no step '$s'" >&2; exit 2; }
    "step_$s"
  done
}
# Sourced, it only defines; run, it runs the steps.
[[ ${BASH_SOURCE[0]} != "$0" ]] || main "$@"
