#!/usr/bin/env bash
# Builds Zentab and runs every test: the logic's unit tests natively, then the real zentab.exe
# under Wine. Installs what it needs first.
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

echo "== zentab.exe for 32-bit Windows (compile check)"
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686

echo "== zentab.exe under Wine"
cmake --preset mingw >/dev/null
cmake --build --preset mingw
tests/wine/run_wine_tests.sh
