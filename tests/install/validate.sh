#!/usr/bin/env bash
# Installs a built tree into a scratch prefix and holds the installed desktop
# files against their validators and against each other: what the desktop
# entry starts and shows must be what was installed.
#
#   validate.sh <build dir> <source dir> <project version>
set -euo pipefail
build=$1 source=$2 version=$3
id=nl.rekentol.Rekentol

for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -f "$desktop" ] || fail "no desktop entry at share/applications/$id.desktop"
[ -f "$metainfo" ] || fail "no metainfo at share/metainfo/$id.metainfo.xml"
[ -x "$prefix/bin/rekentol" ] || fail "no program at bin/rekentol"
[ "$failures" -eq 0 ] || exit 1

# The validators print hints on success too; the entry must draw none.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed"
[ -z "$report" ] || fail "desktop-file-validate reports: $report"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate failed"

key() { sed -n "s/^$1=//p" "$desktop"; }
exec_line=$(key Exec)
[ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec=$exec_line is not the installed program"
icon=$(key Icon)
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "the metainfo does not launch $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" \
  || fail "the metainfo has no release $version (the project's version)"

# The screenshot's address ends in a file of the repository; it has to be there.
shot=$(sed -n 's#.*<image>.*/\(packaging/screenshots/[^<]*\)</image>.*#\1#p' "$metainfo")
[ -n "$shot" ] && [ -s "$source/$shot" ] || fail "the screenshot ${shot:-(none)} is not in the repository"

# Every size a PNG of that size (the width and height in its IHDR header).
apps=$prefix/share/icons/hicolor
for size in 16 32 48 64 128 256; do
  png=$apps/${size}x$size/apps/$icon.png
  if [ ! -f "$png" ]; then fail "no icon $png"; continue; fi
  header=$(od -An -tx1 -j12 -N12 "$png" | tr -d ' \n')
  want=$(printf '49484452%08x%08x' "$size" "$size")
  [ "$header" = "$want" ] || fail "${size}x$size/apps/$icon.png is not a ${size}x$size PNG ($header)"
done
cmp -s "$apps/scalable/apps/$icon.svg" "$source/res/icon.svg" || fail "scalable/apps/$icon.svg is not res/icon.svg"

[ "$failures" -eq 0 ] && echo "installed tree: desktop entry, metainfo and icons pass"
exit $(( failures > 0 ))
