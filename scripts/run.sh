#!/usr/bin/env bash
# Installs what is needed, builds Mirella for Windows and runs it under Wine: the x64 build, or
# with the argument x86 the x86 build in 32-bit Wine (its own prefix, ~/.wine-mirella-x86).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install_dependencies.sh
export WINEDEBUG=-all
wine=wine
build=windows
toolchain=mingw-w64-x86_64
if [ "${1:-}" = "x86" ]; then
  wine=scripts/wine32
  build=windows-x86
  toolchain=mingw-w64-i686
  export WINEPREFIX="$HOME/.wine-mirella-x86"
fi
# Only what running needs: desktop.exe and the pictures beside it, not the tests.
cmake -S . -B "build/$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "build/$build" -j"$(nproc)" --target desktop program_folder
program=build/$build/program/desktop.exe
# Russian Windows runs with code page 1251; so does Mirella here when the locale exists.
if locale -a 2>/dev/null | grep -qi '^ru_RU\.cp1251$'; then export LC_ALL=ru_RU.CP1251; fi
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: Mirella runs on a virtual one (Xvfb) for a minute, then is stopped." >&2
  status=0
  xvfb-run -a -s "-screen 0 1024x768x24" timeout 60 "$wine" "$program" || status=$?
  # 124: stopped by the timeout, as intended.
  [ "$status" -eq 0 ] || [ "$status" -eq 124 ]
  exit
fi
exec "$wine" "$program"
