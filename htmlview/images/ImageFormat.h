#pragma once

#include <cstddef>
#include <cstdint>

namespace htmlview {

enum class TImageFormat { Unknown, Gif89a, Gif87a, Bitmap, Png, Jpeg };

// Tells a picture's format from its first bytes.
TImageFormat RecognizeImageFormat(const std::uint8_t* data, std::size_t size);

inline bool IsGif(TImageFormat format) {
  return format == TImageFormat::Gif89a || format == TImageFormat::Gif87a;
}

}  // namespace htmlview
