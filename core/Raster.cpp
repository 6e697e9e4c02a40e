#include "Raster.h"

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
