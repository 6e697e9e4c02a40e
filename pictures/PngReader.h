#pragma once

#include <cstddef>
#include <cstdint>

#include "Raster.h"

namespace pavina::pictures {

// Reads a PNG held in memory through libpng: grey, palette, RGB, with or without alpha,
// 1 to 16 bits, interlaced or not; 16-bit samples are scaled to 8 bits. Never exits and
// prints nothing. Returns false for anything damaged, unsupported or too large; `out` is
// then untouched; it never throws.
bool ReadPng(const std::uint8_t* data, std::size_t size, TRaster& out);

// The same, and `alpha` gets the picture's alpha (from an alpha channel or a tRNS chunk)
// as a grey raster of its size, red = green = blue; it is emptied for a picture without
// one. The colours stay as stored: nothing is multiplied by the alpha.
bool ReadPng(const std::uint8_t* data, std::size_t size, TRaster& out, TRaster& alpha);

}  // namespace pavina::pictures
