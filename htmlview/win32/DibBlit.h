#pragma once

#include <windows.h>

#include "canvas/Canvas.h"
#include "images/Dib.h"

// Pictures onto a device context. A mask is 1 bit a pixel, white where the background
// stays; masked pictures go through XOR, AND, XOR, so the picture's own colour under the
// mask does not matter.

// The image layer's picture stretched to `dest`.
void DrawDib(HDC dc, const TRect& dest, const TDIB& picture, const TDIB* mask);

// A bitmap of the screen's format at its own size, with its top left at (x, y).
void DrawBitmap(HDC dc, int x, int y, HBITMAP bitmap, HBITMAP mask);

// A device-dependent copy of a picture, for pictures drawn many times (background
// tiles); null when it cannot be made. The caller deletes it.
HBITMAP MakeScreenBitmap(HDC dc, const TDIB& picture);
