#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "Bytes.h"

namespace pavina::cli {

// What the inserter makes of an encoded frame: each pixel's 6-bit red, green, blue and key
// widened back to 8 bits, the colour laid over a grey checkerboard by its key (255 covers
// the picture, 0 lets it through). Rows from the top, 3 bytes a pixel (red, green, blue).
// Nothing when the frame is not width x height x 4 bytes long.
std::optional<std::vector<std::uint8_t>> PreviewPixels(const core::TBytes& frame,
                                                       std::int32_t width, std::int32_t height);

// The checkerboard's grey at a place: squares of 8 pixels, light at the top left.
std::uint8_t CheckerboardGrey(std::int32_t x, std::int32_t y);

}  // namespace pavina::cli
