#pragma once

#include <zlib.h>

#include <cstdint>
#include <vector>

// A PNG of 8-bit samples written here with zlib, so that a test knows every pixel: colour
// type 2 (RGB, 3 samples a pixel) or 6 (RGBA, 4), rows without filter, not interlaced.
inline std::vector<std::uint8_t> PngTestFile(std::uint32_t width, std::uint32_t height,
                                             int colourType,
                                             const std::vector<std::uint8_t>& samples) {
  std::vector<std::uint8_t> png = {137, 'P', 'N', 'G', 13, 10, 26, 10};
  const auto put32 = [](std::vector<std::uint8_t>& to, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
      to.push_back(static_cast<std::uint8_t>(value >> shift));
  };
  const auto chunk = [&](const char* type, const std::vector<std::uint8_t>& body) {
    put32(png, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), body.begin(), body.end());
    put32(png,
          static_cast<std::uint32_t>(crc32(0, &png[start], static_cast<uInt>(png.size() - start))));
  };
  std::vector<std::uint8_t> header;
  put32(header, width);
  put32(header, height);
  header.insert(header.end(), {8, static_cast<std::uint8_t>(colourType), 0, 0, 0});
  chunk("IHDR", header);
  const std::size_t rowBytes = std::size_t{width} * (colourType == 6 ? 4 : 3);
  std::vector<std::uint8_t> rows;
  for (std::size_t y = 0; y < height; ++y) {
    rows.push_back(0);
    rows.insert(rows.end(), samples.begin() + static_cast<std::ptrdiff_t>(y * rowBytes),
                samples.begin() + static_cast<std::ptrdiff_t>((y + 1) * rowBytes));
  }
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::vector<std::uint8_t> packed(packedSize);
  compress(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()));
  packed.resize(packedSize);
  chunk("IDAT", packed);
  chunk("IEND", {});
  return png;
}
