#!/usr/bin/env bash
# The release packages as a user gets them, in a fresh Wine prefix of their own:
#   - the installer of an older version, then this version over it (from a folder of
#     planted DLLs), then this version again, all silent (/S);
#   - the installed files, the Start-menu shortcut, the uninstall entry and ".qvx"
#     registered for the user;
#   - the installed program started, a memo written through it, and closed (exit 0);
#   - a silent install or uninstall while the program runs ends with code 2 and
#     changes nothing;
#   - the silent uninstall removes the program, its shortcut, its entry and the ".qvx"
#     registration, and keeps the memo;
#   - the zip unpacked, its program started and closed, its console calculator used;
#   - the zip made portable: its data beside it, %LOCALAPPDATA%\Numvora untouched.
# Usage: install_test.sh BUILD_DIR   (after: cmake --build BUILD_DIR --target package)
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/../.."
build=$(realpath "$1")
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
installer=$build/Numvora-$version-win64.exe
zip=$build/Numvora-$version-win64.zip
window_tool=$build/bench/startup/numvora-window.exe
window_class=Numvora.MainWindow
planted_dll=$build/tests/e2e/Msftedit.dll  # leaves a marker beside itself when loaded
for f in "$installer" "$zip" "$window_tool" "$planted_dll"; do
  [ -f "$f" ] || { echo "missing $f: build the package and all targets first" >&2; exit 1; }
done

work=$(mktemp -d)
source scripts/wine-session.sh
cleanup() {
  stop_headless_wine
  rm -rf "$work"
}
trap cleanup EXIT
use_wine_prefix "$work/prefix"
start_headless_wine

failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1" >&2; failures=$((failures + 1)); fi
}
unix_path() { winepath -u "$1" 2>/dev/null; }
windows_path() { winepath -w "$1" 2>/dev/null; }
# wine cmd prints CR LF
expand() { wine cmd /c echo "$1" 2>/dev/null | tr -d '\r'; }
run() { wine "$@" </dev/null >/dev/null 2>&1; }
# The window tool says what it could not do.
tool() { wine "$window_tool" "$@" </dev/null >/dev/null; }
exit_code() { local status=0; run "$@" || status=$?; echo "$status"; }
# wait_for SECONDS COMMAND...: until COMMAND succeeds, asked once more at the deadline;
# a busy machine outruns any fixed count of polls.
wait_for() {
  local deadline=$((SECONDS + $1))
  until "${@:2}"; do
    [ "$SECONDS" -lt "$deadline" ] || { "${@:2}"; return; }
    sleep 0.1
  done
}

local_app_data=$(unix_path "$(expand '%LOCALAPPDATA%')")
install_dir=$local_app_data/Programs/Numvora
shortcut=$(unix_path "$(expand '%APPDATA%')")/Microsoft/Windows/Start\ Menu/Programs/Numvora.lnk
memo=$local_app_data/Numvora/memo.txt
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Numvora'
entry() { wine reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z]* *//p"; }
classes='HKCU\Software\Classes'
# A key's default value, or nothing when the key is missing: exported as UTF-16, since
# reg query prints Hangul in the ANSI code page.
default_value() {
  rm -f "$work/value.reg"
  wine reg export "$1" "$(windows_path "$work")\\value.reg" /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$work/value.reg" | tr -d '\r' | sed -n 's/^@="\(.*\)"$/\1/p' | head -1 | sed 's/\\\(["\\]\)/\1/g'
}
installed_files=(Numvora.exe numvora-calc.exe readme.txt LICENSE.txt Uninstall.exe)
all_installed() { local f; for f in "${installed_files[@]}"; do [ -f "$install_dir/$f" ] || return 1; done; }
none_installed() { local f; for f in "${installed_files[@]}"; do [ ! -e "$install_dir/$f" ] || return 1; done; }

# start_program EXE: starts it in the background and waits for its window.
start_program() {
  wine "$1" </dev/null >/dev/null 2>"$work/stderr.txt" &
  app_pid=$!
  tool wait "$window_class" 30
}
program_ended() { ! kill -0 "$app_pid" 2>/dev/null; }
# closes_with EXPECTED: WM_CLOSE, then the program must end with that exit code.
closes_with() {
  run "$window_tool" close "$window_class" || true
  local status=0
  if ! wait_for 30 program_ended; then
    kill "$app_pid"
    echo "the program did not end within 30 s" >&2
    return 1
  fi
  wait "$app_pid" || status=$?
  [ "$status" = "$1" ] || { echo "exit code $status; standard error: $(cat "$work/stderr.txt")" >&2; return 1; }
}

# An older version first: the same programs packaged as 0.0.1, with one more file that
# this version no longer ships.
mkdir "$work/old-only" && echo "0.0.1" >"$work/old-only/old-only.txt"
(cd "$build" && cpack -G NSIS -R 0.0.1 -D CPACK_PACKAGE_FILE_NAME=Numvora-0.0.1-win64 \
  -D "CPACK_INSTALLED_DIRECTORIES=$work/old-only;." -B "$work/old" >/dev/null)
check "the older installer ends with code 0" [ "$(exit_code "$work/old/Numvora-0.0.1-win64.exe" /S)" = 0 ]
check "the uninstall entry names the older version" [ "$(entry DisplayVersion)" = 0.0.1 ]
check "the older version's own file is installed" [ -f "$install_dir/old-only.txt" ]
# This version runs from a downloads folder holding DLLs under the names installers are
# attacked through; none of them may load. Wine prefers its own uxtheme, version, setupapi
# and a few others whatever the folder holds, but a plain LoadLibraryW loads the planted
# userenv, dwmapi, cryptbase, propsys, apphelp, clbcatq, profapi and ntmarta.
downloads=$work/downloads
mkdir "$downloads"
cp "$installer" "$downloads/"
planted=(uxtheme userenv version dwmapi cryptbase cryptsp setupapi oleacc propsys apphelp clbcatq profapi ntmarta)
for name in "${planted[@]}"; do cp "$planted_dll" "$downloads/$name.dll"; done
check "this version installs over it" [ "$(exit_code "$downloads/$(basename "$installer")" /S)" = 0 ]
check "the installer loads no DLL planted beside it" [ -z "$(find "$downloads" -name '*.loaded')" ]
check "the file it no longer ships is gone" [ ! -e "$install_dir/old-only.txt" ]
check "and again over itself" [ "$(exit_code "$installer" /S)" = 0 ]

check "the programs, read-me, licence and uninstaller are in %LOCALAPPDATA%\\Programs\\Numvora" all_installed
check "the installed program is the built one" cmp -s "$install_dir/Numvora.exe" "$build/_CPack_Packages/win64/NSIS/Numvora-$version-win64/Numvora.exe"
check "the Start-menu shortcut exists" [ -f "$shortcut" ]
check "the shortcut starts the installed program" grep -aq 'Programs\\Numvora\\Numvora.exe' "$shortcut"
check "the uninstall entry names this version" [ "$(entry DisplayVersion)" = "$version" ]
check "the uninstall entry names the program" [ "$(entry DisplayName)" = Numvora ]
check "the uninstall entry points at the uninstaller" \
  [ "$(entry UninstallString)" = "\"$(windows_path "$install_dir")\\Uninstall.exe\"" ]
check ".qvx documents are registered for the user" [ "$(default_value "$classes\\.qvx")" = Numvora.Document ]
check "as a Quorvex 문서" [ "$(default_value "$classes\\Numvora.Document")" = "Quorvex 문서" ]
check "with the program's icon" \
  [ "$(default_value "$classes\\Numvora.Document\\DefaultIcon")" = "$(windows_path "$install_dir")\\Numvora.exe,0" ]
check "that the installed program opens" [ "$(default_value "$classes\\Numvora.Document\\shell\\open\\command")" = \
  "\"$(windows_path "$install_dir")\\Numvora.exe\" \"%1\"" ]

text='설치 확인 메모 1,234+5'
check "the installed program opens its window" start_program "$(windows_path "$install_dir/Numvora.exe")"
check "a memo is typed into it" tool memo "$window_class" "$text"
check "a silent install while it runs ends with code 2" [ "$(exit_code "$installer" /S)" = 2 ]
check "and leaves the installation as it was" all_installed
# _?= runs the uninstaller in place, so that its exit code is the one we see.
check "a silent uninstall while it runs ends with code 2" \
  [ "$(exit_code "$install_dir/Uninstall.exe" /S "_?=$(windows_path "$install_dir")")" = 2 ]
check "and removes nothing" all_installed
check "the installed program ends with code 0 on close" closes_with 0
check "its memo is saved in %LOCALAPPDATA%\\Numvora" [ "$(cat "$memo" 2>/dev/null)" = "$text" ]

# The uninstaller copies itself to the temporary folder and returns at once; the copy
# does the work.
check "the silent uninstall starts" [ "$(exit_code "$(windows_path "$install_dir/Uninstall.exe")" /S)" = 0 ]
# The folder goes last, so the checks after this one find the rest done.
check "the uninstaller removes the programs and their folder" wait_for 30 test ! -e "$install_dir"
check "and the Start-menu shortcut" [ ! -e "$shortcut" ]
check "and the uninstall entry" [ "$(exit_code reg query "$uninstall_key")" != 0 ]
check "and the .qvx registration" \
  [ "$(exit_code reg query "$classes\\.qvx")" != 0 -a "$(exit_code reg query "$classes\\Numvora.Document")" != 0 ]
check "and keeps the memo" [ "$(cat "$memo" 2>/dev/null)" = "$text" ]

mkdir "$work/zip"
cmake -E chdir "$work/zip" cmake -E tar xf "$zip"
unpacked=$work/zip/Numvora-$version-win64
check "the zip holds the programs, read-me and licence" \
  test -f "$unpacked/Numvora.exe" -a -f "$unpacked/numvora-calc.exe" -a -f "$unpacked/readme.txt" -a -f "$unpacked/LICENSE.txt"
check "the program from the zip opens its window" start_program "$(windows_path "$unpacked/Numvora.exe")"
check "and ends with code 0 on close" closes_with 0
check "the zip's console calculator calculates" \
  [ "$(printf '1,234*2\n' | wine "$unpacked/numvora-calc.exe" --group 2>/dev/null | tr -d '\r')" = 2,468 ]

# A portable copy: portable.txt beside the program keeps its data in "data" beside it.
check "the zip carries no portable.txt" test ! -e "$unpacked/portable.txt"
user_data() { ls -lR --time-style=full-iso "$local_app_data/Numvora" 2>/dev/null || true; }
user_data_before=$(user_data)
: >"$unpacked/portable.txt"
check "made portable, the program opens its window" start_program "$(windows_path "$unpacked/Numvora.exe")"
check "and ends with code 0 on close" closes_with 0
check "and keeps its settings beside it" test -f "$unpacked/data/settings.txt"
check "and leaves %LOCALAPPDATA%\\Numvora alone" [ "$(user_data)" = "$user_data_before" ]

if [ "$failures" -ne 0 ]; then
  echo "$failures package checks failed" >&2
  exit 1
fi
echo "all package checks passed"
