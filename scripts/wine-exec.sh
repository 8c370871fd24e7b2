#!/usr/bin/env bash
# CTest's emulator for the cross build: runs a Windows executable under Wine in the
# build folder's own prefix (created on first use).
# Usage: wine-exec.sh PREFIX_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
prefix=$1
shift
"$here/wine-prefix.sh" "$prefix"
export WINEPREFIX=$(realpath -m "$prefix") WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
exec wine "$@"
