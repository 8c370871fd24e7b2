# Sourced helper for running Windows programs under Wine from the scripts.

# build_windows TARGET...: installs what is missing, then configures and builds the
# targets in the windows preset's folder (NUMVORA_BUILD_DIR, default build/windows),
# which it leaves in $build.
build_windows() {
  build=${NUMVORA_BUILD_DIR:-build/windows}
  scripts/install-deps.sh
  cmake --preset windows -B "$build" >/dev/null
  cmake --build "$build" --target "$@"
}

# use_wine_prefix DIR: configures the prefix once and selects it for this shell.
use_wine_prefix() {
  scripts/wine-prefix.sh "$1"
  export WINEPREFIX=$(realpath "$1") WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
}

# A private Xvfb display for windows that must exist but not be seen.
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
  done
  echo "Could not start Xvfb" >&2
  return 1
}
stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null || true
}

# start_headless_wine: Xvfb plus a persistent Wine server for the selected prefix, so
# that each program starts in a fraction of the time. Wine's background services are
# started here, detached from the caller's output pipes: started by the first program
# they would inherit its pipes, and a caller such as CTest would wait for them.
start_headless_wine() {
  start_xvfb
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
}
# Stops the server, its services and Xvfb; safe to call more than once.
stop_headless_wine() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  stop_xvfb
}
