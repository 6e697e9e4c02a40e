#pragma once

#include <cstdint>

namespace htmlview {

// A rectangle of pixels; Right and Bottom are one past the last column and row.
struct TPixelRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;

  std::int32_t Width() const { return Right - Left; }
  std::int32_t Height() const { return Bottom - Top; }
  friend bool operator==(const TPixelRect& a, const TPixelRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
  }
};

}  // namespace htmlview
