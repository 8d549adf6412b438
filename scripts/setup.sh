#!/usr/bin/env bash
# Installs what building and testing Zentab needs on Debian. Quick when all is there.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev rapidjson-dev                     # the logic and its unit tests
  libbenchmark-dev                                              # its performance guard
  clang libclang-rt-14-dev                                      # its fuzz targets (libFuzzer)
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools       # zentab.exe
  wine wine64 xvfb xauth fonts-ipafont-gothic imagemagick xdotool locales  # running it here
  chromium firefox-esr zip                                      # the extension in real browsers
)
# The extension's tools; Debian's own only where no Node is installed (they need Node 20 or later).
command -v node >/dev/null || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
