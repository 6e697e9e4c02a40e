#include "Transparency.h"

#include <vector>

#include "DibAccess.h"

namespace htmlview {

TDIB MakeColorMask(const TDIB& picture, TColor key) {
  const TDIBReader reader(picture);
  TDIB mask(picture.Width(), picture.Height(), 1);
  std::vector<TColor> row(static_cast<std::size_t>(picture.Width()));
  for (std::int32_t y = 0; y < picture.Height(); ++y) {
    reader.ReadRow(y, row.data());
    for (std::int32_t x = 0; x < picture.Width(); ++x)
      if (row[static_cast<std::size_t>(x)] == key) SetMaskPixel(mask, x, y, true);
  }
  return mask;
}

TDIB MakeAlphaMask(const TDIB& picture) {
  TDIB mask(picture.Width(), picture.Height(), 1);
  if (!picture.HasAlpha()) return mask;
  for (std::int32_t y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* pixel = picture.Row(y);
    for (std::int32_t x = 0; x < picture.Width(); ++x, pixel += 4)
      if (pixel[3] < 128) SetMaskPixel(mask, x, y, true);
  }
  return mask;
}

TDIB MakeLowerLeftMask(const TDIB& picture) {
  return MakeColorMask(picture, TDIBReader(picture).Pixel(0, picture.Height() - 1));
}

}  // namespace htmlview
