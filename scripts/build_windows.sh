#!/usr/bin/env bash
# Cross-builds desktop.exe and the Windows tests into build/windows (program folder: build/windows/program).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j"$(nproc)"
