#!/usr/bin/env bash
# Builds Zentab and runs every test: the logic's unit tests natively (plain, then with
# AddressSanitizer and UndefinedBehaviorSanitizer), its fuzz targets briefly, the browser
# extension's tests and the add-ons site's checks of it, a compile of the 32-bit programs, then the
# Win32 layer's tests and the real zentab.exe under Wine, and last real Chromium and Firefox with
# the extension, the host and the program. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
passed=0
# Runs a test command and counts what it passed: ctest's, GoogleTest's and node's closing lines.
counted() {
  local log
  log=$(mktemp)
  "$@" 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  passed=$((passed + $(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p
    s/^\[  PASSED  \] \([0-9]*\) tests\?\.$/\1/p
    s/^# pass \([0-9]*\)$/\1/p' "$log" | awk '{ n += $1 } END { print n + 0 }')))
  rm -f "$log"
  return "$status"
}

echo "== Unit tests (native)"
cmake --preset native >/dev/null
cmake --build --preset native
counted ctest --preset native

echo "== Unit tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
counted ctest --preset sanitize

echo "== Fuzz targets, each for a short while"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in messages_fuzz scan_fuzz; do
  # What the fuzzer finds worth keeping goes to a scratch folder; a target may have a dictionary.
  scratch=$(mktemp -d)
  log=build/fuzz/$target.log
  dict=tests/fuzz/${target%_fuzz}.dict
  if build/fuzz/tests/fuzz/$target "$scratch" -max_total_time=20 ${dict:+$([ -f "$dict" ] && echo "-dict=$dict")} \
    -timeout=10 -print_final_stats=1 -artifact_prefix="build/fuzz/$target-" >"$log" 2>&1; then
    echo "$target: $(grep -o 'number_of_executed_units: [0-9]*' "$log" | cut -d' ' -f2) runs, no failure"
  else
    tail -n 40 "$log"
    echo "$target failed; the input that broke it is in build/fuzz/"
    rm -rf "$scratch"
    exit 1
  fi
  rm -rf "$scratch"
done

echo "== The browser extension: its logic, and the add-ons site's checks"
counted node --test --test-reporter=tap tests/extension/
scripts/extension.sh lint

echo "== zentab.exe for 32-bit Windows (compile check)"
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686

echo "== zentab.exe, zentab_host.exe and the Win32 layer under Wine, then real Chromium and"
echo "   Firefox ESR with the extension, the host and zentab.exe"
counted env ZENTAB_BROWSERS=1 tests/win/run.sh

echo "$passed passed, 0 failed"
