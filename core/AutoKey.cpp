#include "LogoCore.h"

namespace pavina::core {

// The key made from the image: white wherever the image is not pure black. Without an
// image nothing changes, not even the caption.
void TLogoCore::btAutoKeyClick() {
  if (!FImageLoaded) return;
  view_.SetKeyCaption("  Auto  ");
  key_.Resize(FMaxX + 1, FMaxY + 1);
  for (std::int32_t y = 0; y <= FMaxY; ++y) {
    for (std::int32_t x = 0; x <= FMaxX; ++x) {
      const bool black = (image_.ReadPixel(x, y) & 0xFFFFFFu) == 0;
      const std::uint8_t value = black ? 0 : 255;
      key_.WritePixel(x, y, value, value, value);
    }
  }
  FKeyLoaded = true;
  view_.ShowPictures();
}

}  // namespace pavina::core
