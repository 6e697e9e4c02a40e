#!/usr/bin/env bash
# Draws the splash picture (200 x 137, 24-bit BMP) and the program icon with ImageMagick.
# The results are kept in the tree; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"

# A sky gradient with a monitor showing a picture and a small logo in its corner: the
# labels "Pavina" (top right) and the maker's name (bottom left) are drawn over it.
convert -size 200x137 gradient:'#f4f8fc-#8fb3dc' \
  -fill '#2b4f7e' -draw 'roundrectangle 62,34 170,104 6,6' \
  -fill '#5d8fc9' -draw 'rectangle 68,40 164,98' \
  -fill '#7fc46a' -draw 'polygon 68,98 100,70 124,86 142,74 164,92 164,98' \
  -fill '#f6d04d' -draw 'circle 84,54 84,59' \
  -fill '#ffffff' -draw 'rectangle 140,44 158,56' \
  -fill '#c0392b' -draw 'rectangle 143,47 155,53' \
  -fill '#2b4f7e' -draw 'rectangle 110,104 122,114' -draw 'rectangle 96,114 136,118' \
  -type TrueColor BMP3:splash.bmp

for size in 16 32; do
  convert -size ${size}x${size} xc:none \
    -fill '#2b4f7e' -draw "roundrectangle 0,1 $((size - 1)),$((size * 3 / 4)) 2,2" \
    -fill '#5d8fc9' -draw "rectangle 2,3 $((size - 3)),$((size * 3 / 4 - 2))" \
    -fill '#c0392b' -draw "rectangle $((size / 2)),4 $((size - 4)),$((size / 3 + 2))" \
    -fill '#2b4f7e' -draw "rectangle $((size / 2 - 2)),$((size * 3 / 4)) $((size / 2 + 1)),$((size - 1))" \
    "icon-$size.png"
done
convert icon-16.png icon-32.png pavina.ico
rm -f icon-16.png icon-32.png
