#!/usr/bin/env bash
# Cross-builds desktop.exe for Windows, both builds:
#   x64: build/windows (program folder build/windows/program), with the Windows tests;
#   x86: build/windows-x86 (program folder build/windows-x86/program).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j"$(nproc)"
cmake -S . -B build/windows-x86 -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows-x86 -j"$(nproc)"
