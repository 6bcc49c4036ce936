#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test: the native build, the native build
# under AddressSanitizer and UndefinedBehaviorSanitizer, the Windows x64 build under Wine and Xvfb,
# and the Windows x86 build (its imports and the install flow under 32-bit Wine); the x64 build
# also makes and tests the installer and the portable zips.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install_dependencies.sh || exit 1
export WINEDEBUG=-all
jobs=$(nproc)
summaries=""
failed=0

run_build() {  # name, ctest wrapper..., -- cmake arguments...
  local name=$1; shift
  local wrapper=()
  while [ "$1" != "--" ]; do wrapper+=("$1"); shift; done
  shift
  echo "=== $name build ==="
  if ! cmake -S . -B "build/$name" "$@" >/dev/null || ! cmake --build "build/$name" -j"$jobs"; then
    summaries+="$name: BUILD FAILED"$'\n'
    failed=1
    return
  fi
  local log="build/$name/ctest.log"
  # A test that fails is run once more before it counts as failed: on a busy machine a GUI
  # test's window may come up later than it waits for. A test that fails twice fails the run.
  "${wrapper[@]}" ctest --test-dir "build/$name" --output-on-failure --repeat until-pass:2 2>&1 |
    tee "$log"
  local status=${PIPESTATUS[0]}
  [ "$status" -eq 0 ] || failed=1
  summaries+="$name: $(grep -E 'tests passed|tests failed' "$log" | tail -1)"$'\n'
}

run_build native -- -DCMAKE_BUILD_TYPE=Debug -DMIRELLA_BENCHMARKS=ON
run_build sanitize -- -DCMAKE_BUILD_TYPE=Debug -DMIRELLA_SANITIZE=ON
# x86 before x64: the x64 build packs both programs into the installer and the zips.
run_build windows-x86 xvfb-run -a -s "-screen 0 1280x1024x24" -- \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-i686.cmake" -DCMAKE_BUILD_TYPE=Release
run_build windows xvfb-run -a -s "-screen 0 1280x1024x24" -- \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release

echo
echo "=== ctest summaries ==="
printf '%s' "$summaries"
exit "$failed"
