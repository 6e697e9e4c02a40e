#pragma once

#include <string>

#include "Raster.h"

namespace pavina::pictures {

// Why a picture file gave no raster.
enum class TPictureError {
  None,
  UnknownFormat,  // the name's extension is none of "bmp", "jpg", "jpeg", "png"
  CannotRead,     // missing, unreadable, empty, or no file at all
  TooLarge,       // the file is beyond kMaxPictureFileBytes
  Refused,        // damaged, unsupported, beyond the picture limits, or no room for its raster
  OutOfMemory,    // within the limits, but the file's buffer could not be had
};

// A loaded picture, or why there is none (its rasters are then empty). A PNG's alpha
// (channel or tRNS) comes as a grey raster of the picture's size; it is empty for a
// picture without one. The colours stay as stored: nothing is multiplied by the alpha.
struct TPictureResult {
  TRaster raster;
  TRaster alpha;
  TPictureError error = TPictureError::None;

  bool Ok() const { return error == TPictureError::None; }
};

// Loads a logo or key picture, its format told by the extension of the file name alone
// ("bmp", "jpg", "jpeg", "png", any letter case).
TPictureResult LoadPictureFile(const std::string& path);

}  // namespace pavina::pictures
