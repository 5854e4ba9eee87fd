#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build googletest zlib1g-dev clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 xvfb xauth x11-utils xdotool imagemagick wixl msitools
  zip unzip faketime locales
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The C library's locales that the tests' regional formats need: without them Wine falls
# back to US English without a word.
for locale in en_GB ru_RU; do
  if ! locale -a 2>/dev/null | grep -qx "$locale.utf8"; then
    echo "Generating the locale $locale.UTF-8"
    localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
  fi
done
