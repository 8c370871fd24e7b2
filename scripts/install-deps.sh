#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the run need. Idempotent and
# quiet when everything is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  g++-mingw-w64-x86-64-posix
  wine wine64 xvfb fonts-nanum fonts-nanum-extra fonts-dejavu-core fonts-wine xdotool imagemagick
  googletest libgtest-dev libbenchmark-dev libmuparser-dev
  clang clang-tidy clang-format libclang-rt-14-dev
  nsis
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
