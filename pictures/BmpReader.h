#pragma once

#include <cstddef>
#include <cstdint>

#include "Raster.h"

namespace pavina::pictures {

// Reads a Windows bitmap held in memory: 1, 4 and 8 bits with a colour table, 16 and 32
// bits with or without BI_BITFIELDS masks, 24 bits, RLE8 and RLE4, bottom-up and top-down
// rows, with the 12-byte core header or the 40-byte and later info headers.
// Returns false for anything damaged, unsupported or too large, and for a raster that
// cannot be allocated; it never throws, and `out` is then untouched.
bool ReadBmp(const std::uint8_t* data, std::size_t size, TRaster& out);

}  // namespace pavina::pictures
