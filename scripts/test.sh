#!/usr/bin/env bash
# Builds both configurations and runs every test: natively, then the cross-built
# tests under Wine on a private Xvfb display.
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
scripts/install-deps.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset windows >/dev/null
cmake --build --preset windows

source scripts/wine-session.sh
use_wine_prefix build/windows/wineprefix
trap stop_headless_wine EXIT
start_headless_wine
ctest --preset windows
