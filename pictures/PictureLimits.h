#pragma once

#include <cstddef>
#include <cstdint>

namespace pavina::pictures {

// The memory budget of one picture. A 32-bit process must hold the file, the raster
// (3 bytes a pixel) and the encoded frame (4 bytes a pixel) at once, so readers refuse
// larger pictures from their headers, before they allocate anything.
constexpr std::int32_t kMaxPictureSide = 16384;
constexpr std::int64_t kMaxPicturePixels = std::int64_t{16} * 1024 * 1024;  // 4096 x 4096
// The largest picture file read: a 32-bit bitmap of the largest picture, with room for its
// headers, colour table and row padding.
constexpr std::int64_t kMaxPictureFileBytes = kMaxPicturePixels * 4 + 1024 * 1024;

inline bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

}  // namespace pavina::pictures
