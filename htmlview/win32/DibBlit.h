#pragma once

#include <windows.h>

#include "canvas/Canvas.h"
#include "images/Dib.h"

namespace htmlview {

// Pictures onto a device context. A mask is 1 bit a pixel, white where the background
// stays; masked pictures go through XOR, AND, XOR, so the picture's own colour under the
// mask does not matter. A 32-bit picture is blended by its alpha over what is there.

// The image layer's picture stretched to `dest`.
void DrawDib(HDC dc, const TRect& dest, const TDIB& picture, const TDIB* mask);

// A bitmap of the screen's format at its own size, with its top left at (x, y).
void DrawBitmap(HDC dc, int x, int y, HBITMAP bitmap, HBITMAP mask);

// A device-dependent bitmap of the picture repeated side by side until it is at least
// `minimumSide` pixels each way (`block` gets its size), so that a small background tile
// takes few blits; null when it cannot be made. The caller deletes it.
// A picture with alpha is blended over `under` first.
HBITMAP MakeTileBlock(HDC dc, const TDIB& picture, int minimumSide, SIZE& block,
                      TColor under = kBlack);

}  // namespace htmlview
