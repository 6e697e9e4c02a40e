#pragma once

#include "Color.h"
#include "Dib.h"

namespace htmlview {

enum class TPaletteKind {
  SystemDefault,  // the 20 colours of the system default palette
  WebSafe,        // the 216-colour cube
  Shared,         // a copy of the shared palette
  Optimal,        // at most 256 colours chosen for the picture
};

enum class TDitherMode { Nearest, FloydSteinberg };

// A new 8-bit bitmap of `source` in a palette of the given kind. `sharedPalette` is the
// shared palette of an 8-bit screen; empty means the one built on the standard system
// palette. Throws EGraphicsError for a bitmap without pixels.
TDIB ReduceColors(const TDIB& source, TPaletteKind kind, TDitherMode mode,
                  const TPalette& sharedPalette = {});

// The screen depths pictures are prepared for: 4, 8 or 24 bits.
int ClassifyScreenDepth(int bitsPerPixel, int planes);

// The picture as the screen takes it: on screens of 8 bits or fewer a bitmap of more than
// 8 bits is dithered to the system default palette (below 8 bits) or to the shared palette
// (8 bits); anything else is kept as it is.
TDIB ConvertForScreen(TDIB picture, int screenDepth, const TPalette& sharedPalette);

}  // namespace htmlview
