#pragma once

#include "Bytes.h"
#include "Raster.h"

// A Windows bitmap file of the raster: 24 bits a pixel, uncompressed, rows from the bottom
// padded to 4 bytes, 96 dpi.
TBytes EncodeBmp24(const TRaster& raster);
