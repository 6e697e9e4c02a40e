#!/bin/sh
# ImageMagick's reading of every picture of the PngSuite in SUITE (and its interlaced/
# folder), written to OUT as 8-bit RGBA PAM files named after them ("/" as "_"). Nothing
# is written when the suite is absent; the test then says so and skips. The samples are
# taken as stored: "-set colorspace" keeps ImageMagick from applying a gAMA chunk.
set -eu
suite=$1
out=$2
mkdir -p "$out"
if [ -d "$suite" ]; then
  for file in "$suite"/*.png "$suite"/interlaced/*.png; do
    [ -f "$file" ] || continue
    name=$(printf '%s' "${file#"$suite"/}" | tr / _)
    /usr/bin/convert "$file" -set colorspace sRGB -depth 8 -type TrueColorAlpha "pam:$out/${name%.png}.pam"
  done
fi
touch "$out/.made"
