#!/usr/bin/env bash
# Measures the selection timer's tick in the real window under Wine on a private Xvfb
# display: an idle tick with a 10,000-character expression, and the first tick after
# selecting 1 MiB of memo text. Usage: scripts/measure-ticks.sh [IDLE_TICKS [MEMO_CHARACTERS]]
# NUMVORA_BUILD_DIR selects another build folder of the windows preset (default build/windows).
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
build=${NUMVORA_BUILD_DIR:-build/windows}
scripts/install-deps.sh

cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" --target numvora-tick-measure

source scripts/wine-session.sh
use_wine_prefix "$build/wineprefix"
trap stop_headless_wine EXIT
start_headless_wine
wine "$build/bench/interaction/numvora-tick-measure.exe" "$@"
