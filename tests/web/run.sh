#!/usr/bin/env bash
# The browser tests: installs what is missing (Debian's Chromium, node and
# npm, the pinned Playwright), runs the Playwright suite on the Chromebook
# and iPad projects, then one pupil in WebKit. Exits non-zero on any failure.
#
#   tests/web/run.sh [playwright args...]
#
# REKENTOL_WEB_SITE=DIR tests another build of the site (default build/web/site).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
export REKENTOL_WEB_SITE=${REKENTOL_WEB_SITE:-$source_dir/build/web/site}
[ -f "$REKENTOL_WEB_SITE/index.html" ] || { echo "no site in $REKENTOL_WEB_SITE: run scripts/web.sh build"; exit 1; }

missing=()
for p in chromium webkit2gtk-driver python3-selenium xvfb xauth; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
# node and npm may come from elsewhere than Debian (whose npm then conflicts).
command -v node >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" || exit 1
fi
cd "$here" || exit 1
# npm ci only when the pinned Playwright is not the one installed.
if ! node -e 'const want = require("./package.json").devDependencies["@playwright/test"];
  process.exit(require("@playwright/test/package.json").version === want ? 0 : 1)' 2>/dev/null; then
  PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund || exit 1
fi

status=0
npx playwright test "$@" || status=1
summary=$(node -e '
  const r = require("./test-results/results.json").stats;
  console.log(`playwright: ${r.expected} passed, ${r.unexpected + r.flaky} failed` + (r.skipped ? `, ${r.skipped} skipped` : ""));
' 2>/dev/null) || summary="playwright: no results"
/usr/bin/python3 webkit_run.py "$REKENTOL_WEB_SITE" || status=1
echo "$summary"
exit $status
