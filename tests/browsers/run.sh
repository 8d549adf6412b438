#!/usr/bin/env bash
# The browsers end to end: Debian's chromium and firefox-esr, headless, with the real extension, the
# real zentab_host.exe under Wine behind a wrapper script, and the real zentab.exe in a throwaway
# prefix; node --test drives them (tests/browsers/*.test.mjs), one at a time. Nothing leaves the
# machine: it all runs in a network namespace of its own. ZENTAB_SKIP_BUILD=1 uses the builds as
# they are.
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${ZW_IN_NETNS:-}" ] && [ "$(id -u)" = 0 ] && unshare -n true 2>/dev/null; then
  ZW_IN_NETNS=1 exec unshare -n sh -c 'ip link set lo up && exec "$0" "$@"' "$0" "$@"
fi
cd "$ROOT" || exit 1
if [ "${ZENTAB_SKIP_BUILD:-0}" != 1 ]; then
  cmake --preset mingw >/dev/null && cmake --build --preset mingw || exit 1
  cmake --preset wintest >/dev/null && cmake --build --preset wintest --target zentab_double \
    zentab_probe || exit 1
fi

ZW_BUILD=$ROOT/build
. scripts/wine-env.sh
trap zw_stop EXIT
zw_find_programs && zw_stage "$ROOT/build/browsers" || exit 1
cp build/wintest/tests/win/zentab_probe.exe "$APP/" || exit 1
# What the browsers start as zentab_host: the host under Wine, in this prefix and locale.
HOST=$ROOT/build/browsers/zentab_host.sh
cat >"$HOST" <<SCRIPT
#!/bin/sh
exec env WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all WINEDLLOVERRIDES='$WINEDLLOVERRIDES' \\
  LOCPATH='$LOCPATH' LANG=$ZW_LANG LC_ALL=$ZW_LANG '$ZW_WINE' 'C:\\Zentab\\zentab_host.exe' "\$@"
SCRIPT
chmod +x "$HOST"
mkdir -p build/screenshots
ZENTAB_WINE=$ZW_WINE ZENTAB_LANG=$ZW_LANG ZENTAB_APP=$APP ZENTAB_HOST=$HOST \
  ZENTAB_SHOTS=$ROOT/build/screenshots node --test --test-reporter=tap --test-concurrency=1 \
  tests/browsers/
