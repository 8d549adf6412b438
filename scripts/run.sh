#!/usr/bin/env bash
# Builds zentab.exe and runs it. On Windows (MSYS2, Cygwin) it starts the program directly. On
# Linux it runs under Wine in a prefix of its own, build/run-prefix, where a stand-in for the
# shell's browser and folder windows shows a few sample pages. Without a display it runs under
# Xvfb, opens the main window from the tray menu as a user does (xdotool), lets a few scans run,
# saves a screenshot and ends the program from the tray menu.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

case "$(uname -s)" in
  MINGW* | MSYS* | CYGWIN*) windows=1 ;;
  *) windows=0 ;;
esac

[ "$windows" = 1 ] || scripts/setup.sh
build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$@" >/dev/null; }
build mingw --target zentab || { echo "The build failed; run: cmake --build --preset mingw" >&2; exit 1; }
if [ "$windows" = 1 ]; then
  echo "Starting build/mingw/zentab.exe: Zentab lives in the notification area."
  build/mingw/zentab.exe &
  exit 0
fi
build wintest --target zentab_double || { echo "The shell's stand-in did not build" >&2; exit 1; }

ZW_BUILD=$ROOT/build
. scripts/wine-env.sh
zw_find_programs
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  echo "No DISPLAY: running under Xvfb; you will get a screenshot instead of a window."
fi
trap 'zw_stop' EXIT
zw_locale
zw_display
zw_prefix "$ROOT/build/run-prefix" keep
APP=$WINEPREFIX/drive_c/Zentab
DOUBLE=$WINEPREFIX/drive_c/double
mkdir -p "$APP" "$DOUBLE"
cp "$ZW_EXE" resources/readme.txt "$APP/"
cp "$ZW_DOUBLE" "$DOUBLE/"
rm -f "$DOUBLE"/live-*.txt
zw_register_double
# No browser of this machine is started for a page.
zw_reg 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d none
# A short scan period so that the lists fill while you watch; the options dialog can change it.
[ -f "$APP/Zentab2.ini" ] || printf '[Option]\r\nInterval=2000\r\n' >"$APP/Zentab2.ini"
windows_now() { printf '%s\n' "$@" >"$DOUBLE/scenario.txt"; }
windows_now $'Zentab へようこそ - サンプル\thttp://www.example.com/' \
  $'ニュース - 今日の話題\thttp://news.example.jp/today' \
  $'ドキュメント\tfile:///C:/users/Public/Documents'

ZW_TIMEOUT=$([ "$headless" = 1 ] && echo 120 || echo 0) zw_wine "$APP/zentab.exe" >/dev/null 2>&1 &
job=$!
MAIN=
for _ in $(seq 150); do
  MAIN=$(xdotool search --name '^Zentab Ver2\.0 - Watcher$' 2>/dev/null | head -n 1) && [ -n "$MAIN" ] && break
  sleep 0.2
done
[ -n "$MAIN" ] || { echo "zentab.exe did not start" >&2; exit 1; }
PID=$(xdotool getwindowpid "$MAIN")

# The tray menu as a user opens it: a right click on Zentab's icon, the first in Wine's system
# tray window (top left when there is no virtual desktop), then keys choose an item. With no
# window manager the keyboard focus stays where it was while the main window is hidden; it is
# then given to the menu.
tray_menu() {
  local tray menu X Y WIDTH HEIGHT SCREEN WINDOW
  tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -n 1)
  [ -n "$tray" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove $((X + 13)) $((Y + HEIGHT - 13))
  sleep 0.3
  xdotool click 3
  for _ in $(seq 25); do
    menu=$(xdotool search --onlyvisible --pid "$PID" 2>/dev/null | grep -vx "$MAIN" | head -n 1) &&
      [ -n "$menu" ] && break
    sleep 0.2
  done
  [ -n "$menu" ] || return 1
  [ "$(xdotool getwindowpid "$(xdotool getwindowfocus)" 2>/dev/null)" = "$PID" ] ||
    xdotool windowfocus "$menu"
  sleep 0.3
  xdotool key --delay 200 "$@"
}

# 監視画面を開く(&W) shows the main window.
tray_menu w || echo "Open the main window from Zentab's tray icon: 監視画面を開く."
if [ "$headless" = 0 ]; then
  cat <<EOF
Zentab runs under Wine. Its tray icon is in Wine's system tray; its main window is shown.
The shell's windows are stand-ins, one a line (title<TAB>address), in
  $DOUBLE/scenario.txt
edit it to open and close windows; pages that Zentab reopens are logged in
  $DOUBLE/calls.txt
End Zentab with ファイル > 終了 or the tray menu's 終了.
EOF
  wait "$job" || true
  exit 0
fi

# The pointer would rest over the lists and show their tooltip in the screenshot.
xdotool mousemove $(($(xdotool getdisplaygeometry | cut -d' ' -f1) - 1)) 0
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
echo "Screenshot of the main window: $shot"

# 終了(&X) ends the program.
tray_menu x || echo "The tray menu did not open" >&2
for _ in $(seq 50); do
  kill -0 "$job" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$job" 2>/dev/null; then
  echo "zentab.exe did not end" >&2
  exit 1
fi
echo "zentab.exe ended; the shell's objects it still held: $(cat "$DOUBLE"/live-*.txt 2>/dev/null)"
