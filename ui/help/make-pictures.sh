#!/usr/bin/env bash
# The help page's pictures, made with ImageMagick from the program's own screenshots in
# docs/ (taken by the end-to-end tests). The results are kept in the tree; run this only
# to change them.
set -euo pipefail
cd "$(dirname "$0")"
docs=../../docs
# The main window, scaled to fit the help window's width, as a JPEG.
convert "$docs/main-window.png" -resize 400x -quality 88 main-window.jpg
# The COM port dialog as a GIF of few colours.
convert "$docs/com-port-setup.png" -colors 64 com-port-setup.gif
