#!/usr/bin/env bash
# Measures Numvora's start-up against two floor programs (an empty Win32 window, and a
# window with the same controls and no logic) under Wine on a private Xvfb display, on two
# clocks: until the window is visible with the process idle for input, and until the
# shown window answers WM_NULL; and peak working set.
# Usage: scripts/measure-startup.sh [RUNS]        (default 20)
#   SERIES=5 repeats the whole in that many series; NUMVORA_MEASURE_DATA=FOLDER copies the
#   folder's files (settings.txt, preferences.txt) into each run's data folder.
#        scripts/measure-startup.sh memo [RUNS [MEMO...]]   (default 5): the same with
#   saved memos (empty, lines-2000, 10mib, long-line: all four unless named), each
#   against the controls floor that puts the same memo into its rich edit at its final
#   size.
# NUMVORA_BUILD_DIR selects another build folder of the windows preset (default build/windows).
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
mode=startup
if [ "${1:-}" = memo ]; then
  mode=memo
  shift
fi
runs=${1:-20}
[ "$mode" = memo ] && runs=${1:-5}
shift || true
chosen=("$@")
source scripts/wine-session.sh
build_windows Numvora numvora-floor numvora-controls-floor numvora-startup-measure

use_wine_prefix "$build/wineprefix"
trap stop_headless_wine EXIT
# A persistent server, as in the test run: Wine's own start-up stays out of the figures
# as far as it can, and both programs pay the same rest of it.
start_headless_wine

measure="$build/bench/startup/numvora-startup-measure.exe"
[ -n "${NUMVORA_MEASURE_DATA:-}" ] && export NUMVORA_MEASURE_DATA=$(winepath -w "$NUMVORA_MEASURE_DATA")
if [ "$mode" = startup ]; then
  for series in $(seq "${SERIES:-1}"); do
    [ "${SERIES:-1}" -gt 1 ] && echo "== series $series"
    wine "$measure" "$runs" "$build/bench/startup/numvora-floor.exe" "$build/bench/startup/numvora-controls-floor.exe" \
      "$build/src/platform/windows/Numvora.exe"
  done
  exit 0
fi

memos=$(mktemp -d)
trap 'rm -rf "$memos"; stop_headless_wine' EXIT
: >"$memos/empty.txt"
# Notes of ordinary length: about 40 characters a line.
awk 'BEGIN { for (i = 1; i <= 2000; i++) printf "%d번째 줄: 식비 12,500원, 회비 30,000원 메모\r\n", i }' >"$memos/lines-2000.txt"
line="회의 메모 합계 1,234.50원 (12+34)*5 회의 메모 합계 1,234.50원 (12+34)*5 회의 메모 합계 1,234.50원 (12+34)*5 회의 메모 합계 1,234.50원 (12+34)*5 회의 메모 합계 1,234.50원"
awk -v line="$line" -v n=$((10485760 / ($(printf '%s' "$line" | wc -c) + 2))) \
  'BEGIN { for (i = 0; i < n; i++) printf "%s\r\n", line }' >"$memos/10mib.txt"
# A pasted list of addresses on one line.
awk 'BEGIN { for (i = 0; i < 20000; i += 34) printf "https://example.com/a/b?id=%06d ", i }' | cut -c1-20000 \
  >"$memos/long-line.txt"
[ ${#chosen[@]} -eq 0 ] && chosen=(empty lines-2000 10mib long-line)
for memo in "${chosen[@]}"; do
  echo "== memo: $memo ($(stat -c %s "$memos/$memo.txt") bytes)"
  NUMVORA_MEASURE_MEMO=$(winepath -w "$memos/$memo.txt") \
    wine "$measure" "$runs" "$build/bench/startup/numvora-controls-floor.exe" "$build/src/platform/windows/Numvora.exe" ||
    echo "(this memo could not be measured)"
done
