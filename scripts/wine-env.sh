# Shared by the Wine test scripts, scripts/run.sh and scripts/bench (sourced, not run): a Wine prefix of
# our own with Japanese fonts and locale, the shell test doubles registered in it, and an X server
# when there is no display.
#
# Set before use: ZW_BUILD, the build folder (it keeps the locale and a template prefix).
# Exported for the callers: WINEPREFIX, DISPLAY, LOCPATH; ZW_WINE is the 64-bit loader.

export WINEDEBUG=-all
# No Mono or Gecko installer is ever asked for.
export WINEDLLOVERRIDES="mscoree,mshtml="
ZW_WINE=$(command -v wine64 || true)
[ -x /usr/lib/wine/wine64 ] && ZW_WINE=/usr/lib/wine/wine64
[ -n "$ZW_WINE" ] || ZW_WINE=$(command -v wine)
ZW_XVFB_PID=

zw_log() { echo "[wine-env] $*" >&2; }

# Bounded wine call: a hung Wine program must not hang the caller (ZW_TIMEOUT=0: no bound). The
# locale goes to Wine only: this shell cannot load a locale from LOCPATH for itself.
zw_wine() {
  timeout "${ZW_TIMEOUT:-60}" env ${ZW_LANG:+LANG=$ZW_LANG LC_ALL=$ZW_LANG} "$ZW_WINE" "$@"
}

zw_wineserver_kill() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && timeout 30 wineserver -k 2>/dev/null
  return 0
}

# ja_JP.UTF-8 built into our own folder: Wine then runs with code page 932, as a Japanese
# Windows does, without touching the system's locales.
zw_locale() {
  local dir=$ZW_BUILD/locale
  if [ ! -f "$dir/ja_JP.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$dir"
    localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" 2>/dev/null || [ -f "$dir/ja_JP.UTF-8/LC_CTYPE" ] ||
      { zw_log "localedef ja_JP failed"; return 1; }
  fi
  export LOCPATH=$dir
  ZW_LANG=ja_JP.UTF-8
}

# An X server on a free display, unless one is given.
zw_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${ZW_FORCE_XVFB:-0}" != 1 ]; then return 0; fi
  local n=90
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  ZW_XVFB_PID=$!
  local i
  for i in $(seq 100); do
    [ -e /tmp/.X11-unix/X$n ] && break
    sleep 0.05
  done
  [ -e /tmp/.X11-unix/X$n ] || { zw_log "Xvfb did not start"; return 1; }
  export DISPLAY=:$n
}

zw_reg() { zw_wine reg add "$@" /f >/dev/null 2>&1; }

# The prefix's settings: no window manager delays, Japanese fonts for the Windows font names.
zw_configure_prefix() {
  zw_reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
  local name
  for name in 'MS UI Gothic' 'MS PGothic' 'ＭＳ Ｐゴシック' 'Meiryo' 'Meiryo UI' 'メイリオ' \
    'Yu Gothic UI'; do
    zw_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /t REG_SZ /d IPAPGothic
  done
  for name in 'MS Gothic' 'ＭＳ ゴシック'; do
    zw_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /t REG_SZ /d IPAGothic
  done
}

# WINEPREFIX := $1, a fresh copy of a configured template that is made once; with "keep" as $2
# a prefix made earlier is used as it is.
zw_prefix() {
  local target=$1 template=$ZW_BUILD/wine-template
  if [ "${2:-}" = keep ] && [ -f "$target/.zentab-ready" ]; then
    export WINEPREFIX=$target
    return 0
  fi
  if [ ! -f "$template/.zentab-ready" ]; then
    zw_log "creating a Wine prefix (once)"
    rm -rf "$template"
    WINEPREFIX=$template zw_wine wineboot -i >/dev/null 2>&1
    WINEPREFIX=$template zw_configure_prefix
    WINEPREFIX=$template timeout 30 wineserver -w 2>/dev/null || WINEPREFIX=$template timeout 30 wineserver -k
    [ -f "$template/system.reg" ] || { zw_log "wineboot failed"; return 1; }
    touch "$template/.zentab-ready"
  fi
  export WINEPREFIX=$target
  zw_wineserver_kill
  rm -rf "$target"
  cp -a "$template" "$target"
}

# Sets the screen scale of the prefix (96 = 100 %, 144 = 150 %); takes effect for programs
# started after it.
zw_dpi() {
  zw_reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1"
  zw_wineserver_kill
}

# The whole screen, or the part given as WxH+X+Y.
zw_screenshot() {
  local file=$1
  mkdir -p "$(dirname "$file")"
  # Full path: another `import` may come first in PATH.
  /usr/bin/import -display "$DISPLAY" -window root ${2:+-crop "$2" +repage} "$file" 2>/dev/null
}

zw_stop() {
  zw_wineserver_kill
  if [ -n "$ZW_XVFB_PID" ]; then
    kill "$ZW_XVFB_PID" 2>/dev/null
    wait "$ZW_XVFB_PID" 2>/dev/null
    ZW_XVFB_PID=
  fi
  return 0
}

# The built programs: ZW_EXE and ZW_HOST (the mingw preset's zentab.exe and zentab_host.exe) and
# ZW_DOUBLE (the stand-in for the shell's windows, built by the wintest preset).
zw_find_programs() {
  ZW_EXE=$ZW_BUILD/mingw/zentab.exe
  ZW_HOST=$ZW_BUILD/mingw/zentab_host.exe
  ZW_DOUBLE=$ZW_BUILD/wintest/tests/win/zentab_double.dll
  [ -f "$ZW_EXE" ] && [ -f "$ZW_HOST" ] && [ -f "$ZW_DOUBLE" ] ||
    { zw_log "zentab.exe, zentab_host.exe or the shell's stand-in is not built"; return 1; }
}

# The stand-in serves the shell's two classes in process. Machine-wide (Wine 8 ignores per-user
# classes), and alone: Wine's own entries would start its stubs out of process.
zw_register_double() {
  local clsid key
  for clsid in '{9BA05972-F6A8-11CF-A442-00A0C90A8F39}' '{0002DF01-0000-0000-C000-000000000046}'; do
    key='HKLM\Software\Classes\CLSID\'$clsid
    zw_wine reg delete "$key\LocalServer32" /f >/dev/null 2>&1 || true
    zw_reg "$key\InprocServer32" /ve /t REG_SZ /d 'C:\double\zentab_double.dll' &&
      zw_reg "$key\InprocServer32" /v ThreadingModel /t REG_SZ /d Both || return 1
  done
}

# X, locale and a fresh prefix in $1/prefix, with APP (C:\Zentab) holding zentab.exe,
# zentab_host.exe and readme.txt, and DOUBLE (C:\double) the stand-in, registered, with an empty
# scenario.txt; no browser of this machine is started for an address. Needs zw_find_programs first.
zw_stage() {
  ZW_FORCE_XVFB=1
  mkdir -p "$1" && zw_locale && zw_display && zw_prefix "$1/prefix" || return 1
  APP=$WINEPREFIX/drive_c/Zentab
  DOUBLE=$WINEPREFIX/drive_c/double
  mkdir -p "$APP" "$DOUBLE"
  cp "$ZW_EXE" "$ZW_HOST" "$ZW_BUILD/../resources/readme.txt" "$APP/" && cp "$ZW_DOUBLE" "$DOUBLE/" &&
    : >"$DOUBLE/scenario.txt" &&
    zw_register_double &&
    zw_reg 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d none ||
    { zw_log "the stage could not be set"; return 1; }
}
