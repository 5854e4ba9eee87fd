#!/usr/bin/env bash
# Builds the release: the portable zip (Datrelle.exe, Docs\ReadMe.txt and
# Docs\LICENSE.txt in a folder named after the version, which comes from
# CMakeLists.txt's project(VERSION)) and the per-user installer of the same files, both
# made by the build (packaging/CMakeLists.txt). Then checks that the program in the zip
# runs under Wine.
#   scripts/package.sh [BUILD_DIR]   (default: the "windows" preset's build/windows)
# Writes BUILD_DIR/Datrelle-VERSION-win64.zip and BUILD_DIR/Datrelle-VERSION-win64.msi.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

scripts/install-deps.sh

version=$(sed -n 's/^project(Datrelle VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no project(Datrelle VERSION ...) in CMakeLists.txt" >&2; exit 1; }

if [ $# -ge 1 ]; then
  build=$(realpath -m "$1")
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DDATRELLE_TESTS=OFF >/dev/null
  cmake --build "$build" --target Datrelle installer portable_zip
else
  build=$repo/build/windows
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target Datrelle installer portable_zip
fi

# The version resource is made from the same project(VERSION); a stale build would show.
if ! x86_64-w64-mingw32-strings -el "$build/Datrelle.exe" | grep -qx "$version"; then
  echo "Datrelle.exe's version information does not say $version" >&2
  exit 1
fi

name=Datrelle-$version
msi=$build/$name-win64.msi
# The installer is made from the same version; a stale one would show.
msi_version=$(msiinfo export "$msi" Property | tr -d '\r' | sed -n 's/^ProductVersion\t//p')
if [ "$msi_version" != "$version" ]; then
  echo "$msi says ProductVersion $msi_version, not $version" >&2
  exit 1
fi

check=$(mktemp -d)
trap 'rm -rf "$check"' EXIT
zipfile=$build/$name-win64.zip

# The program from the zip: it must start, close when its windows are asked to, and
# write its settings file beside itself on the way out.
unzip -q "$zipfile" -d "$check"
# shellcheck disable=SC2016  # expanded by the inner shell
scripts/with-wine.sh bash -c '
  cd "$1"
  wine Datrelle.exe &
  program=$!
  # Start-up is done once the window exists; the settings file appears only at exit.
  for _ in $(seq 100); do
    wine tasklist 2>/dev/null | grep -qi "^Datrelle.exe" && break
    sleep 0.1
  done
  sleep 3
  # Without /f, taskkill asks the windows to close, as the user would.
  wine taskkill /im Datrelle.exe >/dev/null 2>&1 || true
  for _ in $(seq 100); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$program" 2>/dev/null; then
    echo "Datrelle.exe from the zip did not close" >&2
    exit 1
  fi
  grep -q "^\[Settings\]" Datrelle.ini || { echo "Datrelle.exe from the zip wrote no settings" >&2; exit 1; }
' check "$check/$name"

echo "$zipfile"
unzip -l "$zipfile"
echo "$msi"
