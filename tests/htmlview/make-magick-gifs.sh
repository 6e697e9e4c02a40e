#!/usr/bin/env bash
# Writes the GIFs that the decoder tests compare with giflib, made by ImageMagick so that
# nobody here wrote them: every colour depth, interlaced rows, local palettes, transparency,
# disposal methods, offset frames and loop counts.
#   make-magick-gifs.sh OUTDIR
set -euo pipefail
out=${1:?usage: make-magick-gifs.sh OUTDIR}
convert=/usr/bin/convert
mkdir -p "$out"
cd "$out"

for colors in 2 4 8 16 32 64 128 256; do
  "$convert" rose: -colors "$colors" "rose-$colors.gif"
done
"$convert" -seed 7 -size 320x200 plasma:fractal -colors 256 plasma-256.gif
"$convert" -seed 11 -size 160x120 plasma:fractal -colors 3 plasma-3.gif
"$convert" -size 256x64 gradient:red-blue gradient.gif
"$convert" logo: logo.gif
"$convert" rose: -interlace GIF rose-interlaced.gif
"$convert" -seed 5 -size 203x77 plasma:fractal -interlace GIF plasma-interlaced.gif
"$convert" -size 60x40 xc:none -fill red -draw 'circle 30,20 30,5' transparent.gif
"$convert" -delay 7 -loop 0 rose: \( rose: -negate \) \( granite: -resize 70x46! \) \
  local-palettes.gif
"$convert" -delay 4 -loop 3 -dispose Background -size 48x40 xc:red \
  -dispose Previous \( -size 20x16 xc:blue -repage +10+12 \) \
  -dispose None \( -size 12x10 xc:green -repage +30+4 \) \
  -dispose Background \( -size 8x8 xc:yellow -repage +2+30 \) \
  disposal.gif
"$convert" -delay 10 -dispose Previous \( -size 40x30 xc:none -fill blue -draw 'circle 20,15 20,3' \) \
  \( -size 40x30 xc:none -fill orange -draw 'rectangle 5,5 30,20' \) \
  \( -size 40x30 xc:none -fill purple -draw 'polygon 0,0 39,0 20,29' \) \
  transparent-frames.gif
