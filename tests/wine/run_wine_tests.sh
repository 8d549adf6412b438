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

# Nothing here may reach the network: a private network namespace when we may have one, with
# mounts of its own (a read-only settings file that root cannot write either).
if [ -z "${ZW_IN_NETNS:-}" ] && [ "$(id -u)" = 0 ] && unshare -nm true 2>/dev/null; then
  ZW_IN_NETNS=1 exec unshare -nm "$0" "$@"
fi

SUITE="wine tests"
. "$ROOT/tests/wine/checks.sh"

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

trap 'zw_stop' EXIT
zw_stage "$WORK" || { fail "Wine set-up"; finish; }

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
declare -A CAPTIONS=([Watcher]='Zentab Ver2.0 - Watcher' [Options]='Zentab Ver2.0 - Options'
  [VerInfo]='Zentab Ver2.0' [Votrix]="[Votrix] Tamsel's Zozidor Software Vote System")
# design NAME DPI WINDOW [CHANGES...]: the shown window, at that screen scale and with its
# caption, is built as its design says, but for what its logic has changed since (see the
# driver's design command).
design() {
  local name=$1 dpi=$2
  shift 2
  check "$name" "$(lines "$dpi" "${CAPTIONS[$1]}")" \
    "$(drv dpi "$1"; drv caption "$1"; drv design "$@")"
}
# A picture of the window alone, without the pointer's tooltip on it.
window_shot() {
  drv pointer 1 1000
  sleep 0.4
  zw_screenshot "$SHOTS/$2.png" "$(drv rect "$1")"
}

# --- The test set-up itself: Wine's code page and the doubles as the program sees them. -------
check "set-up: Wine runs with the Japanese code page" "932" "$(drv acp)"
check "set-up: no network but the loopback" "lo" \
  "$(sed -n 's/^ *\([^:]*\):.*/\1/p' /proc/net/dev)"
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
cp "$ZW_EXE" "$APP/zentab.exe" && cp "$ROOT/resources/readme.txt" "$APP/"

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
check "show/hide: no taskbar button: it is owned by a hidden window" "1" "$(drv owned)"
design "design: the main window as designed, at 100 %" 96 Watcher MaxWatchNum=2/10 \
  'MaxLogNum=Max 50件'
drv hover PastLst
check "tooltip: the pointer resting on a list shows its tip" \
  "ダブルクリックするとその項目を復元します。" "$(drv tooltip 5)"
drv pointer 1 1000
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

# --- Instance 4: the options, about and vote windows, help and home page, at 100 %. -----------
# What each window's load step shows, with no settings file; a row's changes to its design.
NOTE=$'Internet Explorer補助ソフト 「Zentab」\r\n\r\n\r\nZentabをご使用いただきありがとうございます。'
NOTE+=$'\r\n\r\n感想・不具合・改善提案等ありましたら、下記URLより掲示板へお願いします。'
AT_LOAD_Options=(HMWatch=10 HMLog=50 'HMInterval=5.0 秒')
AT_LOAD_VerInfo=('Versions=Version: 2.0' "Note=$NOTE")
AT_LOAD_Votrix=(Vote=3-妥当・普通)
at_load() {
  local -n changes="AT_LOAD_$1"
  printf '%s\0' "${changes[@]}"
}
# The selection of the options dialog's option buttons and boxes, one digit each.
OPTION_BOXES=('IsChkModeOp(0)' 'IsChkModeOp(1)' 'IsChkModeOp(2)' 'IsUsePastLogOp(0)'
  'IsUsePastLogOp(1)' AS_RedirectB AS_RedirectA AS_BoardLink)
ticks() { drv check "${OPTION_BOXES[@]/#/Options.}" | tr -d '\n'; }
# Closes WINDOW by HOW: press:<button>, key:<key> or the close box.
close_window() {
  case $2 in
    press:*) drv press "$1.${2#press:}" ;;
    key:*) drv key "$1" "${2#key:}" ;;
    closebox) drv close "$1" ;;
  esac
}
# open_each PERCENT ROW...: each row "menu-item window closing screenshot" opens the window from
# that menu item, compares it with its design, takes its picture (unless "-") and closes it.
open_each() {
  local percent=$1 dpi=$(($1 * 96 / 100)) row item window closing shot changes
  shift
  for row in "$@"; do
    read -r item window closing shot <<<"$row"
    mapfile -d '' -t changes < <(at_load "$window")
    drv post "$item"
    design "$percent %: $item opens $window as designed" "$dpi" "$window" "${changes[@]}"
    [ "$shot" = - ] || window_shot "$window" "$shot-$percent"
    close_window "$window" "$closing"
    check_true "$percent %: $window closes by $closing" drv gone "$window" 5
  done
}
WARNING='このファイルを直接操作すると予期しない動作をする場合があります。'
WARNING+='必ずソフト本体のオプションから設定してください。'
# A settings file as the first save writes it, in code page 932.
first_save() { printf '%s\r\n' '[User]' "警告=$WARNING" '[Option]' "$@" | iconv -f UTF-8 -t CP932; }
# The help file as the viewer shows it: no byte-order mark, its line ends made visible.
README=$(sed -z '1s/^\xEF\xBB\xBF//; s/\r/\\r/g; s/\n/\\n/g' "$APP/readme.txt")
answers() {
  [ "$(ZW_TIMEOUT=10 zw_wine "$ZW_DRIVER" caption 2>/dev/null | tr -d '\r')" = \
    "${CAPTIONS[Watcher]}" ]
}

# Runs each part while the program runs: one that ended it fails the rest at once.
parts() {
  local part
  for part in "$@"; do
    if [ "$(drv alive)" = 1 ]; then "$part"; else fail "$part" "the program ended before it"; fi
  done
}

# Each window from each menu item that shows it, closed another way each time.
openings() {
  open_each 100 'CmdShowOption Options press:cmdCancel options' \
    'TMCmdOption Options key:Escape -' \
    'CmdShowVersionInfo VerInfo key:Return about' \
    'TMCmdShowVersionInfo VerInfo press:CloseWin -' \
    'CmdSoftwareVote Votrix press:Reset vote'
}

# While a window is shown modally the tray icon only brings it to the front, the menus wait and
# the scan goes on.
modal() {
  drv post TMCmdShowVersionInfo
  check "modal: the tray icon's right button brings the window to the front" "1" \
    "$(drv raise VerInfo 516)"
  check "modal: and opens no menu" "0" "$(drv menu 1)"
  check "modal: merely moving over the icon brings nothing to the front" "0" \
    "$(drv raise VerInfo 512 1.5)"
  drv command CmdExit
  drv command TMCmdExit
  check "modal: the exit commands are ignored, the window stays" "$(lines 1 1)" \
    "$(sleep 0.3; drv alive; drv shown VerInfo 0)"
  scenario $'報告書\tfile:///C:/Work'
  check "modal: the scan goes on" $'ID 0 : 報告書 - file:///C:/Work' "$(drv waitcount WatchLst 1 8)"
  scenario "$WINDOWS"
  close_window VerInfo closebox
  check_true "modal: the close box closes the about window" drv gone VerInfo 5
  drv waitcount WatchLst 2 8 >/dev/null
}

# No file gives the defaults; every kind of control changed, then OK.
options_ok() {
  drv post TMCmdOption
  check "options: with no settings file 両方 and 使用する are selected, no box ticked" \
    "00110000" "$(ticks)"
  drv click 'Options.IsChkModeOp(1)'
  drv click 'Options.IsUsePastLogOp(1)'
  drv key Options.HMWatch Up
  drv key Options.HMLog Down
  drv key Options.HSInterval Home
  drv click Options.AS_RedirectA
  design "options: the changed controls show their values" 96 Options HMWatch=11 HMLog=49 \
    'HMInterval=1.0 秒'
  check "options: the changed selection" "01001010" "$(ticks)"
  drv hover Options.Label5
  check "options: the dialog's tips show too" "ウィンドウをスキャンする間隔を設定してください。" \
    "$(drv tooltip 5)"
  drv pointer 1 1000
  drv press Options.cmdOK
  check_true "options: OK closes the dialog" drv gone Options 5
  check_true "options: OK writes User then Option, in code page 932 with CRLF" cmp -s \
    <(first_save ChkMode=1 DisabledPastLog=1 MaxWatch=11 MaxLog=49 Interval=1000 Through=2) \
    "$APP/Zentab2.ini"
  check "options: the main window takes the saved settings" \
    "$(lines 'Max 49件' '過去ログ機能は無効にされています。' 0 0)" \
    "$(drv text MaxLogNum; drv list PastLst; drv enabled PastLst; drv visible IsPastLogMake)"
  check "options: the scan follows ChkMode 1 and MaxWatch 11 within a second" \
    "$(lines 'ID 0 : 報告書 - file:///C:/Work' 2/11)" \
    "$(drv waitcount WatchLst 1 3; drv waittext MaxWatchNum 2/11 2)"
  cp "$APP/Zentab2.ini" "$WORK/saved.ini"
  MAIN_AFTER_SAVE=$(drv text MaxLogNum; drv list PastLst; drv visible IsPastLogMake)
}

# The settings in force; changes, then Cancel.
options_cancel() {
  drv post CmdShowOption
  design "options: reopened with the saved settings" 96 Options HMWatch=11 HMLog=49 \
    'HMInterval=1.0 秒'
  check "options: reopened with the saved selection" "01001010" "$(ticks)"
  drv click 'Options.IsChkModeOp(2)'
  drv click 'Options.IsUsePastLogOp(0)'
  drv key Options.HMWatch Up
  drv key Options.HSInterval End
  drv click Options.AS_BoardLink
  check "options: changed before Cancel" "$(lines 00110011 12 '30.0 秒')" \
    "$(ticks; echo; drv text Options.HMWatch; drv text Options.HMInterval)"
  drv press Options.cmdCancel
  check_true "options: Cancel closes the dialog" drv gone Options 5
  check_true "options: Cancel writes nothing" cmp -s "$WORK/saved.ini" "$APP/Zentab2.ini"
  check "options: Cancel leaves the main window as it was" "$MAIN_AFTER_SAVE" \
    "$(drv text MaxLogNum; drv list PastLst; drv visible IsPastLogMake)"
}

# A save the file refuses: a read-only file, which root cannot write either when it is a
# read-only mount.
options_refused() {
  if [ -n "${ZW_IN_NETNS:-}" ]; then
    mount --bind "$APP/Zentab2.ini" "$APP/Zentab2.ini" &&
      mount -o remount,ro,bind "$APP/Zentab2.ini"
  else
    chmod a-w "$APP/Zentab2.ini"
  fi
  drv post TMCmdOption
  drv click 'Options.IsUsePastLogOp(0)'
  drv key Options.HMLog Down
  drv press Options.cmdOK
  check "options: a refused save is reported with the file's path" "$(lines 'caption	Zentab' \
    'Button	OK' 'Static	設定ファイルに書き込めませんでした。\r\nC:\Zentab\Zentab2.ini')" \
    "$(drv dialog Zentab 5 | grep -v '^pid\|^Static	$')"
  check "options: the dialog stays open behind the message" "1" "$(drv shown Options 0)"
  check "options: nothing of a refused save comes into force" "$MAIN_AFTER_SAVE" \
    "$(drv text MaxLogNum; drv list PastLst; drv visible IsPastLogMake)"
  drv dismiss Zentab
  check "options: after the message the dialog still shows the choices" "$(lines 01010010 48)" \
    "$(ticks; echo; drv text Options.HMLog)"
  drv key Options Escape
  check_true "options: Esc closes it" drv gone Options 5
  if [ -n "${ZW_IN_NETNS:-}" ]; then umount "$APP/Zentab2.ini"; else chmod u+w "$APP/Zentab2.ini"; fi
  check_true "options: the refused save left the file as it was" cmp -s "$WORK/saved.ini" \
    "$APP/Zentab2.ini"
}

# The question, Enter there (Cancel), the question again, OK, the thanks after the pause; done.
vote() {
  drv post CmdSoftwareVote
  drv press Votrix.Submit
  check "vote: Submit asks first" "$(lines 'caption	確認' 'Button	OK' 'Button	キャンセル' \
    'Static	送信してもよろしいですか？')" "$(drv dialog 確認 5 | grep -v '^pid\|^Static	$')"
  drv dismiss 確認 Enter
  design "vote: Enter in the question is Cancel: the choice stays open" 96 Votrix \
    "${AT_LOAD_Votrix[@]}"
  drv key Votrix.Vote Down
  drv key Votrix Return
  check "vote: Enter presses Submit" "caption	確認" "$(drv dialog 確認 5 | grep '^caption')"
  pause=$(drv dismiss 確認 OK 完了)
  check_true "vote: the thanks come at least 2 s after OK" test "${pause:-0}" -ge 2000
  check "vote: the thanks message" "$(lines 'caption	完了' 'Button	OK' \
    'Static	ご協力ありがとうございました！')" "$(drv dialog 完了 5 | grep -v '^pid\|^Static	$')"
  design "vote: while it sends, the list and both buttons are disabled" 96 Votrix \
    Vote=4-結構ナイス Submit=お待ちください disabled:Vote disabled:Submit disabled:Reset
  drv dismiss 完了
  design "vote: done, Submit hidden, 閉じる the default" 96 Votrix Vote=4-結構ナイス \
    Submit=お待ちください hidden:Submit disabled:Submit disabled:Vote 'Reset=閉じる(&C)' default:Reset
  window_shot Votrix vote-done-100
  drv key Votrix Return
  check_true "vote: Enter closes it when done" drv gone Votrix 5
  drv post CmdSoftwareVote
  design "vote: reopened as at first" 96 Votrix "${AT_LOAD_Votrix[@]}"
  drv key Votrix Escape
  check_true "vote: Esc closes it" drv gone Votrix 5
}

# The text viewer with the help file beside the program, from both menus.
help_file() {
  local item
  for item in CmdHelpRef TMCmdHelpRef; do
    drv post "$item"
    check "help: $item shows readme.txt in Notepad" "$(lines 'caption	readme.txt - メモ帳' \
      "Edit	$README")" "$(drv top Notepad 10 | sed -n '/^caption\|^Edit/p')"
    check_true "help: Notepad closes" drv closetop Notepad
  done
}

# The home page goes to the shell, whatever it makes of it here: the program runs on.
home_page() {
  local item
  for item in CmdOpenHP TMCmdOpenHP; do
    drv post "$item"
    check_true "home page: the program answers after $item" answers
  done
  scenario $'報告書\tfile:///C:/Work' $'フォルダ\tfile:///C:/Users'
  check "home page: and goes on scanning" \
    "$(lines 'ID 0 : 報告書 - file:///C:/Work' 'ID 1 : フォルダ - file:///C:/Users')" \
    "$(drv waitcount WatchLst 2 5)"
}

rm -f "$APP/Zentab2.ini"
WINDOWS=$(lines $'報告書\tfile:///C:/Work' $'ニュース - トップ\thttp://news.example.jp/')
scenario "$WINDOWS"
if start_zentab; then
  drv waitcount WatchLst 2 5 >/dev/null
  parts openings modal options_ok options_cancel options_refused vote help_file home_page
  exit_zentab "exit: after the windows and commands" TMCmdExit
else
  fail "start-up for the options, about and vote windows" "no Watcher window"
fi

# --- Instance 5: the windows at 150 %. --------------------------------------------------------
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
  design "design: the main window as designed, at 150 %" 144 Watcher MaxWatchNum=3/10 \
    'MaxLogNum=Max 50件'
  sleep 0.7
  zw_screenshot "$SHOTS/watcher-150.png"
  drv command TMCmdVisible
  AT_LOAD_Options=(HMWatch=10 HMLog=50 'HMInterval=1.0 秒')
  open_each 150 'TMCmdOption Options key:Escape options' \
    'CmdShowVersionInfo VerInfo key:Escape about' \
    'CmdSoftwareVote Votrix key:Escape vote'
  drv post CmdSoftwareVote
  drv press Votrix.Submit
  drv dialog 確認 5 >/dev/null
  drv dismiss 確認 OK 完了 >/dev/null
  drv dismiss 完了
  design "150 %: the vote window done" 144 Votrix Vote=3-妥当・普通 Submit=お待ちください \
    hidden:Submit disabled:Submit disabled:Vote 'Reset=閉じる(&C)' default:Reset
  window_shot Votrix vote-done-150
  drv key Votrix Escape
  check_true "150 %: Esc closes the vote window when done" drv gone Votrix 5
  exit_zentab "150 %: exit" CmdExit
else
  fail "start-up at 150 %" "no Watcher window"
fi
echo "screenshots: $SHOTS"
finish
