#!/usr/bin/env bash
# Installs the .deb on a freshly bootstrapped Debian 12, as a pupil's parent
# would with `apt-get install ./rekentol_*.deb`, starts the program the way
# the desktop menu does, and purges it again. Needs root and the network and
# takes minutes, so it is not part of ctest.
#
#   clean_machine.sh [base chroot] [deb]
#
# The base chroot (default /var/tmp/rekentol-chroot-bookworm) is made by debootstrap
# on first use and never changed afterwards: every run works in a copy of it,
# so a second run starts from a machine as clean as the first.
#
# The Debian mirror and the security mirror are the ones this machine's own apt
# uses; MIRROR=... and SECURITY_MIRROR=... override them.
set -uo pipefail

base=${1:-/var/tmp/rekentol-chroot-bookworm}
here=$(cd "$(dirname "$0")/../.." && pwd)
deb=${2:-$(ls "$here"/build/package/rekentol_*.deb 2>/dev/null | tail -n1)}
id=nl.rekentol.Rekentol
run_seconds=8

failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
die() { echo "FAIL: $*"; echo "RESULT: FAIL"; exit 1; }

[ "$(id -u)" -eq 0 ] || die "needs root (debootstrap, chroot, mount)"
[ -n "$deb" ] && [ -f "$deb" ] || die "no .deb given and none in build/package (run scripts/package.sh)"
deb=$(readlink -f "$deb")
echo "package: $deb"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"

# Every enabled binary entry of the machine's apt sources, one per suite, as
# "uri suite components... file": one-line .list files and deb822 .sources.
apt_entries() {
  local f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -e 's/#.*//' -e 's/\[[^]]*\]//' "$f" \
      | awk -v file="$f" '$1 == "deb" && NF >= 3 { $1 = ""; sub(/\/$/, "", $2); print substr($0, 2), file }'
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v file="$f" '
      function flush(  t, u, s, i, j, k, deb) {
        deb = 0
        k = split(f["types"], t)
        for (i = 1; i <= k; i++) if (t[i] == "deb") deb = 1
        if (deb && tolower(f["enabled"]) != "no") {
          split(f["uris"], u); k = split(f["suites"], s)
          for (i = 1; i in u; i++) {
            sub(/\/$/, "", u[i])
            for (j = 1; j <= k; j++) print u[i], s[j], f["components"], file
          }
        }
        delete f; key = ""
      }
      /^#/ { next }
      /^[ \t]*$/ { flush(); next }
      /^[ \t]/ { if (key != "") f[key] = f[key] " " $0; next }
      { key = tolower($0); sub(/:.*/, "", key); value = $0; sub(/^[^:]*:[ \t]*/, "", value); f[key] = value }
      END { flush() }' "$f"
  done
}
entries=$(apt_entries)
# The release's own entry with "main"; another release's main archive still
# carries bookworm. Third-party repositories rarely have both.
pick() { echo "$entries" | awk -v want="$1" -v other="$2" '
  { main = 0; for (i = 3; i < NF; i++) if ($i == "main") main = 1 }
  main && $2 == want { print; found = 1; exit }
  main && $2 ~ other && !first { first = $0 }
  END { if (!found && first) print first }'; }
if [ -n "${MIRROR:-}" ]; then
  mirror=$MIRROR; echo "mirror: $mirror (from MIRROR)"
else
  entry=$(pick bookworm '^[a-z]+$')
  [ -n "$entry" ] || die "no Debian mirror in this machine's apt sources (/etc/apt/sources.list, /etc/apt/sources.list.d/); give one as MIRROR=..."
  read -r mirror suite _ <<<"$entry"
  echo "mirror: $mirror (suite $suite in ${entry##* })"
fi
if [ -n "${SECURITY_MIRROR:-}" ]; then
  security=$SECURITY_MIRROR; echo "security mirror: $security (from SECURITY_MIRROR)"
else
  entry=$(pick bookworm-security '-security$')
  if [ -n "$entry" ]; then
    read -r security suite _ <<<"$entry"
    echo "security mirror: $security (suite $suite in ${entry##* })"
  else
    security=
    echo "security mirror: none in this machine's apt sources, so the chroot gets no security updates (SECURITY_MIRROR=... adds them)"
  fi
fi

if [ ! -x "$base/usr/bin/apt-get" ]; then
  if ! command -v debootstrap >/dev/null; then
    "$here/scripts/install-deps.sh" debootstrap || die "could not install debootstrap"
    command -v debootstrap >/dev/null || die "debootstrap is still missing after scripts/install-deps.sh"
  fi
  echo "bootstrapping Debian 12 into $base (minutes)"
  debootstrap --variant=minbase bookworm "$base" "$mirror" >"$base.log" 2>&1 \
    || die "debootstrap failed, see $base.log"
fi
grep -q '^12\.' "$base/etc/debian_version" || die "$base is not Debian 12 ($(cat "$base/etc/debian_version"))"
pass "base chroot $base (Debian $(cat "$base/etc/debian_version"))"

root=$(mktemp -d /var/tmp/rekentol-clean.XXXXXX)
mounted=()
cleanup() {
  # Unmount in reverse order; whatever is still running in the chroot (an
  # Xvfb left behind) would keep a mount busy, so those go first.
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "$pid" 2>/dev/null
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null; done
  # Only remove the copy once nothing is mounted in it any more.
  if ! grep -q " $root/" /proc/mounts; then rm -rf --one-file-system "$root"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

cp -a "$base/." "$root/" || die "could not copy the base chroot"
# The logs live in the copy and go with it.
logs=$root/root/logs
mkdir -p "$logs"
mount_in() { mkdir -p "$root$2" && mount "${@:3}" "$1" "$root$2" && mounted+=("$root$2"); }
mount_in proc /proc -t proc || die "mount /proc"
mount_in /dev/pts /dev/pts --bind || die "mount /dev/pts"
mount_in tmpfs /dev/shm -t tmpfs || die "mount /dev/shm"
pass "chroot copy $root with /proc, /dev/pts, /dev/shm mounted"

# A fresh Debian 12 as its installer leaves it: updates and security updates
# on, and no daemons started inside the chroot.
cp /etc/resolv.conf "$root/etc/resolv.conf"
{
  echo "deb $mirror bookworm main"
  echo "deb $mirror bookworm-updates main"
  [ -z "$security" ] || echo "deb $security bookworm-security main"
} >"$root/etc/apt/sources.list"
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
cp "$deb" "$root/root/"
debname=$(basename "$deb")

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive "$@"; }

before=$(in_root dpkg-query -W -f='${Package}\n' | sort)
in_root apt-get update -q >"$logs/apt-update.log" 2>&1 || { cat "$logs/apt-update.log"; die "apt-get update"; }
pass "apt-get update"
if in_root sh -c "cd /root && apt-get install -y ./$debname xvfb xauth" >"$logs/install.log" 2>&1; then
  pass "apt-get install -y ./$debname xvfb xauth"
else
  tail -n 30 "$logs/install.log"; die "apt-get install ./$debname"
fi
after=$(in_root dpkg-query -W -f='${Package}\n' | sort)
new=$(comm -13 <(echo "$before") <(echo "$after"))
echo "newly installed: $(echo "$new" | wc -l) packages"
# What the package itself pulls in, apart from what xvfb and xauth would.
wanted=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | grep -v '^$')
for p in $wanted; do
  version=$(in_root dpkg-query -W -f='${Version}' "$p" 2>/dev/null)
  if echo "$new" | grep -qx "$p"; then echo "  dependency $p: installed $version"
  elif [ -n "$version" ]; then echo "  dependency $p: was already there ($version)"
  else fail "dependency $p is not installed"; fi
done
status=$(in_root dpkg-query -W -f='${Status} ${Version}' rekentol)
case $status in "install ok installed "*) pass "dpkg: rekentol $status";; *) fail "dpkg: rekentol $status";; esac
missing_libs=$(in_root ldd /usr/bin/rekentol 2>&1 | grep 'not found')
[ -z "$missing_libs" ] && pass "every library of /usr/bin/rekentol resolves" \
  || fail "libraries not found: $missing_libs"

listed=$(in_root dpkg -L rekentol)
where() { # the listed path matching a pattern, and that it is on disk
  local path
  path=$(echo "$listed" | grep -E "$2" | head -n1)
  if [ -z "$path" ]; then fail "dpkg -L lists no $1"; return; fi
  if [ -s "$root$path" ]; then pass "$1 at $path"; else fail "$1 listed at $path but not on disk"; fi
}
where "program" '^/usr/bin/rekentol$'
where "desktop entry" "^/usr/share/applications/$id\.desktop$"
where "metainfo" "^/usr/share/metainfo/$id\.metainfo\.xml$"
where "scalable icon" '^/usr/share/icons/hicolor/scalable/apps/rekentol\.svg$'
for size in 16 32 48 64 128 256; do
  where "${size}px icon" "^/usr/share/icons/hicolor/${size}x$size/apps/rekentol\.png$"
done
[ -x "$root/usr/bin/rekentol" ] || fail "/usr/bin/rekentol is not executable"
absent=0
while read -r path; do
  [ -e "$root$path" ] || { fail "dpkg -L lists $path, which is not there"; absent=1; }
done <<<"$listed"
[ "$absent" -eq 0 ] && pass "all $(echo "$listed" | wc -l) paths of dpkg -L rekentol exist"

# Start what the menu starts: the Exec= command of the installed entry, with
# its field codes dropped, found through PATH, as a pupil's ordinary user.
desktop=$root/usr/share/applications/$id.desktop
exec_line=$(sed -n 's/^Exec=//p' "$desktop" | head -n1)
echo "Exec=$exec_line"
command_line=$(echo "$exec_line" | sed 's/ *%[fFuUdDnNickvm]//g')
found=$(in_root sh -c "command -v ${command_line%% *}")
[ "$found" = /usr/bin/rekentol ] && pass "'${command_line%% *}' is found through PATH as $found" \
  || fail "'${command_line%% *}' is found through PATH as '${found}', not /usr/bin/rekentol"
in_root useradd -m leerling
in_root mkdir -p -m 0700 /run/user/leerling
in_root chown leerling: /run/user/leerling
# The window check needs xwininfo; installed after the package so that it does
# not hide anything the package itself should have pulled in.
in_root apt-get install -y -q --no-install-recommends x11-utils >"$logs/x11.log" 2>&1 \
  || { tail -n 20 "$logs/x11.log"; die "apt-get install x11-utils"; }
cat >"$root/tmp/start.sh" <<EOF
#!/bin/sh
# Inside the X server: start the entry's command, look at the windows while
# it is up, and let timeout close it.
timeout $run_seconds $command_line >/tmp/program.out 2>&1 &
program=\$!
sleep 5
xwininfo -root -tree >/tmp/windows.txt 2>&1
wait \$program
echo \$? >/tmp/program.rc
EOF
chmod 755 "$root/tmp/start.sh"
started=$(date +%s)
in_root runuser -u leerling -- env HOME=/home/leerling XDG_RUNTIME_DIR=/run/user/leerling \
  xvfb-run -a -s '-screen 0 1280x1024x24' /tmp/start.sh >"$logs/xvfb.log" 2>&1
took=$(( $(date +%s) - started ))
rc=$(cat "$root/tmp/program.rc" 2>/dev/null || echo none)
output=$(cat "$root/tmp/program.out" 2>/dev/null)
echo "ran '$command_line' under xvfb-run -a for ${took}s, exit code $rc"
[ -s "$logs/xvfb.log" ] && { echo "xvfb-run said:"; sed 's/^/  /' "$logs/xvfb.log"; }
if [ "$rc" = 124 ]; then pass "the program stayed up until timeout closed it (exit 124)"
else fail "the program ended by itself with exit code $rc before the timeout"; fi
if [ -z "$output" ]; then pass "the program printed nothing"
else fail "the program printed:"; echo "$output" | sed 's/^/  /'; fi
windows=$(grep -i '"rekentol"' "$root/tmp/windows.txt")
if [ -n "$windows" ]; then pass "it showed a window:"; echo "$windows" | sed 's/^ */  /'
else fail "no window of class rekentol on the display"; sed 's/^/  /' "$root/tmp/windows.txt"; fi

if in_root apt-get remove -y --purge rekentol >"$logs/remove.log" 2>&1; then
  pass "apt-get remove -y --purge rekentol"
else
  tail -n 20 "$logs/remove.log"; fail "apt-get remove --purge rekentol"
fi
if in_root dpkg -L rekentol >/dev/null 2>&1; then fail "dpkg -L rekentol still lists files"
else pass "dpkg -L rekentol fails: $(in_root dpkg -L rekentol 2>&1 | head -n1)"; fi
left=$(cd "$root" && find usr etc var/lib/dpkg/info -iname '*rekentol*' 2>/dev/null)
if [ -z "$left" ]; then pass "no file named *rekentol* in /usr /etc /var/lib/dpkg/info"
else fail "left behind:"; echo "$left" | sed 's/^/  \//'; fi

if [ "$failures" -eq 0 ]; then echo "RESULT: PASS"; else echo "RESULT: FAIL ($failures)"; fi
exit $(( failures > 0 ))
