#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for SECONDS (default 8) from its committed seed corpus. New inputs go
# to build/fuzz/corpus, never into the committed seeds. Any crash, leak, sanitizer
# report or broken property fails the run and leaves the input under build/fuzz/findings.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
seconds=${1:-8}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

mkdir -p build/fuzz/findings
for seeds in tests/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  work=build/fuzz/corpus/$target
  mkdir -p "$work"
  echo "fuzzing $target for ${seconds}s"
  if ! "build/fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$target-" \
      "$work" "$seeds" >"build/fuzz/$target.log" 2>&1; then
    tail -30 "build/fuzz/$target.log"
    echo "fuzz target $target failed; the input is in build/fuzz/findings" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units' "build/fuzz/$target.log" | sed "s/^/  $target /"
done
