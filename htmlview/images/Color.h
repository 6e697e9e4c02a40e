#pragma once

#include <cstdint>
#include <vector>

namespace htmlview {

// A colour value: red in bits 0-7, green in bits 8-15, blue in bits 16-23.
using TColor = std::uint32_t;

constexpr TColor MakeColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return TColor{red} | (TColor{green} << 8) | (TColor{blue} << 16);
}
constexpr std::uint8_t RedOf(TColor color) {
  return static_cast<std::uint8_t>(color);
}
constexpr std::uint8_t GreenOf(TColor color) {
  return static_cast<std::uint8_t>(color >> 8);
}
constexpr std::uint8_t BlueOf(TColor color) {
  return static_cast<std::uint8_t>(color >> 16);
}

constexpr TColor kBlack = MakeColor(0, 0, 0);
constexpr TColor kWhite = MakeColor(255, 255, 255);

// The colours of an indexed picture, at most 256.
using TPalette = std::vector<TColor>;

}  // namespace htmlview
