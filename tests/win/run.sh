#!/usr/bin/env bash
# The Win32 layer's tests and the checks of the real zentab.exe and zentab_host.exe, under Wine in
# a throwaway prefix with the shell's stand-in registered, a Japanese locale, and no network but
# the machine's own. Arguments go to the test program (--gtest_filter=...). ZENTAB_SKIP_BUILD=1 uses
# the builds as they are. With ZENTAB_BROWSERS=1, real Chromium and Firefox ESR follow (node --test
# tests/browsers/): the real extension, the host behind a wrapper script, and the real zentab.exe.
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
# A private network namespace with mounts of its own: a read-only folder that root cannot write.
if [ -z "${ZW_IN_NETNS:-}" ] && [ "$(id -u)" = 0 ] && unshare -nm true 2>/dev/null; then
  ZW_IN_NETNS=1 exec unshare -nm sh -c 'ip link set lo up && exec "$0" "$@"' "$0" "$@"
fi
cd "$ROOT" || exit 1
if [ "${ZENTAB_SKIP_BUILD:-0}" != 1 ]; then
  for preset in mingw wintest; do
    cmake --preset $preset >/dev/null && cmake --build --preset $preset || exit 1
  done
fi

ZW_BUILD=$ROOT/build
. scripts/wine-env.sh
trap zw_stop EXIT
zw_find_programs && zw_stage "$ROOT/build/win-tests" || exit 1
READONLY=$WINEPREFIX/drive_c/readonly
mkdir -p "$READONLY" build/screenshots
printf '[Option]\r\nMaxLog=5\r\n' >"$READONLY/Zentab2.ini"
cp "$APP/zentab.exe" "$READONLY/"
if [ -n "${ZW_IN_NETNS:-}" ]; then
  mount --bind "$READONLY" "$READONLY" && mount -o remount,ro,bind "$READONLY"
else
  chmod -R a-w "$READONLY"
fi

# To a file: a program the tests started and left running would hold a pipe open.
LOG=$ROOT/build/win-tests/output.txt
run() {
  ZENTAB_APP='C:\Zentab' ZENTAB_DOUBLE='C:\double' ZENTAB_READONLY='C:\readonly' \
    ZENTAB_SHOTS=$(winepath -w build/screenshots 2>/dev/null) ZW_TIMEOUT=600 \
    zw_wine build/wintest/tests/win/zentab_win_tests.exe "$@" >"$LOG" 2>&1
  local result=$?
  zw_wineserver_kill
  tr -d '\r' <"$LOG"
  return $result
}
# Everything at 100 %, then the windows' designs again at 150 %.
run "$@" && zw_dpi 144 && run --gtest_filter='Windows/Design.*'
result=$?
if [ "$result" = 0 ] && [ "${ZENTAB_BROWSERS:-0}" = 1 ]; then
  zw_dpi 96
  : >"$DOUBLE/scenario.txt"  # the shell shows no window of its own
  # What the browsers start as zentab_host: the host under Wine, in this prefix and locale.
  HOST=$ROOT/build/win-tests/zentab_host.sh
  printf '#!/bin/sh\nexec env WINEPREFIX=%q WINEDEBUG=-all WINEDLLOVERRIDES=%q LOCPATH=%q LANG=%s LC_ALL=%s %q %q "$@"\n' \
    "$WINEPREFIX" "$WINEDLLOVERRIDES" "$LOCPATH" "$ZW_LANG" "$ZW_LANG" "$ZW_WINE" \
    'C:\Zentab\zentab_host.exe' >"$HOST"
  chmod +x "$HOST"
  ZENTAB_WINE=$ZW_WINE ZENTAB_LANG=$ZW_LANG ZENTAB_APP=$APP ZENTAB_HOST=$HOST \
    ZENTAB_PROBE=$ROOT/build/wintest/tests/win/zentab_win_tests.exe \
    ZENTAB_SHOTS=$ROOT/build/screenshots node --test --test-reporter=tap tests/browsers/
  result=$?
fi
zw_stop
for shot in build/screenshots/*.bmp; do
  [ -f "$shot" ] && /usr/bin/convert "$shot" "${shot%.bmp}.png" 2>/dev/null && rm -f "$shot"
done
exit "$result"
