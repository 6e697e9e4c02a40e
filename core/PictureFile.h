#pragma once

#include <string>

#include "Raster.h"

namespace pavina::pictures {

// Loads a logo or key picture, its format told by the extension of the file name alone
// ("bmp", "jpg", "jpeg", any letter case). Returns false for any other name, a missing,
// unreadable, damaged or too large file; `out` is then untouched.
bool LoadPictureFile(const std::string& path, TRaster& out);

}  // namespace pavina::pictures
