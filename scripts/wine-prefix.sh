#!/usr/bin/env bash
# Creates and configures a Wine prefix once: no Mono/Gecko prompts, no 2 s stall on
# window destruction without a window manager, Hangul-capable fonts for "Segoe UI" and
# for Wine's own captions (Tahoma), and Marlett for the title bar's buttons. A prefix
# configured by an older version of this script gets the current settings on its next
# use.
# Usage: wine-prefix.sh PREFIX_DIR
set -euo pipefail
prefix=$(realpath -m "$1")
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
marker="$prefix/.numvora-configured"
version=6
[ "$(cat "$marker" 2>/dev/null)" = "$version" ] && exit 0

mkdir -p "$prefix"
exec 9>"$prefix.lock"
flock 9
[ "$(cat "$marker" 2>/dev/null)" = "$version" ] && exit 0

# A new prefix is made and left idle first.
fresh=false
if [ ! -f "$prefix/system.reg" ]; then
  fresh=true
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
reg() { wine reg add "$@" /f >/dev/null 2>&1; }
links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
# NanumBarunGothic stands in for Segoe UI with Malgun Gothic: its Hangul is about as
# wide, so the captions fit where they fit on Windows, and its arrow is drawn as one
# (NanumGothic's is a dot at 14 px).
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'Segoe UI' /t REG_SZ /d NanumBarunGothic
# The installer's Korean pages ask for Gulim ("굴림"), the dialog font of Korean Windows.
for face in 굴림 Gulim; do
  LC_ALL=C.UTF-8 reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "$face" /t REG_SZ /d NanumBarunGothic
done
# Tahoma also stands for "MS Shell Dlg" and the System font.
reg "$links" /v Tahoma /t REG_MULTI_SZ /d 'NanumBarunGothic.ttf,NanumBarunGothic\0tahoma.ttf,Tahoma'
# NanumBarunGothic has no U+2212 (minus) or U+232B (erase to the left); DejaVu supplies
# them. Wine looks the link up under the full name of the face it picked: bold
# "Segoe UI" picks "NanumBarunGothic Bold". (The two emoji of the top buttons stay
# blank: this Wine links no font for characters outside the Basic Multilingual Plane.)
reg "$links" /v NanumBarunGothic /t REG_MULTI_SZ /d 'DejaVuSans.ttf,DejaVu Sans'
reg "$links" /v 'NanumBarunGothic Bold' /t REG_MULTI_SZ /d 'DejaVuSans-Bold.ttf,DejaVu Sans Bold\0DejaVuSans.ttf,DejaVu Sans'
# This Wine does not read /usr/share/wine/fonts; without Marlett the title bar's buttons
# are drawn as the letters "0 1 r".
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/marlett.ttf "$fonts/"

# Wine ignores links of substituted names; this one was never used.
wine reg delete "$links" /v 'MS Shell Dlg' /f >/dev/null 2>&1 || true
# The server these commands started must end: its desktop process would otherwise
# serve later programs without their display. A persistent server of a running test
# session never ends, hence the time limit.
if [ "$fresh" = true ]; then wineserver -w; else timeout 20 wineserver -w || true; fi
echo "$version" >"$marker"
