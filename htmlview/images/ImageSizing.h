#pragma once

#include <cstdint>

namespace htmlview {

struct TImageSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  friend bool operator==(const TImageSize& a, const TImageSize& b) {
    return a.Width == b.Width && a.Height == b.Height;
  }
};

// The WIDTH and HEIGHT of an IMG; 0 where the attribute is not given.
struct TImageSizeAttributes {
  std::int32_t Width = 0;
  bool WidthIsPercent = false;  // then Width is 1..100
  std::int32_t Height = 0;
};

// The size an image is drawn at. `natural` is the picture's own size (a GIF's logical
// screen); `availableWidth` is what a percentage WIDTH is taken of.
TImageSize ImageDrawSize(const TImageSizeAttributes& attributes, TImageSize natural,
                         std::int32_t availableWidth);

// The box of the placeholder or the cannot-load picture, which holds the 24-pixel picture
// and the ALT text (measured by the caller in 8-point "Arial").
TImageSize PlaceholderBoxSize(const TImageSizeAttributes& attributes, std::int32_t availableWidth,
                              TImageSize altText);

}  // namespace htmlview
