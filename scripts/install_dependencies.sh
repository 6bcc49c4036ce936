#!/usr/bin/env bash
# Installs what building, running and testing Mirella need on Debian. Safe to run again.
set -euo pipefail

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

packages=(
  cmake make g++ python3 libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth xdotool x11-utils imagemagick
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
  sudo_if_needed apt-get update
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

# Wine gives programs the ANSI code page of the locale: ru_RU.CP1251 is Russian Windows' 1251.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.cp1251$'; then
  sudo_if_needed localedef -i ru_RU -f CP1251 ru_RU.CP1251 || true
fi
