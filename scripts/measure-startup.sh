#!/usr/bin/env bash
# Measures Numvora's start-up against two floor programs (an empty Win32 window, and a
# window with the same 41 controls and no logic) under Wine on a private Xvfb display:
# time until the window is visible with an idle message loop, and peak working set.
# Usage: scripts/measure-startup.sh [RUNS]   (default 20)
# NUMVORA_BUILD_DIR selects another build folder of the windows preset (default build/windows).
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
runs=${1:-20}
source scripts/wine-session.sh
build_windows Numvora numvora-floor numvora-controls-floor numvora-startup-measure

use_wine_prefix "$build/wineprefix"
trap stop_headless_wine EXIT
# A persistent server, as in the test run: Wine's own start-up stays out of the figures
# as far as it can, and both programs pay the same rest of it.
start_headless_wine

wine "$build/bench/startup/numvora-startup-measure.exe" "$runs" \
  "$build/bench/startup/numvora-floor.exe" "$build/bench/startup/numvora-controls-floor.exe" \
  "$build/src/platform/windows/Numvora.exe"
