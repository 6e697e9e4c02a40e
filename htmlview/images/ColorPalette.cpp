#include "ColorPalette.h"

#include <cstddef>

namespace htmlview {

namespace {

constexpr std::size_t kStaticHalf = 10;

}  // namespace

TPalette SystemDefaultPalette() {
  return {MakeColor(0, 0, 0),       MakeColor(128, 0, 0),     MakeColor(0, 128, 0),
          MakeColor(128, 128, 0),   MakeColor(0, 0, 128),     MakeColor(128, 0, 128),
          MakeColor(0, 128, 128),   MakeColor(192, 192, 192), MakeColor(192, 220, 192),
          MakeColor(166, 202, 240), MakeColor(255, 251, 240), MakeColor(160, 160, 164),
          MakeColor(128, 128, 128), MakeColor(255, 0, 0),     MakeColor(0, 255, 0),
          MakeColor(255, 255, 0),   MakeColor(0, 0, 255),     MakeColor(255, 0, 255),
          MakeColor(0, 255, 255),   MakeColor(255, 255, 255)};
}

TPalette StandardSystemPalette() {
  const TPalette statics = SystemDefaultPalette();
  TPalette palette(256, kBlack);
  for (std::size_t i = 0; i < kStaticHalf; ++i) {
    palette[i] = statics[i];
    palette[256 - kStaticHalf + i] = statics[kStaticHalf + i];
  }
  return palette;
}

TPalette BuildSharedPalette(const TPalette& systemPalette) {
  TPalette palette = systemPalette;
  palette.resize(256, kBlack);
  static constexpr std::uint8_t kLevels[] = {55, 115, 165, 205, 235, 255};
  std::size_t next = kStaticHalf;
  for (std::uint8_t red : kLevels)
    for (std::uint8_t green : kLevels)
      for (std::uint8_t blue : kLevels)
        if (red != 255 || green != 255 || blue != 255)
          palette[next++] = MakeColor(red, green, blue);
  for (int grey = 135; grey <= 250; grey += 5)
    if (grey != 165 && grey != 205 && grey != 235) {
      const auto level = static_cast<std::uint8_t>(grey);
      palette[next++] = MakeColor(level, level, level);
    }
  return palette;
}

TPalette WebSafePalette() {
  TPalette palette;
  palette.reserve(216);
  for (int red = 0; red < 6; ++red)
    for (int green = 0; green < 6; ++green)
      for (int blue = 0; blue < 6; ++blue)
        palette.push_back(MakeColor(static_cast<std::uint8_t>(red * 51),
                                    static_cast<std::uint8_t>(green * 51),
                                    static_cast<std::uint8_t>(blue * 51)));
  return palette;
}

}  // namespace htmlview
