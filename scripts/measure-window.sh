#!/usr/bin/env bash
# Measures the real window under Wine on a private Xvfb display.
#   scripts/measure-window.sh ticks [IDLE_TICKS [MEMO_CHARACTERS]]
#     the selection timer's tick: idle with a 10,000-character expression, and the
#     first tick after selecting a large memo text
#   scripts/measure-window.sh saves [MEMO_BYTES [RUNS]]
#     the auto-save tick with an unchanged and a changed memo, with and without a
#     snapshot of it kept in the history folder, and the combined save
#   scripts/measure-window.sh finds [MEMO_BYTES [RUNS [MATCHES [ways]]]]
#     the find bar's find next and replace all through a large memo against a plain
#     search, the matching rule alone, and replace all of MATCHES matches (1,000);
#     with ways, only each way of showing the match, in the window and a bare rich edit
#   scripts/measure-window.sh history CASE [SECONDS_AFTER]
#     the longest time the window does not answer while its history lists, writes and
#     prunes (CASE 0: empty folder, 1: 10,000 snapshots none pruned, 2: pruned), and
#     the versions dialog
#   scripts/measure-window.sh restores [MEBIBYTES]
#     the restore of a large version (50 MiB), from the press of the button until the
#     memo holds it, and the peak working set
#   scripts/measure-window.sh margins [MEMO_BYTES [STEPS [NAMES]]]
#     typing and scrolling with the margin of line results off and on, and the
#     margin's own recompute of a screen; NAMES names defined across the memo, each
#     taken by the line after it
#   scripts/measure-window.sh large [MEBIBYTES [MARGIN [PARTS]]]
#     a 가계부 memo of that size (1) in the window, each step with the longest time the
#     window did not answer, beside a bare rich edit of the memo's style holding the same
#     text: the start against an empty memo's, the memo whole against the bare control
#     taking the same pieces, its notes read until the margin shows them; the margin
#     switched on (MARGIN 0); F9 on a total line and the total of a day's block after a
#     few keys typed in the middle; its whole replaced and deleted, with the undo; then
#     the start with an empty memo and the same text pasted into it, with the undo.
#     MARGIN 1: the margin of line results on. PARTS start: the start alone, after
#     the start with an empty memo; recalculate: the start, then 결과 모두 다시 계산 in
#     a memo whose every day has a written result that no longer holds; paste: the
#     empty start and the paste alone
#   scripts/measure-window.sh fills [MEBIBYTES [TIMEOUT_S [WAYS...]]]
#     the memo's rich edit alone taking a 가계부 memo (scripts/make-large-memo.sh, 1 MiB)
#     each way it can, into the empty control and over its whole text, and the undo;
#     a way slower than TIMEOUT_S (180) is stopped
# NUMVORA_BUILD_DIR selects another build folder of the windows preset (default build/windows).
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
what=${1:?ticks, saves, finds, history, restores, margins, large or fills}
shift
case "$what" in
  ticks|saves|finds|restores|margins|fills) target=numvora-${what%s}-measure ;;
  history) target=numvora-history-measure ;;
  large) target=numvora-large-memo-measure ;;
  *) echo "ticks, saves, finds, history, restores, margins, large or fills" >&2; exit 2 ;;
esac
source scripts/wine-session.sh
build_windows "$target"

use_wine_prefix "$build/wineprefix"
trap stop_headless_wine EXIT
start_headless_wine
if [ "$what" = large ]; then
  memo=$(mktemp --suffix=.txt)
  empty=$(mktemp --suffix=.txt)
  trap 'rm -f "$memo" "$empty"; stop_headless_wine' EXIT
  parts=${3:-all}
  variant=
  [ "$parts" = recalculate ] && variant=stale
  scripts/make-large-memo.sh $((${1:-1} * 1048576)) "$memo" $variant
  exe=$build/bench/interaction/$target.exe
  # The start with an empty memo beside the start with this one.
  if [ "$parts" = start ]; then wine "$exe" "$(winepath -w "$empty")" "${2:-0}"; fi
  if [ "$parts" != paste ]; then wine "$exe" "$(winepath -w "$memo")" "${2:-0}" "$parts"; fi
  if [ "$parts" = all ] || [ "$parts" = paste ]; then wine "$exe" "$(winepath -w "$memo")" "${2:-0}" paste; fi
  exit 0
fi
if [ "$what" = fills ]; then
  memo=$(mktemp --suffix=.txt)
  trap 'rm -f "$memo"; stop_headless_wine' EXIT
  scripts/make-large-memo.sh $((${1:-1} * 1048576)) "$memo"
  shift || true
  wine "$build/bench/interaction/$target.exe" "$(winepath -w "$memo")" "$@"
  exit 0
fi
wine "$build/bench/interaction/$target.exe" "$@"
