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

# A private Xvfb display for windows that must exist but not be seen. Xvfb picks a free
# display itself and writes its number once it accepts connections: a number chosen
# here could be taken by another run starting at the same moment, and the socket found
# would then be the other run's.
start_xvfb() {
  local number_file deadline=$((SECONDS + 30))
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  until grep -qx '[0-9]\+' "$number_file"; do
    if ! kill -0 "$XVFB_PID" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
      kill "$XVFB_PID" 2>/dev/null || true
      rm -f "$number_file"
      echo "Could not start Xvfb" >&2
      return 1
    fi
    sleep 0.05
  done
  export DISPLAY=":$(cat "$number_file")"
  rm -f "$number_file"
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
  wineserver -p || { echo "Could not start the Wine server" >&2; return 1; }
  wine cmd /c exit </dev/null >/dev/null 2>&1
}
# Stops the server, its services and Xvfb; safe to call more than once.
stop_headless_wine() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  stop_xvfb
}
