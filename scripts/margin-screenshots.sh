#!/usr/bin/env bash
# Takes the README's pictures of the margin of line results: Numvora.exe under Wine on
# a private Xvfb display, three lines of a note with the margin on, in the light and the
# dark theme, each on a fresh data folder. Writes docs/numvora-margin-light.png and
# docs/numvora-margin-dark.png. Look at them before committing them.
# NUMVORA_BUILD_DIR selects another build folder of the windows preset (default build/windows).
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
source scripts/wine-session.sh
build_windows Numvora numvora-window
exe=$(realpath "$build/src/platform/windows/Numvora.exe")
tool=$build/bench/startup/numvora-window.exe
class=Numvora.MainWindow

use_wine_prefix "$build/wineprefix"
work=$(mktemp -d)
trap 'stop_headless_wine; rm -rf "$work"' EXIT
start_headless_wine
mkdir -p docs

windows_path() { echo "Z:${1//\//\\}"; }
for theme in light dark; do
  mkdir -p "$work/$theme"
  wine cmd /c "set LOCALAPPDATA=$(windows_path "$work/$theme")&& $(windows_path "$exe")" </dev/null >/dev/null 2>&1 &
  app=$!
  wine "$tool" wait "$class" 30
  geometry=$(wine "$tool" margin "$class" "$theme" | tr -d '\r')
  sleep 1  # the last paint reaches the X server
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "$geometry" +repage "docs/numvora-margin-$theme.png"
  wine "$tool" close "$class"
  wait "$app" || true
  echo "docs/numvora-margin-$theme.png ($geometry)"
done
