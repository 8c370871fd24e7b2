#!/usr/bin/env bash
# Takes the pictures of the margin of line results (the README's first picture and the
# user's guide's): Numvora.exe under Wine on a private Xvfb display, notes with names and
# a total with the margin on, in the light and the dark theme, each on a fresh data
# folder. Writes docs/numvora-margin-light.png and docs/numvora-margin-dark.png. Look at
# them before committing them.
# NUMVORA_BUILD_DIR selects another build folder of the windows preset (default build/windows).
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
source scripts/screenshot-session.sh

for theme in light dark; do
  launch "$theme"
  geometry=$(wine "$tool" margin "$class" "$theme" | tr -d '\r')
  sleep 1  # the last paint reaches the X server
  capture "$geometry" "docs/numvora-margin-$theme.png"
  finish "docs/numvora-margin-$theme.png" "$geometry"
done
