#!/usr/bin/env bash
# The release archive, build/mingw/zentab-2.0-win64.zip: zentab.exe, zentab_host.exe, readme.txt,
# the extension/ folder and zentab-firefox.xpi. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/extension.sh build
cmake --preset mingw >/dev/null
cmake --build --preset mingw
cpack --preset mingw
