#pragma once

#include <cstdint>
#include <optional>

#include "Bytes.h"
#include "Raster.h"

namespace pavina::sim {

// Reads back the one kind of bitmap the simulator writes (24 bits, uncompressed, bottom-up),
// checking every header field that kind depends on; nothing for anything else.
inline std::optional<pictures::TRaster> ReadBackBmp24(const core::TBytes& file) {
  auto u16 = [&](std::size_t at) {
    return std::uint32_t{file[at]} | std::uint32_t{file[at + 1]} << 8;
  };
  auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return std::nullopt;
  const std::uint32_t offset = u32(10), width = u32(18), height = u32(22);
  if (u32(2) != file.size() || u32(14) != 40 || u16(26) != 1 || u16(28) != 24 || u32(30) != 0)
    return std::nullopt;
  const std::uint32_t rowSize = (width * 3 + 3) & ~3u;
  if (width > 10000 || height > 10000 || offset + std::uint64_t{rowSize} * height != file.size())
    return std::nullopt;
  pictures::TRaster raster(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::uint8_t* row = &file[offset + (height - 1 - y) * rowSize];
    for (std::uint32_t x = 0; x < width; ++x)
      raster.WritePixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), row[x * 3 + 2],
                        row[x * 3 + 1], row[x * 3]);
  }
  return raster;
}

}  // namespace pavina::sim
