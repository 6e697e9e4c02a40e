#include "Raster.h"

#include <algorithm>

namespace pavina::pictures {

std::uint32_t TRaster::ReadPixel(std::int32_t x, std::int32_t y) const {
  if (!Inside(x, y)) return kInvalidColor;
  const std::uint8_t* p = &pixels_[Offset(x, y)];
  return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
}

void TRaster::WritePixel(std::int32_t x, std::int32_t y, std::uint8_t red, std::uint8_t green,
                         std::uint8_t blue) {
  if (!Inside(x, y)) return;
  std::uint8_t* p = &pixels_[Offset(x, y)];
  p[0] = red;
  p[1] = green;
  p[2] = blue;
}

void TRaster::Resize(std::int32_t width, std::int32_t height) {
  width_ = width > 0 && height > 0 ? width : 0;
  height_ = width > 0 && height > 0 ? height : 0;
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3, 0);
}

void TRaster::Fill(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  if (Empty()) return;
  // One row pixel by pixel, then whole rows copied: a large picture fills at memory speed.
  std::uint8_t* first = Row(0);
  for (std::int32_t x = 0; x < width_; ++x) {
    first[x * 3] = red;
    first[x * 3 + 1] = green;
    first[x * 3 + 2] = blue;
  }
  const std::size_t rowBytes = static_cast<std::size_t>(width_) * 3;
  for (std::int32_t y = 1; y < height_; ++y) std::copy(first, first + rowBytes, Row(y));
}

}  // namespace pavina::pictures
