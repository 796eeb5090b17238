#!/usr/bin/env bash
# Builds Rekentol for the browser (WebAssembly) on Debian.
#
#   scripts/web.sh [step...]
#
# Steps (all of them, in this order, when none is named):
#   deps     install debootstrap (and what else the host lacks)
#   chroot   a Debian 13 (trixie) chroot with emscripten, CMake, Ninja, Python
#            with fonttools, and trixie's Qt 6.8 host tools, made once, with
#            Debian's qt6-base source beside it; kept in $REKENTOL_WEB_CACHE
#            (default /var/cache/rekentol-web)
#   qt       a static, single-threaded QtCore and QtGui for WebAssembly built
#            from that source, once; kept in the chroot, keyed by the Qt and
#            emscripten versions and the options
#   build    Rekentol built with that Qt into build/web/, and the site it makes
#            assembled in build/web/site/ (the page, rekentol.js and .wasm, the
#            styles, the service worker with the version stamped in, the
#            manifest and the icons, drawn from res/icon.svg)
# Only when named:
#   shell    a shell in the chroot: the repository at /rekentol, the wasm Qt
#            in $QT_WASM, EMSDK set
#   serve    serves build/web/site on 127.0.0.1 (port $REKENTOL_WEB_PORT,
#            default 8080) until interrupted
#
# The host is not touched beyond the deps step: everything else lives in the
# cache. A script may source this file to use in_chroot without running steps.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${REKENTOL_WEB_CACHE:-/var/cache/rekentol-web}
suite=trixie
# The chroot. Qt 6.8 for wasm wants emscripten 3.1.5x and Qt 6.8 host tools;
# Debian 13 has both (3.1.69, 6.8.2), the host's release has neither.
sysroot=$cache/$suite
# Where the repository appears inside the chroot.
guest_repo=/rekentol
# More "host-dir:guest-dir" pairs a step wants bind-mounted into the chroot.
chroot_binds=()
jobs=$(nproc)
# The Qt build takes a quarter of an hour on two cores; it stays out of the way
# of interactive work.
niced=(nice -n 19 ionice -c3)

say() { printf '== %s\n' "$*"; }
die() { echo "web.sh: $*" >&2; exit 1; }

# --- deps -------------------------------------------------------------------
step_deps() {
  local want=(debootstrap debian-archive-keyring util-linux coreutils)
  local missing=() p
  for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    say "installing ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
  [[ -e /usr/share/debootstrap/scripts/$suite ]] \
    || die "this debootstrap does not know Debian $suite"
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
      # deb822: one stanza a paragraph.
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

# Inside the chroot; the version-bearing ones decide the Qt build's key.
chroot_packages=(
  emscripten nodejs cmake ninja-build python3
  # Qt's cross build runs the host's moc, rcc and syncqt; they must be the
  # same Qt version as the source.
  qt6-base-dev qt6-base-dev-tools
  # Later steps cut the fonts down to WOFF2.
  python3-fonttools python3-brotli brotli
  # apt-get source and dpkg-source.
  dpkg-dev ca-certificates
)
qt_version=6.8.2
src_dir=/opt/src                 # inside the chroot

chroot_done() { [[ -f $sysroot/.rekentol-base ]]; }

step_chroot() {
  local archive mirror comps
  archive=$(host_archive)
  [[ -n $archive ]] || die "found no Debian archive in /etc/apt/sources.list*"
  read -r mirror comps <<<"$archive"
  comps=${comps:-main}
  mkdir -p "$cache"
  if ! chroot_done; then
    local t0=$SECONDS
    say "debootstrap $suite from the host's archive into $sysroot"
    rm -rf "$sysroot.part"
    # A mount namespace of its own: should debootstrap fail half-way, no /proc
    # of it stays mounted under the tree the next line removes.
    if ! "${niced[@]}" unshare --mount --propagation private -- \
         debootstrap --variant=minbase --components="${comps// /,}" \
           "$suite" "$sysroot.part" "$mirror" >"$cache/debootstrap.log" 2>&1; then
      tail -20 "$cache/debootstrap.log" >&2
      rm -rf "$sysroot.part"
      die "debootstrap failed (log: $cache/debootstrap.log)"
    fi
    mv "$sysroot.part" "$sysroot"
    # Package scripts must not start services: there is no init in here.
    printf '#!/bin/sh\nexit 101\n' >"$sysroot/usr/sbin/policy-rc.d"
    chmod 755 "$sysroot/usr/sbin/policy-rc.d"
    touch "$sysroot/.rekentol-base"
    say "base system in $(((SECONDS - t0) / 60)) min"
  fi
  # The archive is written at every run, not only the first: when the host
  # moves to another mirror, so does the chroot.
  local sources
  sources=$(printf 'Types: deb deb-src\nURIs: %s\nSuites: %s\nComponents: %s\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
              "$mirror" "$suite" "$comps")
  local list=$sysroot/etc/apt/sources.list.d/debian.sources
  local stamp=$sysroot/.rekentol-packages
  local want; want=$(printf '%s\n' "$sources" "${chroot_packages[@]}")
  if [[ ! -f $stamp || $(<"$stamp") != "$want" || ! -f $list ]]; then
    local t0=$SECONDS
    printf '%s\n' "$sources" >"$list"
    rm -f "$sysroot/etc/apt/sources.list"
    cp -L /etc/resolv.conf "$sysroot/etc/resolv.conf" 2>/dev/null || true
    say "installing ${chroot_packages[*]} in the chroot"
    in_chroot --nice --cd / sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "$@" && apt-get clean' _ \
        "${chroot_packages[@]}" >"$cache/chroot-apt.log" 2>&1 \
      || { tail -30 "$cache/chroot-apt.log" >&2; die "installing in the chroot failed (log: $cache/chroot-apt.log)"; }
    printf '%s\n' "$want" >"$stamp"
    say "packages installed in $(((SECONDS - t0) / 60)) min"
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
        rm -f qt6-base_*.tar.* qt6-base_*.debian.tar.*' _ "$qt_version" "$src_dir" \
      >"$cache/qt-source.log" 2>&1 \
      || { tail -20 "$cache/qt-source.log" >&2; die "apt-get source qt6-base failed (log: $cache/qt-source.log)"; }
    [[ -n $(qt_source_tree) ]] || die "apt-get source qt6-base gave no source tree"
  fi
  say "chroot: $sysroot ($(chroot_versions))"
}

# The qt6-base source tree, as a path inside the chroot (empty: none yet).
qt_source_tree() {
  local d
  d=$(find "$sysroot$src_dir" -maxdepth 1 -type d -name "qt6-base-$qt_version*" 2>/dev/null | head -1)
  [[ -n $d ]] && echo "${d#"$sysroot"}"
  return 0
}

# A package's version in the chroot, read from its dpkg database.
chroot_version() {
  dpkg-query --admindir="$sysroot/var/lib/dpkg" -W -f='${Version}' "$1" 2>/dev/null
}
chroot_versions() {
  echo "emscripten $(chroot_version emscripten), host Qt $(chroot_version qt6-base-dev)," \
       "node $(chroot_version nodejs)"
}

# in_chroot [--nice] [--cd DIR] COMMAND...
# Runs COMMAND in the chroot as root with a clean environment: the repository
# at $guest_repo (and the pairs in chroot_binds), EMSDK for Qt's wasm CMake,
# QT_WASM the wasm Qt's prefix once it is built. The working directory is
# DIR, by default the place in the repository the caller stands in (else the
# repository's top). --nice runs it at the lowest CPU and I/O priority.
#
# /proc, /sys and /dev are mounted in a mount namespace that lives exactly as
# long as COMMAND: nothing stays mounted when it ends, however it ends (also
# on kill -9), and two runs at the same time do not unmount each other's.
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
  [[ -f $sysroot$(qt_prefix)/.complete ]] && qt=$(qt_prefix)
  local env=(PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
             HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}"
             EMSDK=/usr/share/emscripten QT_WASM="$qt" REKENTOL_SRC="$guest_repo")
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

# --- qt ---------------------------------------------------------------------
# configure's own syntax. The page is made of real page elements, so Qt gives
# it only QtCore and the value types of QtGui: no widgets, no network and no
# threads (a threaded page would need cross-origin isolation headers).
qt_options=(
  -platform wasm-emscripten -static -release -no-feature-thread
  -nomake tests -nomake examples
  -no-widgets -no-dbus -no-feature-network -no-feature-sql -no-feature-xml
  -no-feature-printsupport -no-feature-concurrent -no-feature-testlib
  -optimize-size -no-feature-trivial_auto_var_init_pattern -no-feature-libcpp_hardening
  # OpenGL stays at its default: the wasm platform plugin does not compile
  # without it, and qt_add_executable copies that plugin's page files.
)
# Everything the installed Qt depends on: the source, the compiler, the host
# tools, the options. A change in any of them makes a new prefix and a build.
qt_key_text() {
  printf '%s\n' "qt6-base $(basename "$(ls "$sysroot$src_dir"/qt6-base_*.dsc 2>/dev/null | head -1)" .dsc)" \
    "emscripten $(chroot_version emscripten)" "host Qt $(chroot_version qt6-base-dev)" \
    "options ${qt_options[*]}"
}
qt_key() { qt_key_text | sha256sum | cut -c1-12; }
# The wasm Qt's prefix inside the chroot; on the host it is $sysroot$(qt_prefix).
qt_prefix() { echo "/opt/qt-wasm/$qt_version-$(qt_key)"; }

step_qt() {
  chroot_done || die "no chroot yet; run the chroot step"
  local tree; tree=$(qt_source_tree)
  [[ -n $tree ]] || die "no qt6-base source in the chroot; run the chroot step"
  local key; key=$(qt_key)
  local prefix; prefix=$(qt_prefix)
  if [[ -f $sysroot$prefix/.complete && $(<"$sysroot$prefix/.complete") == "$(qt_key_text)" ]]; then
    say "Qt $qt_version for wasm: cached in $sysroot$prefix"
    return
  fi
  local work=/opt/build/qt-$key log=$cache/qt-$key
  rm -rf "$sysroot$work" "$sysroot$prefix"
  mkdir -p "$sysroot$work"
  local t0=$SECONDS
  say "configuring Qt $qt_version for wasm (log: $log-configure.log)"
  # The host Qt (the chroot's own /usr) gives moc, rcc and syncqt; CMake is
  # told where its packages are, since Debian keeps them under the multiarch
  # directory where Qt does not look by itself.
  in_chroot --nice --cd "$work" "$tree/configure" -prefix "$prefix" -qt-host-path /usr \
      "${qt_options[@]}" -- -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      >"$log-configure.log" 2>&1 \
    || { tail -40 "$log-configure.log" >&2; die "configuring Qt failed"; }
  local t1=$SECONDS
  say "configured in $(((t1 - t0) / 60)) min; building (log: $log-build.log)"
  in_chroot --nice --cd "$work" cmake --build . --parallel "$jobs" >"$log-build.log" 2>&1 \
    || { grep -E 'error|Error' "$log-build.log" | head -30 >&2; tail -10 "$log-build.log" >&2; die "building Qt failed"; }
  local t2=$SECONDS
  in_chroot --cd "$work" cmake --install . >"$log-install.log" 2>&1 \
    || { tail -30 "$log-install.log" >&2; die "installing Qt failed"; }
  qt_key_text >"$sysroot$prefix/.complete"
  # The installed Qt is what is kept; the build tree is about a gigabyte.
  rm -rf "$sysroot$work"
  say "Qt built in $(((t2 - t1) / 60)) min (configure $(((t1 - t0) / 60)) min);" \
      "$(du -sh "$sysroot$prefix" | cut -f1) in $sysroot$prefix"
}

step_shell() {
  in_chroot bash -l
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
      say "building the icon tool on the host (build/icon-tool)"
      { cmake -S "$root" -B "$root/build/icon-tool" -G Ninja -DBUILD_TESTING=OFF -DREKENTOL_BENCH=OFF \
          && "${niced[@]}" cmake --build "$root/build/icon-tool" --target rekentol_render_icon; } \
        >"$root/build/icon-tool.log" 2>&1 \
        || { tail -20 "$root/build/icon-tool.log" >&2; die "building the icon tool failed"; }
    fi
  fi
  echo "$tool"
}

# The wasm Qt to build with: the one the qt step makes now, else (while a new
# one is being built) the newest that was finished, said so.
web_qt() {
  local want; want=$(qt_prefix)
  if [[ -f $sysroot$want/.complete ]]; then echo "$want"; return; fi
  local done
  done=$(ls -1td "$sysroot"/opt/qt-wasm/*/.complete 2>/dev/null | head -1)
  [[ -n $done ]] || die "no wasm Qt yet; run the qt step"
  done=${done%/.complete}
  say "Qt for the current options not built yet; using ${done#"$sysroot"}" >&2
  echo "${done#"$sysroot"}"
}

step_build() {
  chroot_done || die "no chroot yet; run the chroot step"
  local qt; qt=$(web_qt)
  local out=$root/build/web site=$root/build/web/site src=$root/kit/web/site
  mkdir -p "$out"
  local t0=$SECONDS
  say "building rekentol for wasm in build/web (log: build/web/build.log)"
  # A build tree made with another Qt is made anew.
  in_chroot --nice --cd "$guest_repo" sh -c 'set -e
      if ! grep -qs "$2" build/web/CMakeCache.txt; then
        rm -rf build/web/CMakeCache.txt build/web/CMakeFiles
        "$2/bin/qt-cmake" -S . -B build/web -G Ninja -DCMAKE_BUILD_TYPE=Release
      fi
      cmake --build build/web --parallel "$1"' _ "$jobs" "$qt" >"$out/build.log" 2>&1 \
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

# --- serve ------------------------------------------------------------------
step_serve() {
  local site=$root/build/web/site port=${REKENTOL_WEB_PORT:-8080}
  [[ -f $site/index.html ]] || die "no site yet; run the build step"
  say "serving build/web/site at http://127.0.0.1:$port/ (Ctrl+C ends it)"
  exec python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port"
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
