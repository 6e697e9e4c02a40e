#include "ImageFormat.h"

#include <cstring>

namespace htmlview {

namespace {

bool StartsWith(const std::uint8_t* data, std::size_t size, const char* prefix,
                std::size_t length) {
  return size >= length && std::memcmp(data, prefix, length) == 0;
}

}  // namespace

TImageFormat RecognizeImageFormat(const std::uint8_t* data, std::size_t size) {
  if (StartsWith(data, size, "GIF8", 4))
    return size > 4 && data[4] == '9' ? TImageFormat::Gif89a : TImageFormat::Gif87a;
  if (StartsWith(data, size, "BM", 2)) return TImageFormat::Bitmap;
  if (StartsWith(data, size, "\x89PNG", 4)) return TImageFormat::Png;
  if (StartsWith(data, size, "\xFF\xD8\xFF\xE0", 4)) return TImageFormat::Jpeg;
  return TImageFormat::Unknown;
}

}  // namespace htmlview
