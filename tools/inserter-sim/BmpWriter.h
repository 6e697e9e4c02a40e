#pragma once

#include "Bytes.h"
#include "Raster.h"

namespace pavina::sim {

// A Windows bitmap file of the raster: 24 bits a pixel, uncompressed, rows from the bottom
// padded to 4 bytes, 96 dpi.
core::TBytes EncodeBmp24(const pictures::TRaster& raster);

}  // namespace pavina::sim
