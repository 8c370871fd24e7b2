#!/usr/bin/env bash
# Builds every configuration and runs every check, warnings as errors throughout:
#   - the native tests, then the same under AddressSanitizer and UndefinedBehaviorSanitizer,
#     and the storage tests (the history's worker beside the caller's thread) under
#     ThreadSanitizer;
#   - a short run of each libFuzzer target;
#   - clang-format and clang-tidy on the tree, beside
#   - the cross-built tests under Wine on a private Xvfb display, among them a stress run
#     of 10,000 random actions and 20 kills of Numvora.exe during auto-saves;
#   - the release packages: the installer and the zip installed, run and removed in a
#     fresh Wine prefix.
# NUMVORA_LONG=1 runs the long versions: five minutes per fuzz target, 100,000 actions
# and 100 kills.
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
scripts/install-deps.sh

# Each step says when it starts, so a slow run shows where its time went.
started=$SECONDS
step() { echo "== $1 at $((SECONDS - started)) s"; }

fuzz_seconds=8
long=OFF
if [ "${NUMVORA_LONG:-0}" = 1 ]; then
  fuzz_seconds=300
  long=ON
  export NUMVORA_STRESS_ACTIONS=100000 NUMVORA_KILL_RUNS=100
fi

for preset in native native-sanitize native-thread; do
  step "$preset"
  cmake --preset "$preset" -DNUMVORA_WERROR=ON >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
step fuzz
scripts/fuzz.sh "$fuzz_seconds"

# Said every time, so that a long run leaves no long timeouts behind.
step windows
cmake --preset windows -DNUMVORA_WERROR=ON -DNUMVORA_LONG=$long >/dev/null
cmake --build --preset windows
# The static checks keep both cores busy while the tests under Wine mostly wait on
# windows, which are written to pass beside such load: the two run side by side.
step "static checks and the tests under Wine"
scripts/static-checks.sh >build/static-checks.log 2>&1 &
static_checks=$!

source scripts/wine-session.sh
use_wine_prefix build/windows/wineprefix
trap 'kill "$static_checks" 2>/dev/null || true; stop_headless_wine' EXIT
start_headless_wine
ctest --preset windows
if ! wait "$static_checks"; then
  cat build/static-checks.log
  exit 1
fi
tail -1 build/static-checks.log

step packages
cmake --build --preset windows --target package
tests/package/install_test.sh build/windows
step done
