#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

namespace pavina::cli {

// Writes a PNG file of 8-bit RGB rows (3 bytes a pixel, rows from the top) through
// libpng. False when the pixels are not width x height of them or the stream fails.
bool WritePngRgb(std::ostream& out, std::uint32_t width, std::uint32_t height,
                 const std::vector<std::uint8_t>& rgb);

}  // namespace pavina::cli
