#pragma once

#include <cstdint>
#include <vector>

#include "Color.h"
#include "ColorLookup.h"

namespace htmlview {

// Maps rows of colours to palette indexes, one row after the other from the top. This
// engine takes the nearest colour of each pixel.
class TDitherEngine {
 public:
  TDitherEngine(TColorLookup& lookup, std::int32_t width) : lookup_(lookup), width_(width) {}
  virtual ~TDitherEngine() = default;

  virtual void DitherRow(const TColor* colors, std::uint8_t* indexes);

 protected:
  TColorLookup& lookup_;
  std::int32_t width_;
};

// Floyd-Steinberg error diffusion: each pixel's error goes 7/16 to the next pixel, 3/16,
// 5/16 and 1/16 to the three below, rounded; rows alternate direction.
class TFloydSteinbergEngine final : public TDitherEngine {
 public:
  TFloydSteinbergEngine(TColorLookup& lookup, std::int32_t width);

  void DitherRow(const TColor* colors, std::uint8_t* indexes) override;

 private:
  // Errors of red, green and blue per pixel, with one pixel of margin on each side.
  std::vector<int> currentErrors_;
  std::vector<int> nextErrors_;
  bool leftToRight_ = true;
};

}  // namespace htmlview
