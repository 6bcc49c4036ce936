#!/usr/bin/env bash
# Installs what building, running and testing Mirella need on Debian. Safe to run again.
set -euo pipefail

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The x86 build runs in 32-bit Wine: Debian's i386 packages, through multiarch.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_if_needed dpkg --add-architecture i386
fi

# MinGW-w64 with the win32 thread model for both Windows builds (see cmake/mingw-w64-*.cmake).
# Xorg's dummy driver and xrandr give the multi-monitor GUI tests several monitors side by side
# (tests/gui/two_monitors.py). zlib, native and for MinGW, is the unit tests' reference decoder.
packages=(
  cmake make g++ python3 libgtest-dev libgmock-dev googletest libbenchmark-dev
  zlib1g-dev libz-mingw-w64-dev
  g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 wine wine64
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick nsis
  xserver-xorg-core xserver-xorg-video-dummy
  fonts-liberation fonts-dejavu-core locales chromium nodejs
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
# A Node.js that did not come from Debian (a newer one on PATH) serves as well.
if command -v node >/dev/null; then
  missing=("${missing[@]/nodejs}")
fi
read -r -a missing <<<"${missing[*]}"
if [ "${#missing[@]}" -gt 0 ]; then
  # A mirror caught mid-sync fails one index now and then; the lists that did arrive still serve.
  for attempt in 1 2 3; do
    sudo_if_needed apt-get update && break
    echo "apt-get update failed (attempt $attempt); trying again" >&2
    sleep 5
  done
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

# 32-bit Wine's libraries serve only the x86 install-flow test, which is reported as skipped where
# 32-bit Wine cannot run: a mirror whose i386 lists lag behind the amd64 ones does not stop the rest.
wine32_ready=1
if ! dpkg-query -W -f='${Status}' libwine:i386 2>/dev/null | grep -q "install ok installed"; then
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y libwine:i386 || {
    echo "libwine:i386 could not be installed: the x86 install-flow test will be skipped" >&2
    wine32_ready=0
  }
fi

# Wine gives programs the ANSI code page of the locale: ru_RU.CP1251 is Russian Windows' 1251.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.cp1251$'; then
  sudo_if_needed localedef -i ru_RU -f CP1251 ru_RU.CP1251 || true
fi

# The 32-bit Wine loader (package wine32:i386) goes into a folder of its own, not into the system:
# installed, it would become /usr/bin/wine for every program, 64-bit ones included, and on a kernel
# that runs no 32-bit programs 64-bit Wine would start no more. scripts/wine32 runs it; it finds
# the 32-bit libraries (libwine:i386) and Wine's data relative to itself.
wine32_root=/usr/local/lib/mirella-wine32
if [ "$wine32_ready" -eq 1 ] && [ ! -x "$wine32_root/usr/lib/wine/wine" ]; then
  download=$(mktemp -d)
  chmod 777 "$download"  # apt-get download writes as its own user
  if ! (cd "$download" && apt-get download wine32:i386); then
    echo "wine32:i386 could not be downloaded: the x86 install-flow test will be skipped" >&2
    rm -rf "$download"
    exit 0
  fi
  sudo_if_needed mkdir -p "$wine32_root/usr/lib/i386-linux-gnu" "$wine32_root/usr/share"
  sudo_if_needed dpkg-deb -x "$download"/wine32_*_i386.deb "$wine32_root"
  sudo_if_needed ln -sfn /usr/lib/i386-linux-gnu/wine "$wine32_root/usr/lib/i386-linux-gnu/wine"
  sudo_if_needed ln -sfn /usr/share/wine "$wine32_root/usr/share/wine"
  rm -rf "$download"
fi

