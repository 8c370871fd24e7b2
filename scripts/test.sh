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

prefix=build/windows/wineprefix
scripts/wine-prefix.sh "$prefix"
export WINEPREFIX=$(realpath "$prefix") WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

source scripts/xvfb.sh
start_xvfb
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  stop_xvfb
}
trap cleanup EXIT
# A persistent server makes each Wine start take a fraction of the time.
wineserver -p
# Start Wine's background services now, detached from CTest's output pipes: started
# by the first test they would inherit its pipes and CTest would wait for them.
wine cmd /c exit </dev/null >/dev/null 2>&1
ctest --preset windows
