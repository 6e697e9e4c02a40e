// The PNG reader on any bytes: a clean answer, a picture within the limits, and an alpha
// of the picture's size or none. Every chunk's CRC is made right first, so that
// mutated chunk contents reach the parsing instead of failing their checksum.
#include <zlib.h>

#include <cstdlib>
#include <vector>

#include "PictureLimits.h"
#include "PngReader.h"

namespace {

void FixChunkCrcs(std::vector<std::uint8_t>& png) {
  for (std::size_t at = 8; png.size() >= 12 && at <= png.size() - 12;) {
    const std::size_t length = std::size_t{png[at]} << 24 | std::size_t{png[at + 1]} << 16 |
                               std::size_t{png[at + 2]} << 8 | png[at + 3];
    if (length > png.size() - 12 - at) return;
    const uLong crc = crc32(0, &png[at + 4], static_cast<uInt>(length + 4));
    for (int i = 0; i < 4; ++i)
      png[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    at += 12 + length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> png(data, data + size);
  FixChunkCrcs(png);
  using namespace pavina::pictures;
  TRaster picture, alpha;
  if (!ReadPng(png.data(), png.size(), picture, alpha)) return 0;
  if (!PictureSizeAllowed(picture.Width(), picture.Height())) std::abort();
  if (!alpha.Empty() && (alpha.Width() != picture.Width() || alpha.Height() != picture.Height()))
    std::abort();
  return 0;
}
