#pragma once

#include "Color.h"

namespace htmlview {

// The 20 colours of the system default palette.
TPalette SystemDefaultPalette();
// A 256-entry system palette of an 8-bit screen: the first ten static colours, black, and
// the last ten static colours at 246..255. The GDI layer reads the real one from the screen.
TPalette StandardSystemPalette();
// The palette every picture shares on an 8-bit screen: the system palette with entries 10
// onward replaced by a colour cube and greys; entries 246..255 stay the system's.
TPalette BuildSharedPalette(const TPalette& systemPalette);
// The 216-colour cube with the levels 0, 51, 102, 153, 204 and 255, blue fastest.
TPalette WebSafePalette();

}  // namespace htmlview
