#!/usr/bin/env bash
# Writes the fuzzers' seed corpora from the files the tests already use: the sample
# pictures of Debian's libjpeg-turbo source package, small BMP, JPEG and PNG variants that
# ImageMagick makes of its photograph (the same kinds the reader tests load), the PngSuite
# of Debian's libpng source package, the GIFs of
# the viewer's decoder tests, the settings texts of the settings tests, and device replies
# as the inserter gives them. Nothing here is committed: it is all made again on demand.
#   make-seeds.sh OUTDIR DEPS_DIR
set -euo pipefail
out=${1:?usage: make-seeds.sh OUTDIR DEPS_DIR}
deps=${2:?usage: make-seeds.sh OUTDIR DEPS_DIR}
here=$(dirname "$(realpath "$0")")
samples=$deps/src/libjpeg-turbo/testimages
convert=/usr/bin/convert
[ -d "$samples" ] || { echo "make-seeds: no $samples (run make deps)" >&2; exit 1; }
rm -rf "$out.part"
mkdir -p "$out.part"/{bmp,jpeg,png,gif,profile_integer,device,html}
cd "$out.part"

# Small pictures keep the executions fast; the samples keep the real-world structure.
small=$(mktemp --suffix=.ppm)
trap 'rm -f "$small"' EXIT
"$convert" "$samples/testorig.ppm" -resize 24x16! "$small"
cp "$samples"/*.bmp bmp/
for v in "BMP3:info24" "BMP2:core24" "BMP2:core8 -colors 256 -type Palette" \
  "BMP2:core4 -colors 16 -type Palette" "BMP3:rle8 -colors 256 -type Palette -compress RLE" \
  "BMP3:info4 -colors 16 -type Palette" "BMP3:info1 -monochrome" "BMP:v5rgb24" \
  "BMP:rgb565 -define bmp:subtype=RGB565" "BMP:argb1555 -alpha set -define bmp:subtype=ARGB1555" \
  "BMP3:xrgb32 -alpha set -define bmp3:alpha=true" "BMP:argb32 -alpha set"; do
  read -r target options <<<"$v"
  # shellcheck disable=SC2086
  "$convert" "$small" $options "${target%%:*}:bmp/${target#*:}.bmp"
done
cp "$samples"/*.jpg jpeg/
"$convert" "$small" -colorspace Gray -quality 90 jpeg/grey.jpg
"$convert" "$small" -interlace JPEG -quality 80 jpeg/progressive.jpg
"$convert" "$small" -colorspace CMYK jpeg/cmyk.jpg
"$convert" "$small" -sampling-factor 2x2 -quality 50 jpeg/subsampled.jpg

for v in "rgb" "rgba -alpha set -channel A -fx i/w +channel" "grey -colorspace Gray" \
  "palette -colors 16 -type Palette" "interlaced -interlace PNG" "deep -depth 16" \
  "bits2 -colorspace Gray -depth 2"; do
  read -r name options <<<"$v"
  # shellcheck disable=SC2086
  "$convert" "$small" $options "png/$name.png"
done
if [ -d "$deps/src/libpng/contrib/pngsuite" ]; then
  cp "$deps/src/libpng/contrib/pngsuite"/*.png png/
fi

"$here/../htmlview/make-magick-gifs.sh" gif >/dev/null
# The large stills add little beyond their structure; keep the animations and small ones.
find gif -name '*.gif' -size +24k -delete

i=0
for text in "0x3" '$3' "3" "  3" "3a" '$FFFFFFFF' "" "99999999999" "-0" "-7" "+12" "x1F" \
  "0X7fffffff" "-2147483648"; do
  printf '%s' "$text" >"profile_integer/$((i++))"
done

# Device replies as the fuzz target reads them: a delay (2 bytes) and a length taken from
# the end, the reply bytes from the front. Plain answers of a good upload and of a poll.
printf '\x26\x27\x00\x27\x00\x27\x00\x27\x00\x27\x00\x13' >device/upload
printf '\x17Logo Inserter Simulator' >device/status
printf '\x00\x13\x55\x66\x26' >device/stray
head -c 300 /dev/zero | tr '\0' '\x27' >device/babble

# The installed pages of the parser's real-page test (git's HTML documentation), the
# smaller ones, and a few pages that touch tables, forms and lists at once.
if [ -d /usr/share/doc/git/html ]; then
  find /usr/share/doc/git/html -name '*.html' -size -12k | sort | head -40 | xargs -r cp -t html/
fi
printf '<TABLE BORDER=1><TR><TD COLSPAN=2>a<TD ROWSPAN=3>b<TR><TD WIDTH=50%%>c</TABLE>' >html/table
printf '<FORM><INPUT TYPE=text NAME=a><SELECT><OPTION>1<OPTION SELECTED>2</SELECT></FORM>' >html/form
printf '<UL><LI>one<OL TYPE=a><LI>two<DL><DT>t<DD>d</DL></OL></UL><PRE>x	y</PRE>' >html/lists
printf '<MAP NAME=m><AREA SHAPE=poly COORDS="0,0,9,0,5,9" HREF=x></MAP><IMG SRC=a.gif USEMAP=#m>' >html/map

rm -rf "$out"
mv "$out.part" "$out"
