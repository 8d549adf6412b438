#!/usr/bin/env bash
# The real zentab.exe under Wine, in a throwaway prefix, against the shell test doubles, read and
# driven from outside by zentab_driver.exe; then the portable profile code against Wine's.
# Prints PASS/FAIL per check and ends with "N passed, M failed".
#
# ZENTAB_MINGW_BUILD: the mingw build folder (default build/mingw, built here when needed).
# ZENTAB_SKIP_BUILD=1: use that folder as it is.
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${ZENTAB_MINGW_BUILD:-$ROOT/build/mingw}

# Nothing here may reach the network: a private network namespace when we may have one.
if [ -z "${ZW_IN_NETNS:-}" ] && [ "$(id -u)" = 0 ] && unshare -n true 2>/dev/null; then
  ZW_IN_NETNS=1 exec unshare -n "$0" "$@"
fi

START_TIME=$(date +%s)
PASSED=0
FAILED=0
pass() {
  echo "PASS $1"
  PASSED=$((PASSED + 1))
}
fail() {
  echo "FAIL $1"
  shift
  local line
  for line in "$@"; do echo "     $line"; done
  FAILED=$((FAILED + 1))
}
# check NAME EXPECTED ACTUAL: exact text, several lines allowed.
check() {
  if [ "$2" == "$3" ]; then
    pass "$1"
  else
    fail "$1" "expected:" $'\n'"$2" "actual:" $'\n'"$3"
  fi
}
# check_true NAME COMMAND...: the command succeeds.
check_true() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name" "not so: $*"; fi
}
finish() {
  echo "wine tests took $(($(date +%s) - START_TIME)) s"
  echo "$PASSED passed, $FAILED failed"
  [ "$FAILED" -eq 0 ]
  exit
}

cd "$ROOT" || exit 1
mkdir -p "$ROOT/build"
BUILD_LOG=$ROOT/build/wine-build.log
if [ "${ZENTAB_SKIP_BUILD:-0}" != 1 ]; then
  : >"$BUILD_LOG"
  if [ -n "${ZENTAB_MINGW_BUILD:-}" ]; then
    cmake --build "$BUILD" -j2 >>"$BUILD_LOG" 2>&1
  else
    { [ -f "$BUILD/CMakeCache.txt" ] || cmake --preset mingw >>"$BUILD_LOG" 2>&1; } &&
      cmake --build --preset mingw -j2 >>"$BUILD_LOG" 2>&1
  fi || fail "the mingw build" "see $BUILD_LOG"
fi

ZW_BUILD=$ROOT/build
WORK=$ROOT/build/wine-tests
SHOTS=$ROOT/build/screenshots
mkdir -p "$WORK" "$SHOTS"
. "$ROOT/scripts/wine-env.sh"
zw_find_programs "$BUILD"
for program in ZW_DRIVER ZW_DOUBLES ZW_PROBE; do
  [ -n "${!program}" ] || { fail "built: $program" "not found under $BUILD"; finish; }
done

ZW_FORCE_XVFB=1
trap 'zw_stop' EXIT
zw_locale && zw_display && zw_prefix "$WORK/prefix" || { fail "Wine set-up"; finish; }
APP=$WINEPREFIX/drive_c/Zentab
DOUBLES=$WINEPREFIX/drive_c/doubles
mkdir -p "$APP"
zw_register_doubles "$ZW_DOUBLES" "$DOUBLES" || { fail "doubles registered"; finish; }

drv() { ZW_TIMEOUT=45 zw_wine "$ZW_DRIVER" "$@" 2>/dev/null | tr -d '\r'; }
scenario() { printf '%s\n' "$@" >"$DOUBLES/scenario.txt"; }
settings() { printf '%s\r\n' "$@" >"$APP/Zentab2.ini"; }
calls() { cat "$DOUBLES/calls.log"; }
forget_calls() { : >"$DOUBLES/calls.log"; }
# Waits up to $2 s (default 10) until the calls log holds $1 lines.
wait_calls() {
  local i
  for i in $(seq $((${2:-10} * 10))); do
    [ "$(calls | wc -l)" -ge "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
# Waits up to $2 s for the background job $1 to end.
ended_within() {
  local i
  for i in $(seq $(($2 * 10))); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
ZENTAB_JOB=
start_zentab() {
  ZW_TIMEOUT=300 zw_wine "$APP/zentab.exe" >/dev/null 2>&1 &
  ZENTAB_JOB=$!
  WATCHER_PID=$(drv wait 20)
  [ -n "$WATCHER_PID" ] && [ "$WATCHER_PID" != "no Watcher window" ]
}
# Ends the program from its menu and checks that it goes.
exit_zentab() {
  local name=$1 command=$2
  drv command "$command" >/dev/null
  if drv gone 5 && ended_within "$ZENTAB_JOB" 10; then
    pass "$name"
  else
    fail "$name" "the program still runs"
    kill "$ZENTAB_JOB" 2>/dev/null
  fi
}
lines() { printf '%s\n' "$@"; }

# --- The test set-up itself: Wine's code page and the doubles as the program sees them. -------
check "set-up: Wine runs with the Japanese code page" "932" "$(drv acp)"
scenario $'窓 - 一\thttp://one.example/' $'フォルダ\tfile:///C:/Work' '!fail LocationName 1'
check "set-up: the ShellWindows double serves the scenario" "$(lines 'count 2' \
  $'0\t窓 - 一\thttp://one.example/' $'1\t(null)\tfile:///C:/Work' $'2\tnone S_FALSE')" \
  "$(drv shellwindows)"
forget_calls
drv open 'http://example.com/x' >/dev/null
check "set-up: the InternetExplorer double logs a new window" \
  "$(lines create 'navigate new http://example.com/x' 'visible new -1')" "$(calls)"

# --- The profile functions: the portable code against Wine's on the same files. -------------
PROBE_DIR=$WORK/profile-probe
rm -rf "$PROBE_DIR" && mkdir -p "$PROBE_DIR"
probe_out=$(ZW_TIMEOUT=60 zw_wine "$ZW_PROBE" "$(winepath -w "$PROBE_DIR" 2>/dev/null)" \
  "$(winepath -w "$WORK/profile-table.md" 2>/dev/null)" 2>&1 | tr -d '\r')
echo "$probe_out" | grep -E '^(PASS|FAIL) '
PASSED=$((PASSED + $(echo "$probe_out" | grep -c '^PASS ')))
FAILED=$((FAILED + $(echo "$probe_out" | grep -c '^FAIL ')))
echo "$probe_out" | grep -q '^profile probe: ' || fail "profile probe ran to its end"

if [ -z "${ZW_EXE:-}" ]; then
  fail "built: zentab.exe" "not found under $BUILD"
  finish
fi
cp "$ZW_EXE" "$APP/zentab.exe"

# Read from the program's own source: the hosts of the redirect services.
redirect_host() {
  sed -n "s/.*$1 *= *\"\\([^\"]*\\)\".*/\\1/p" "$ROOT/src/watch/redirects.h" 2>/dev/null
}
HOST_B=$(redirect_host kRedirectBHost)
HOST_A=$(redirect_host kRedirectAHost)
HOST_BOARD=$(redirect_host kBoardLinkHost)

# --- Instance 1: start-up, the scan, the past log, reopening, show/hide, second instance. ----
settings '[Option]' 'Interval=1000'
scenario $'ニュース - トップ\thttp://news.example.jp/' $'報告書\tfile:///C:/Work' \
  $'Example Domain\thttp://example.com/'
FIRST=$(lines 'ID 0 : ニュース- トップ - http://news.example.jp/' 'ID 1 : 報告書 - file:///C:/Work' \
  'ID 2 : Example Domain - http://example.com/')
forget_calls
if ! start_zentab; then
  fail "start-up: the Watcher window appears" "no window titled 'Zentab Ver2.0 - Watcher'"
  finish
fi
check "start-up: the caption" "Zentab Ver2.0 - Watcher" "$(drv caption)"
check "start-up: the watch list holds the scan" "$FIRST" "$(drv waitcount WatchLst 3 5)"
check "start-up: the main window stays hidden" "0" "$(drv visible)"
check "start-up: counter label after a short scan" "3/10" "$(drv text MaxWatchNum)"
check "start-up: past-log maximum label" "Max 50件" "$(drv text MaxLogNum)"
check "start-up: pause box cleared and shown" "$(lines 0 1)" \
  "$(drv check IsPastLogMake; drv visible IsPastLogMake)"

drv waitlist PastLst 'Gr 3 : Example Domain - http://example.com/' 10 >/dev/null
check "past log: one group per scan, oldest first" "$(lines \
  'Gr 1 : ニュース- トップ - http://news.example.jp/' 'Gr 1 : 報告書 - file:///C:/Work' \
  'Gr 1 : Example Domain - http://example.com/' \
  'Gr 2 : ニュース- トップ - http://news.example.jp/' 'Gr 2 : 報告書 - file:///C:/Work' \
  'Gr 2 : Example Domain - http://example.com/' \
  'Gr 3 : ニュース- トップ - http://news.example.jp/' 'Gr 3 : 報告書 - file:///C:/Work' \
  'Gr 3 : Example Domain - http://example.com/')" "$(drv list PastLst | head -n 9)"

scenario $'ニュース - トップ\thttp://news.example.jp/' $'報告書\tfile:///C:/Work' \
  $'Example Domain\thttp://example.com/' $'新しいタブ\thttp://example.org/new'
check "scan: a window opened between scans is listed" "$FIRST"$'\n''ID 3 : 新しいタブ - http://example.org/new' \
  "$(drv waitcount WatchLst 4 5)"
check "scan: counter label follows" "4/10" "$(drv text MaxWatchNum)"

scenario $'報告書\tfile:///C:/Work' $'新しいタブ\thttp://example.org/new'
check "scan: closed windows leave the list, positions renumbered" \
  "$(lines 'ID 0 : 報告書 - file:///C:/Work' 'ID 1 : 新しいタブ - http://example.org/new')" \
  "$(drv waitcount WatchLst 2 5)"
check "scan: counter label follows" "2/10" "$(drv text MaxWatchNum)"

scenario
check "scan: no windows empties the watch list" "" "$(drv waitcount WatchLst 0 5)"
check "scan: counter label with no windows" "0/10" "$(drv text MaxWatchNum)"
past_before=$(drv list PastLst)
check "past log: the pages of closed windows stay" \
  "$(lines '報告書 - file:///C:/Work' '新しいタブ - http://example.org/new')" \
  "$(echo "$past_before" | tail -n 2 | sed 's/^Gr [0-9]* : //')"
sleep 2.2
check "past log: nothing added while no window is open" "$past_before" "$(drv list PastLst)"

scenario $'Report - Summary\tfile:///C:/Work' $'ニュース\thttp://news.example.jp/a?b=1'
REOPEN_WATCH=$(lines 'ID 0 : Report- Summary - file:///C:/Work' \
  'ID 1 : ニュース - http://news.example.jp/a?b=1')
check "reopen: watch list before" "$REOPEN_WATCH" "$(drv waitcount WatchLst 2 5)"
REOPEN_ALL=$(lines create 'navigate new file:///C:/Work' 'visible new -1' \
  create 'navigate new http://news.example.jp/a?b=1' 'visible new -1')
forget_calls
drv tray 515
check "reopen: a double-click on the tray icon opens every watched page in order" \
  "$REOPEN_ALL" "$(calls)"
check "reopen: the main window stays hidden" "0" "$(drv visible)"
forget_calls
drv command TMAllZentab
check "reopen: the tray menu's reopen-all does the same" "$REOPEN_ALL" "$(calls)"
forget_calls
for x in 512 513 514 517 518 0; do drv tray "$x"; done
check "tray: other mouse events are ignored" "0" "$(calls)$(drv visible)"
drv pointer 400 300
drv posttray 517
check "tray: releasing the right button opens nothing" "0" "$(drv menu 1)"
drv posttray 516
check "tray: pressing the right button opens the tray menu" "1" "$(drv menu 5)"
sleep 0.3
zw_screenshot "$SHOTS/tray-menu.png"
drv closemenu
sleep 0.3
check "tray: the menu closes without running anything" "$(lines 0 0)" \
  "$(drv menu 0; calls; drv visible)"

drv click IsPastLogMake
check "past log: the pause box ticks" "1" "$(drv check IsPastLogMake)"
paused=$(drv list PastLst)
sleep 2.2
check "past log: no lines while paused" "$paused" "$(drv list PastLst)"
forget_calls
drv dblclick WatchLst 1
check "reopen: a double-clicked watch line opens its page" \
  "$(lines create 'navigate new http://news.example.jp/a?b=1' 'visible new -1')" "$(calls)"
# The last past-log line of the work folder, counted from 0.
row=$(($(drv list PastLst | grep -n ' : Report- Summary - file:///C:/Work$' | tail -n 1 | cut -d: -f1) - 1))
forget_calls
drv dblclick PastLst "$row"
check "reopen: a double-clicked past-log line opens its page" \
  "$(lines create 'navigate new file:///C:/Work' 'visible new -1')" "$(calls)"
check "reopen: the past log keeps its lines" "$paused" "$(drv list PastLst)"
drv click IsPastLogMake
check "past log: the pause box clears" "0" "$(drv check IsPastLogMake)"
past_changed() {
  local i
  for i in $(seq 50); do
    [ "$paused" != "$(drv list PastLst)" ] && return 0
    sleep 0.1
  done
  return 1
}
check_true "past log: lines come again after the pause" past_changed

drv pointer 1 1000
drv command TMCmdVisible
check "show/hide: the tray menu item shows the window" "1" "$(drv visible)"
sleep 0.7
zw_screenshot "$SHOTS/watcher-100.png"
drv command TMCmdVisible
check "show/hide: the same item hides it again" "0" "$(drv visible)"
drv command TMCmdVisible
drv close
check "show/hide: closing the window only hides it" "$(lines 0 1)" \
  "$(drv visible; drv alive)"
check "show/hide: the lists survive" "$REOPEN_WATCH" "$(drv list WatchLst)"

ZW_TIMEOUT=60 zw_wine "$APP/zentab.exe" >/dev/null 2>&1 &
second=$!
dialog=$(drv dialog Zentab 15)
check_true "second instance: shows a message box of its own" \
  test -n "$dialog" -a "$(echo "$dialog" | sed -n 's/^pid\t//p')" != "$WATCHER_PID"
check_true "second instance: the message reads すでに起動しています。" \
  grep -qx $'Static\tすでに起動しています。' <<<"$dialog"
check_true "second instance: waits while its message is shown" kill -0 "$second"
drv dismiss Zentab
check_true "second instance: ends once the message is closed" ended_within "$second" 10
check "second instance: the first runs on, alone" "$(lines "$WATCHER_PID" 1)" \
  "$(drv pid; drv windows)"
scenario $'後から開いた\thttp://later.example/'
check "second instance: the first still scans" "ID 0 : 後から開いた - http://later.example/" \
  "$(drv waitcount WatchLst 1 5)"

exit_zentab "exit: the File menu's exit ends the program" CmdExit

# --- Instance 2: redirect skipping and a disabled past log, from the start-up scan alone. ------
# The next timer scan is ten minutes away: whatever is seen comes from the start-up scan.
settings '[Option]' 'Interval=600000' 'Through=7' 'DisabledPastLog=1'
if [ -z "$HOST_B" ] || [ -z "$HOST_A" ] || [ -z "$HOST_BOARD" ]; then
  fail "redirect: host names found in src/watch/redirects.h"
fi
scenario $'転送B\thttp://'"$HOST_B"'/example.org/b' $'転送A\thttp://'"$HOST_A"'/example.org/a' \
  $'掲示板\thttp://'"$HOST_BOARD"'/bbs/link.cgi?url=http://example.net/c' \
  $'普通\thttp://example.com/plain'
forget_calls
if start_zentab; then
  wait_calls 3 10
  check "redirect: each skipped service's window is sent on to its target" "$(lines \
    'navigate 0 http://example.org/b' 'navigate 1 http://example.org/a' \
    'navigate 2 http://example.net/c')" "$(calls)"
  check "start-up: the first scan is done before the window is ever shown" "$(lines \
    "ID 0 : 転送B - http://$HOST_B/example.org/b" "ID 1 : 転送A - http://$HOST_A/example.org/a" \
    "ID 2 : 掲示板 - http://$HOST_BOARD/bbs/link.cgi?url=http://example.net/c" \
    'ID 3 : 普通 - http://example.com/plain')" "$(drv list WatchLst)"
  check "start-up: hidden, counter at the end of the first scan" "$(lines 0 4/10)" \
    "$(drv visible; drv text MaxWatchNum)"
  check "settings: a disabled past log shows its one line" "過去ログ機能は無効にされています。" \
    "$(drv list PastLst)"
  check "settings: a disabled past log is greyed, its pause box ticked and hidden" \
    "$(lines 0 1 0)" "$(drv enabled PastLst; drv check IsPastLogMake; drv visible IsPastLogMake)"
  exit_zentab "exit: the tray menu's exit ends the program" TMCmdExit
else
  fail "start-up with redirect settings" "no Watcher window"
fi

# --- Instance 3: a hand-written settings file. ------------------------------------------------
settings '[Option]' 'MaxWatch=3' 'MaxLog=4' 'ChkMode=0' 'Interval=1000' 'Through=2'
scenario $'フォルダ\tfile:///C:/Users' $'ページ1\thttp://a.example/' \
  $'転送B\thttp://'"$HOST_B"'/b.example/' $'ページ3\thttp://c.example/' $'ページ4\thttp://d.example/'
forget_calls
if start_zentab; then
  check "settings: MaxLog in its label" "Max 4件" "$(drv text MaxLogNum)"
  check "settings: ChkMode 0 leaves folders out, MaxWatch 3 stops at position 2" \
    "$(lines 'ID 1 : ページ1 - http://a.example/' "ID 2 : 転送B - http://$HOST_B/b.example/")" \
    "$(drv list WatchLst)"
  check "settings: counter after a full scan" "2/3" "$(drv text MaxWatchNum)"
  drv waitlist PastLst "Gr 3 : 転送B - http://$HOST_B/b.example/" 8 >/dev/null
  # A scan may come between two reads: the groups are taken from what was read.
  past=$(drv list PastLst)
  g=$(echo "$past" | tail -n 1 | sed -n 's/^Gr \([0-9]*\) : .*/\1/p')
  check "settings: the past log keeps the MaxLog newest lines" "$(lines \
    "Gr $((g - 1)) : ページ1 - http://a.example/" "Gr $((g - 1)) : 転送B - http://$HOST_B/b.example/" \
    "Gr $g : ページ1 - http://a.example/" "Gr $g : 転送B - http://$HOST_B/b.example/")" "$past"
  check "settings: Through 2 does not skip service B" "" "$(calls)"
  scenario $'フォルダ\tfile:///C:/Users' $'転送A\thttp://'"$HOST_A"'/a2.example/' \
    $'ページ2\thttp://b.example/' $'ページ3\thttp://c.example/'
  wait_calls 1 5
  check "settings: Through 2 skips service A" "navigate 1 http://a2.example/" "$(calls | head -n 1)"
  exit_zentab "exit: ends with the settings of instance 3" CmdExit
else
  fail "start-up with a hand-written settings file" "no Watcher window"
fi

# --- Instance 4: the same window at 150 %. ----------------------------------------------------
zw_dpi 144
settings '[Option]' 'Interval=1000'
scenario $'ニュース - トップ\thttp://news.example.jp/' $'報告書\tfile:///C:/Work' \
  $'Example Domain\thttp://example.com/'
if start_zentab; then
  check "150 %: the same lines" "$FIRST" "$(drv waitcount WatchLst 3 5)"
  drv waitcount PastLst 6 5 >/dev/null
  drv pointer 1 1000
  drv command TMCmdVisible
  check "150 %: shown" "1" "$(drv visible)"
  sleep 0.7
  zw_screenshot "$SHOTS/watcher-150.png"
  exit_zentab "150 %: exit" CmdExit
else
  fail "start-up at 150 %" "no Watcher window"
fi
echo "screenshots: $SHOTS/watcher-100.png $SHOTS/watcher-150.png $SHOTS/tray-menu.png"
finish
