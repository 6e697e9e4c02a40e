#pragma once

#include "Color.h"
#include "Dib.h"

namespace htmlview {

// How a picture's see-through pixels were chosen.
enum class TTransparencyMode {
  None = 0,
  LowerLeft = 1,  // the colour of the lower-left pixel, asked for by TRANSP
  GifColor = 2,   // the GIF's transparent colour
  Png = 3,        // a PNG's alpha channel or tRNS chunk
};

// A 1-bit mask of `picture`'s size, white wherever the picture has the colour `key`.
TDIB MakeColorMask(const TDIB& picture, TColor key);
// For screens that cannot blend (palette screens): white where a 32-bit picture is more
// than half see-through; all black for a picture without alpha.
TDIB MakeAlphaMask(const TDIB& picture);
// The mask of TRANSP: white wherever the picture has the colour of its lower-left pixel.
TDIB MakeLowerLeftMask(const TDIB& picture);

}  // namespace htmlview
