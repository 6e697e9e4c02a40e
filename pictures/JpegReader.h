#pragma once

#include <cstddef>
#include <cstdint>

#include "Raster.h"

namespace pavina::pictures {

// Decompresses a JPEG held in memory in full with libjpeg's default parameters at scale
// 1/1: colour to RGB, greyscale to red = green = blue. Never exits and prints nothing.
// Returns false for anything damaged, unsupported or too large, and for a raster that
// cannot be allocated; it never throws, and `out` is then untouched.
bool ReadJpeg(const std::uint8_t* data, std::size_t size, TRaster& out);

}  // namespace pavina::pictures
