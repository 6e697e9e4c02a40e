#include "BmpWriter.h"

namespace pavina::sim {

namespace {
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dpi

void Put16(core::TBytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(core::TBytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
}  // namespace

core::TBytes EncodeBmp24(const pictures::TRaster& raster) {
  const auto width = static_cast<std::uint32_t>(raster.Width());
  const auto height = static_cast<std::uint32_t>(raster.Height());
  const std::uint32_t rowSize = (width * 3 + 3) & ~3u;
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize;
  const std::uint32_t imageSize = rowSize * height;

  core::TBytes out;
  out.reserve(pixelOffset + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, pixelOffset + imageSize);
  Put32(out, 0);  // reserved
  Put32(out, pixelOffset);
  Put32(out, kInfoHeaderSize);
  Put32(out, width);
  Put32(out, height);  // positive: bottom row first
  Put16(out, 1);       // planes
  Put16(out, 24);
  Put32(out, 0);  // no compression
  Put32(out, imageSize);
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, 0);  // no palette
  Put32(out, 0);
  for (std::uint32_t row = height; row-- > 0;) {
    const std::uint8_t* rgb = raster.Row(static_cast<std::int32_t>(row));
    for (std::uint32_t x = 0; x < width; ++x, rgb += 3) {
      out.push_back(rgb[2]);  // blue, green, red
      out.push_back(rgb[1]);
      out.push_back(rgb[0]);
    }
    out.insert(out.end(), rowSize - width * 3, 0);
  }
  return out;
}

}  // namespace pavina::sim
