#pragma once

#include <string>

#include "Raster.h"

// Loads a logo or key picture, its format told by the extension of the file name alone
// ("bmp", "jpg", "jpeg", "png", any letter case). Returns false for any other name, a
// missing, unreadable, damaged or too large file; `out` is then untouched.
// With `alpha`, a PNG's alpha (channel or tRNS) is handed back as a grey raster; it is
// emptied for a picture without one.
bool LoadPictureFile(const std::string& path, TRaster& out, TRaster* alpha = nullptr);
