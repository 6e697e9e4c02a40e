// The BMP reader on any bytes: a clean answer, and a picture within the limits.
#include <cstdlib>

#include "BmpReader.h"
#include "PictureLimits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pavina::pictures;
  TRaster picture;
  if (ReadBmp(data, size, picture) && !PictureSizeAllowed(picture.Width(), picture.Height()))
    std::abort();
  return 0;
}
