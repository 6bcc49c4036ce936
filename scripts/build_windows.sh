#!/usr/bin/env bash
# Cross-builds Mirella for Windows, both builds, the x86 one first:
#   x86: build/windows-x86 (program folder build/windows-x86/program);
#   x64: build/windows (program folder build/windows/program), with the Windows tests, and the
#        packages made of both programs in build/windows/packages: Mirella-<version>-setup.exe,
#        Mirella-<version>-x64-portable.zip and Mirella-<version>-x86-portable.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/windows-x86 -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows-x86 -j"$(nproc)"
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j"$(nproc)"
