# What the picture scripts share, sourced from the repository's root with the extra
# targets as arguments: Numvora.exe and the window tool built, Wine on a private Xvfb
# display, a work folder that goes at exit, and the steps of one picture.
source scripts/wine-session.sh
build_windows Numvora numvora-window "$@"
exe=$(realpath "$build/src/platform/windows/Numvora.exe")
tool=$build/bench/startup/numvora-window.exe
class=Numvora.MainWindow

use_wine_prefix "$build/wineprefix"
work=$(mktemp -d)
trap 'stop_headless_wine; rm -rf "$work"' EXIT
start_headless_wine
mkdir -p docs

windows_path() { echo "Z:${1//\//\\}"; }

# launch NAME [PROGRAM]: the program (Numvora.exe unless given) on a fresh data folder
# of its own, once its window is up; app is its process.
launch() {
  mkdir -p "$work/$1"
  # LOCALAPPDATA of the Linux side does not reach the program: set it inside Wine.
  wine cmd /c "set LOCALAPPDATA=$(windows_path "$work/$1")&& $(windows_path "${2:-$exe}")" </dev/null >/dev/null 2>&1 &
  app=$!
  wine "$tool" wait "$class" 30
}

# capture GEOMETRY FILE: the screen's part that the window covers, into FILE.
capture() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "$1" +repage "$2"
}

# finish FILE GEOMETRY: the window closed, the program ended, the picture named.
finish() {
  wine "$tool" close "$class"
  wait "$app" || true
  echo "$1 ($2)"
}
