#include "DitherEngine.h"

#include <algorithm>

namespace htmlview {

namespace {

// error * weight / 16, rounded half away from zero.
inline int Share(int error, int weight) {
  const int scaled = error * weight;
  return (scaled + (scaled >= 0 ? 8 : -8)) / 16;
}

}  // namespace

void TDitherEngine::DitherRow(const TColor* colors, std::uint8_t* indexes) {
  for (std::int32_t x = 0; x < width_; ++x)
    indexes[x] = lookup_.Lookup(RedOf(colors[x]), GreenOf(colors[x]), BlueOf(colors[x]));
}

TFloydSteinbergEngine::TFloydSteinbergEngine(TColorLookup& lookup, std::int32_t width)
    : TDitherEngine(lookup, width),
      currentErrors_(3 * (static_cast<std::size_t>(width) + 2), 0),
      nextErrors_(3 * (static_cast<std::size_t>(width) + 2), 0) {}

void TFloydSteinbergEngine::DitherRow(const TColor* colors, std::uint8_t* indexes) {
  const TPalette& palette = lookup_.Palette();
  const int step = leftToRight_ ? 1 : -1;
  std::int32_t x = leftToRight_ ? 0 : width_ - 1;
  for (std::int32_t n = 0; n < width_; ++n, x += step) {
    // Pixel x keeps its errors at 3 * (x + 1), after the margin.
    int* here = &currentErrors_[3 * static_cast<std::size_t>(x + 1)];
    int* ahead = here + 3 * step;
    int* below = &nextErrors_[3 * static_cast<std::size_t>(x + 1)];
    const int wanted[3] = {std::clamp(RedOf(colors[x]) + here[0], 0, 255),
                           std::clamp(GreenOf(colors[x]) + here[1], 0, 255),
                           std::clamp(BlueOf(colors[x]) + here[2], 0, 255)};
    const std::uint8_t index =
        lookup_.Lookup(static_cast<std::uint8_t>(wanted[0]), static_cast<std::uint8_t>(wanted[1]),
                       static_cast<std::uint8_t>(wanted[2]));
    indexes[x] = index;
    const TColor got = palette[index];
    const int gotComponents[3] = {RedOf(got), GreenOf(got), BlueOf(got)};
    for (int c = 0; c < 3; ++c) {
      const int error = wanted[c] - gotComponents[c];
      ahead[c] += Share(error, 7);
      below[c - 3 * step] += Share(error, 3);
      below[c] += Share(error, 5);
      below[c + 3 * step] += Share(error, 1);
    }
  }
  std::swap(currentErrors_, nextErrors_);
  std::fill(nextErrors_.begin(), nextErrors_.end(), 0);
  leftToRight_ = !leftToRight_;
}

}  // namespace htmlview
