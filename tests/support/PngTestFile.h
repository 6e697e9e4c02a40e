#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

// A PNG of 8-bit RGB (colour type 2) or RGBA (6) samples, rows from the top, so that a
// test knows every pixel; written by libpng's simplified writer.
inline std::vector<std::uint8_t> PngTestFile(std::uint32_t width, std::uint32_t height,
                                             int colourType,
                                             const std::vector<std::uint8_t>& samples) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = colourType == 6 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, samples.data(), 0, nullptr);
  std::vector<std::uint8_t> png(size);
  png_image_write_to_memory(&image, png.data(), &size, 0, samples.data(), 0, nullptr);
  png.resize(size);
  return png;
}
