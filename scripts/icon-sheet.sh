#!/usr/bin/env bash
# Makes docs/icons.png, the README's picture of the tray icons, from the committed icon files: every
# image of one day, one month and one week icon (the larger ones are PNG entries, which ImageMagick
# reads as well as the bitmaps), each enlarged without smoothing so that its pixels show, the sizes
# side by side in one row per icon and labelled.
#   scripts/icon-sheet.sh [ICON...]    default: day28 month05 week28 (a two-digit day and week, the
#                                      widest month)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

icons=("$@")
[ "${#icons[@]}" -gt 0 ] || icons=(day28 month05 week28)
scale=4
background='#606060'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rows=()
for icon in "${icons[@]}"; do
  file="resources/icons/$icon.ico"
  cells=()
  count=$(identify "$file" | wc -l)
  for ((i = 0; i < count; i++)); do
    size=$(identify -format '%w' "${file}[$i]")
    cell="$work/$icon-$i.png"
    convert "${file}[$i]" -filter point -resize "$((scale * 100))%" \
      -background "$background" -gravity south -splice 0x28 \
      -fill white -pointsize 18 -annotate +0+4 "$size px" \
      -bordercolor "$background" -border 10 "$cell"
    cells+=("$cell")
  done
  rows+=("$work/$icon.png")
  convert -background "$background" -gravity south "${cells[@]}" +append "${rows[-1]}"
done

mkdir -p docs
# -strip leaves out the creation times, so that the same icons make the same file.
convert -background "$background" -gravity west "${rows[@]}" -append -strip docs/icons.png
echo "wrote docs/icons.png"
