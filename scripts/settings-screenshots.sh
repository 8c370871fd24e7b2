#!/usr/bin/env bash
# Takes the user's guide's pictures of the settings dialog: Numvora.exe under Wine on a
# private Xvfb display, the dialog opened over the window in the light and the dark theme,
# each on a fresh data folder. Writes docs/numvora-settings-light.png and
# docs/numvora-settings-dark.png. Look at them before committing them.
# NUMVORA_BUILD_DIR selects another build folder of the windows preset (default build/windows).
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
source scripts/screenshot-session.sh

for theme in light dark; do
  launch "settings-$theme"
  geometry=$(wine "$tool" settings "$class" "$theme" | tr -d '\r')
  sleep 1  # the last paint reaches the X server
  capture "$geometry" "docs/numvora-settings-$theme.png"
  finish "docs/numvora-settings-$theme.png" "$geometry"
done
