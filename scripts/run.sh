#!/usr/bin/env bash
# Builds Numvora for Windows and starts it under Wine.
# The Wine prefix, and with it the program's data folder (memo and settings), lives
# outside the build folder, so both survive a rebuild or a deleted build folder:
#   ${XDG_DATA_HOME:-$HOME/.local/share}/numvora/wineprefix
# With a reachable display the program runs in the foreground until it is closed, and
# its exit code becomes this script's. Without one (a headless machine) it runs on a
# private Xvfb display: once the window is up a screenshot is saved to
# build/screenshots/numvora.png, the window is closed with WM_CLOSE and the program's
# exit code is reported and passed on.
# NUMVORA_BUILD_DIR selects another build folder of the windows preset (default build/windows).
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
source scripts/wine-session.sh
build_windows Numvora numvora-window
exe=$build/src/platform/windows/Numvora.exe
window_tool=$build/bench/startup/numvora-window.exe
window_class=Numvora.MainWindow

prefix=${XDG_DATA_HOME:-$HOME/.local/share}/numvora/wineprefix
use_wine_prefix "$prefix"
echo "Wine prefix (memo and settings live here): $WINEPREFIX"

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  exec wine "$exe"
fi

[ -n "${DISPLAY:-}" ] && echo "Display $DISPLAY is not reachable: running headless." >&2
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  stop_headless_wine
}
trap cleanup EXIT
start_headless_wine

screenshot=build/screenshots/numvora.png
mkdir -p "$(dirname "$screenshot")"
rm -f "$screenshot"

wine "$exe" </dev/null &
app_pid=$!
# Poll in short steps so that a program that ends early is noticed at once.
appeared=false
for _ in $(seq 30); do
  kill -0 "$app_pid" 2>/dev/null || break
  if wine "$window_tool" wait "$window_class" 2 2>/dev/null; then appeared=true; break; fi
done
sleep 1  # lets the first paint reach the X server
import -window root "$screenshot"
echo "Screenshot: $(realpath "$screenshot")"

if [ "$appeared" = true ]; then
  wine "$window_tool" close "$window_class"
else
  echo "The main window did not appear (the screenshot shows what did)." >&2
fi
for _ in $(seq 300); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
  echo "Numvora.exe did not exit within 30 s; stopping it." >&2
  exit 1
fi
status=0
wait "$app_pid" || status=$?
app_pid=
echo "Numvora.exe exited with code $status"
exit "$status"
