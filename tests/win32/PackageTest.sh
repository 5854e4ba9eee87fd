#!/usr/bin/env bash
# The release's files as the zip and the installer place them: nothing that "*.txt"
# finds directly in the program's folder (the one that holds Datrelle.exe), since the
# program loads the first such file as the user's notes, and the read-me and the licence
# in its Docs folder. Windows may match "*.txt" against a file's 8.3 name too, so
# ReadMe.txt2 counts as well.
#   PackageTest.sh ZIP MSI
set -uo pipefail
status=0
for package in "$@"; do
  if [[ $package == *.zip ]]; then paths=$(unzip -Z1 "$package"); else paths=$(msiextract -l "$package"); fi
  exe=$(grep -m1 -x '\(.*/\)\?Datrelle\.exe' <<<"$paths")
  inside=$(awk -v f="${exe%Datrelle.exe}" 'index($0, f) == 1 { print substr($0, length(f) + 1) }' <<<"$paths")
  grep -i '^[^/]*\.txt[^./]*$' <<<"$inside" | sed "s|^|$package: beside the program: |" >&2 && status=1
  for doc in Docs/ReadMe.txt Docs/LICENSE.txt; do
    grep -qx "$doc" <<<"$inside" || { echo "$package: no $doc in the program's folder" >&2; status=1; }
  done
done
exit $status
