# Sourced by scripts/windows.sh and by the tests' launcher (wine-run.sh): a
# Wine prefix that looks like a Dutch pupil's Windows.
#
#   wine_env <prefix dir>   exports WINEPREFIX and the locale; makes the
#                           prefix on first use
#
# - The user's locale is Dutch (nl-NL), so the decimal separator is a comma as
#   on a Dutch Windows. Wine takes the user's locale from the Unix one, which
#   need not be installed on this machine: it is compiled next to the prefix
#   and found through LOCPATH.
# - Wine has no Arial. Liberation Sans (Arial's metrics) and DejaVu Sans, the
#   fallbacks the program names on Linux, go into the prefix's Fonts folder,
#   and Wine's font replacement table maps Arial to Liberation Sans. Qt's
#   offscreen platform, which the tests use, reads its fonts from a folder
#   (QT_QPA_FONTDIR): the same one.
# - No Mono or Gecko: nothing asks Wine to download them.

wine_env() {
  local prefix=$1
  export WINEPREFIX=$prefix
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEARCH=win64
  local locales=$prefix.locale
  if [[ ! -d $locales/nl_NL.UTF-8 ]]; then
    mkdir -p "$locales"
    localedef -i nl_NL -f UTF-8 "$locales/nl_NL.UTF-8" >/dev/null 2>&1 || true
  fi
  export LOCPATH=$locales
  # (This shell cannot load it: it read LOCPATH when it started.)
  { export LANG=nl_NL.UTF-8 LC_ALL=nl_NL.UTF-8; } 2>/dev/null
  export QT_QPA_FONTDIR='C:\windows\Fonts'
  if [[ ! -f $prefix/.rekentol-ready ]]; then
    mkdir -p "$(dirname "$prefix")"
    wineboot --init >/dev/null 2>&1
    wineserver -w
    cp /usr/share/fonts/truetype/liberation2/LiberationSans-*.ttf \
       /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf "$prefix/drive_c/windows/Fonts/"
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.rekentol-ready"
  fi
}
