#!/usr/bin/env bash
# Takes the README's pictures: Numvora.exe under Wine on a private Xvfb display, in the
# light and the dark theme and under high contrast, with a few calculations (grouped), a
# memo and a selected operand, each on a fresh data folder, and the memo's own menu
# opened with a right click. Writes docs/numvora-light.png, docs/numvora-dark.png,
# docs/numvora-contrast.png, docs/numvora-menu.png and docs/numvora-find-bar.png (the
# find bar with a Hangul word found). Look at them before committing them.
# Wine cannot switch high contrast on: that picture is the same window opened by a small
# host that answers the system's question with "on" and sets the High Contrast Black
# colours for its run.
# NUMVORA_BUILD_DIR selects another build folder of the windows preset (default build/windows).
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
source scripts/wine-session.sh
build_windows Numvora numvora-window numvora-contrast-window
exe=$(realpath "$build/src/platform/windows/Numvora.exe")
tool=$build/bench/startup/numvora-window.exe
class=Numvora.MainWindow

use_wine_prefix "$build/wineprefix"
work=$(mktemp -d)
trap 'stop_headless_wine; rm -rf "$work"' EXIT
start_headless_wine
mkdir -p docs

windows_path() { echo "Z:${1//\//\\}"; }
contrast=$(realpath "$build/bench/startup/numvora-contrast-window.exe")
for theme in light dark contrast; do
  mkdir -p "$work/$theme"
  program=$exe
  [ "$theme" = contrast ] && program=$contrast
  # LOCALAPPDATA of the Linux side does not reach the program: set it inside Wine.
  wine cmd /c "set LOCALAPPDATA=$(windows_path "$work/$theme")&& $(windows_path "$program")" </dev/null >/dev/null 2>&1 &
  app=$!
  wine "$tool" wait "$class" 30
  geometry=$(wine "$tool" stage "$class" "$theme" | tr -d '\r')
  sleep 1  # the last paint reaches the X server
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "$geometry" +repage "docs/numvora-$theme.png"
  wine "$tool" close "$class"
  wait "$app" || true
  echo "docs/numvora-$theme.png ($geometry)"
done

# The memo's menu, opened with a right click in the middle of the memo.
mkdir -p "$work/menu"
wine cmd /c "set LOCALAPPDATA=$(windows_path "$work/menu")&& $(windows_path "$exe")" </dev/null >/dev/null 2>&1 &
app=$!
wine "$tool" wait "$class" 30
geometry=$(wine "$tool" stage "$class" light | tr -d '\r')
IFS='x+' read -r width height left top <<<"$geometry"
xdotool mousemove $((left + width * 2 / 3)) $((top + height / 3)) click 3
sleep 1
import -window root "$work/screen.png"
convert "$work/screen.png" -crop "$geometry" +repage docs/numvora-menu.png
xdotool key Escape
wine "$tool" close "$class"
wait "$app" || true
echo "docs/numvora-menu.png ($geometry)"

# The find bar in the light theme: Ctrl+F and Enter as real keys; the Hangul word and
# the memo go in through messages, since xdotool's Hangul loses syllables under Wine.
# The found selection is printed: "점심" must be found with the machine's own locale.
mkdir -p "$work/find"
wine cmd /c "set LOCALAPPDATA=$(windows_path "$work/find")&& $(windows_path "$exe")" </dev/null >/dev/null 2>&1 &
app=$!
wine "$tool" wait "$class" 30
geometry=$(wine "$tool" stage "$class" light | tr -d '\r')
wine "$tool" memo "$class" $'\r\n12월 7일 점심 12,000원\r\n커피 2잔 9,000원'
xdotool search --name 'Quorvex' windowfocus --sync
xdotool key ctrl+f
sleep 0.5
wine "$tool" find "$class" 점심
xdotool key Return
sleep 1
wine "$tool" found "$class"
import -window root "$work/screen.png"
convert "$work/screen.png" -crop "$geometry" +repage docs/numvora-find-bar.png
wine "$tool" close "$class"
wait "$app" || true
echo "docs/numvora-find-bar.png ($geometry)"
