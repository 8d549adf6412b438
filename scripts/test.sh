#!/usr/bin/env bash
# Builds Zentab and runs every test: the logic's unit tests natively, its fuzz targets briefly,
# then the real zentab.exe under Wine. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

echo "== Unit tests (native)"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== Performance guard: one scan of 100 windows, optimized build"
cmake --preset bench >/dev/null
cmake --build --preset bench
build/bench/zentab_bench

echo "== Unit tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize

echo "== Fuzz targets, each for a short while over its corpus"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in profile_file_fuzz lines_fuzz scan_fuzz options_fuzz; do
  # New inputs go to a scratch folder; the committed corpus is only read.
  scratch=$(mktemp -d)
  log=build/fuzz/$target.log
  if build/fuzz/tests/fuzz/$target "$scratch" "tests/fuzz/corpus/$target" -max_total_time=20 \
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

echo "== zentab.exe for 32-bit Windows (compile check)"
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686

echo "== zentab.exe under Wine"
cmake --preset mingw >/dev/null
cmake --build --preset mingw
tests/wine/run_wine_tests.sh

echo "== zentab.exe under Wine under strain: failing shell calls, odd texts, a long run of scans"
echo "   (1,000 here; ZENTAB_SOAK_SCANS=10000 ZENTAB_SOAK_WARMUP=1000 for the full one), its start"
echo "   against a minimal tray program"
tests/wine/soak.sh
