#!/usr/bin/env bash
# Builds zentab.exe and runs it. On Windows (MSYS2, Cygwin) it starts the program directly. On
# Linux it runs under Wine in a prefix of its own, build/run-prefix, where stand-ins for the
# shell's browser and folder windows show a few sample pages. Without a display it runs under
# Xvfb, shows the main window for a few scans, saves a screenshot and ends the program.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

case "$(uname -s)" in
  MINGW* | MSYS* | CYGWIN*) windows=1 ;;
  *) windows=0 ;;
esac

[ "$windows" = 1 ] || scripts/setup.sh
[ -f build/mingw/CMakeCache.txt ] || cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2 >/dev/null || {
  echo "The build failed; run: cmake --build --preset mingw" >&2
  exit 1
}

ZW_BUILD=$ROOT/build
. scripts/wine-env.sh
zw_find_programs "$ROOT/build/mingw"
[ -n "$ZW_EXE" ] || { echo "zentab.exe was not built" >&2; exit 1; }

if [ "$windows" = 1 ]; then
  echo "Starting $ZW_EXE: Zentab lives in the notification area."
  "$ZW_EXE" &
  exit 0
fi

APP=$ROOT/build/run-prefix/drive_c/Zentab
DOUBLES=$ROOT/build/run-prefix/drive_c/doubles
drv() { ZW_TIMEOUT=45 zw_wine "$ZW_DRIVER" "$@" 2>/dev/null | tr -d '\r'; }

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  echo "No DISPLAY: running under Xvfb; you will get a screenshot instead of a window."
fi
trap 'zw_stop' EXIT
zw_locale
zw_display
zw_prefix "$ROOT/build/run-prefix" keep
zw_register_doubles "$ZW_DOUBLES" "$DOUBLES"
mkdir -p "$APP"
cp "$ZW_EXE" "$APP/zentab.exe"
[ -f resources/readme.txt ] && cp resources/readme.txt "$APP/"
# A short scan period so that the lists fill while you watch; the options dialog can change it.
[ -f "$APP/Zentab2.ini" ] || printf '[Option]\r\nInterval=2000\r\n' >"$APP/Zentab2.ini"
windows_now() { printf '%s\n' "$@" >"$DOUBLES/scenario.txt"; }
windows_now $'Zentab へようこそ - サンプル\thttp://www.example.com/' \
  $'ニュース - 今日の話題\thttp://news.example.jp/today' \
  $'ドキュメント\tfile:///C:/users/Public/Documents'

ZW_TIMEOUT=0 zw_wine "$APP/zentab.exe" >/dev/null 2>&1 &
job=$!
drv wait 30 >/dev/null || { echo "zentab.exe did not start" >&2; exit 1; }
# On Xvfb the pointer rests over the lists and would show their tooltip in the screenshot.
[ "$headless" = 0 ] || drv pointer 1 1000 >/dev/null || true
drv command TMCmdVisible

if [ "$headless" = 0 ]; then
  cat <<EOF
Zentab runs under Wine. Its tray icon is in Wine's system tray; its main window is shown.
The shell's windows are stand-ins, one a line (title<TAB>address), in
  $DOUBLES/scenario.txt
edit it to open and close windows; pages that Zentab reopens are logged in
  $DOUBLES/calls.log
End Zentab with ファイル > 終了 or the tray menu's 終了.
EOF
  wait "$job" || true
  exit 0
fi

# A few scans; then a window closes and another opens, and the past log keeps the closed page.
sleep 4.5
windows_now $'Zentab へようこそ - サンプル\thttp://www.example.com/' \
  $'ドキュメント\tfile:///C:/users/Public/Documents'
sleep 2.5
windows_now $'Zentab へようこそ - サンプル\thttp://www.example.com/' \
  $'ドキュメント\tfile:///C:/users/Public/Documents' $'天気予報 - 東京\thttp://weather.example.jp/tokyo'
sleep 2.5
shot=$ROOT/build/screenshots/run.png
zw_screenshot "$shot"
echo "Watch list:"
drv list WatchLst | sed 's/^/  /'
echo "Past log (newest last):"
drv list PastLst | sed 's/^/  /'
drv command CmdExit
drv gone 10 || echo "zentab.exe did not end" >&2
wait "$job" 2>/dev/null || true
echo "Screenshot of the main window: $shot"
