#!/usr/bin/env bash
# Creates and configures a Wine prefix once: no Mono/Gecko prompts, no 2 s stall on
# window destruction without a window manager, and Hangul-capable fonts for "Segoe UI"
# and for Wine's own captions (Tahoma).
# Usage: wine-prefix.sh PREFIX_DIR
set -euo pipefail
prefix=$(realpath -m "$1")
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
marker="$prefix/.numvora-configured"
[ -f "$marker" ] && exit 0

mkdir -p "$prefix"
exec 9>"$prefix.lock"
flock 9
[ -f "$marker" ] && exit 0

wineboot -i >/dev/null 2>&1 || true
wineserver -w
reg() { wine reg add "$@" /f >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'Segoe UI' /t REG_SZ /d NanumGothic
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma /t REG_MULTI_SZ \
  /d 'NanumGothic.ttf,NanumGothic\0tahoma.ttf,Tahoma'
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v 'MS Shell Dlg' /t REG_MULTI_SZ \
  /d 'NanumGothic.ttf,NanumGothic'
wineserver -w
touch "$marker"
