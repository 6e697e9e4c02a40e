#include "ColorLookup.h"

#include <cstdlib>

#include "ColorPalette.h"

namespace htmlview {

TWebSafeColorLookup::TWebSafeColorLookup() : TColorLookup(WebSafePalette()) {}

TFastColorLookup::TFastColorLookup(TPalette palette)
    : TColorLookup(std::move(palette)), table_(32 * 32 * 32, kUnknown) {
  if (palette_.empty()) palette_.push_back(kBlack);
  if (palette_.size() > 256) palette_.resize(256);
}

std::uint8_t TFastColorLookup::Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const std::size_t cell =
      (std::size_t{red} >> 3) << 10 | (std::size_t{green} >> 3) << 5 | (std::size_t{blue} >> 3);
  std::int16_t& entry = table_[cell];
  if (entry == kUnknown) entry = Nearest(red, green, blue);
  return static_cast<std::uint8_t>(entry);
}

std::uint8_t TFastColorLookup::Nearest(std::uint8_t red, std::uint8_t green,
                                       std::uint8_t blue) const {
  std::size_t best = 0;
  int bestDistance = 3 * 256;
  for (std::size_t i = 0; i < palette_.size(); ++i) {
    const TColor color = palette_[i];
    const int distance = std::abs(RedOf(color) - red) + std::abs(GreenOf(color) - green) +
                         std::abs(BlueOf(color) - blue);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return static_cast<std::uint8_t>(best);
}

}  // namespace htmlview
