#!/usr/bin/env bash
# The tree follows .clang-format, and clang-tidy's bugprone and performance checks
# (.clang-tidy) find nothing in src/: the platform-free files through the native build's
# compile commands, the Windows files through the cross build's, as clang sees them for
# the mingw-w64 target. Needs both build folders configured (scripts/test.sh does).
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."

sources=$(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')
clang-format --dry-run --Werror $sources

jobs=$(nproc)
native=$(git ls-files 'src/*.cpp' | grep -v -e '^src/platform/windows/' -e '^src/common/win32/' -e '_win32\.cpp$')
run-clang-tidy -quiet -j "$jobs" -p build/native $native >/tmp/numvora-tidy-native.txt 2>&1 || {
  grep -E 'warning:|error:' /tmp/numvora-tidy-native.txt | sort -u; exit 1; }

# libstdc++ of the cross compiler, which clang does not find on its own.
cxx=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")/include/c++
windows=$(git ls-files 'src/platform/windows/*.cpp' 'src/common/win32/*.cpp' 'src/*_win32.cpp')
run-clang-tidy -quiet -j "$jobs" -p build/windows -extra-arg=--target=x86_64-w64-mingw32 \
  -extra-arg=-isystem"$cxx" -extra-arg=-isystem"$cxx/x86_64-w64-mingw32" -extra-arg=-isystem"$cxx/backward" \
  $windows >/tmp/numvora-tidy-windows.txt 2>&1 || {
  grep -E 'warning:|error:' /tmp/numvora-tidy-windows.txt | sort -u; exit 1; }
echo "format and tidy: clean"
