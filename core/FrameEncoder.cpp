#include <algorithm>
#include <vector>

#include "LogoCore.h"

namespace pavina::core {

namespace {

// The inserter program's key delay line holds 1001 entries.
constexpr std::int64_t kKeyDelayLineLength = 1001;

// Components are the low, second and third byte of a colour.
constexpr int kRedShift = 0, kGreenShift = 8, kBlueShift = 16;

std::uint32_t Component(std::uint32_t color, int shift) {
  return (color >> shift) & 0xFF;
}
// A pixel's key value is its green component; red and blue do not count.
std::uint8_t KeyValue(const TRaster& key, std::int32_t x, std::int32_t y) {
  return static_cast<std::uint8_t>(Component(key.ReadPixel(x, y), kGreenShift));
}
// The inserter takes 6 bits of each: the two lowest are dropped, not rounded.
std::uint32_t SixBits(std::uint32_t color, int shift) {
  return Component(color, shift) >> 2;
}

}  // namespace

// FFrame: 4 bytes a pixel, rows from the top. A pixel's red, green, blue and delayed key,
// 6 bits each, make the word W = K6:R6:G6:B6, sent as its high and middle byte, a zero
// byte and its low byte.
//
// Pixel x of a row takes the key of pixel x - offset of the same row, 0 where that lies
// outside the row. The line is sized by the row, so a row wider than 1001 - offset never
// stores or reads outside it and narrower rows encode exactly as with 1001 entries.
// A negative offset moves the key the other way (the key of pixel x + |offset|) rather
// than giving key 0 everywhere, which would hide the whole logo.
void TLogoCore::EncodeFrame() {
  const std::int32_t width = FMaxX + 1;
  const std::int32_t offset = view_.ReadKeyOffset();
  FFrame.resize(static_cast<std::size_t>(FMaxY + 1) * static_cast<std::size_t>(width) * 4);
  const std::int64_t lineLength =
      std::max(kKeyDelayLineLength, std::int64_t{width} + std::max(offset, 0));
  std::vector<std::uint8_t> delayLine(static_cast<std::size_t>(lineLength));
  std::size_t at = 0;
  for (std::int32_t y = 0; y <= FMaxY; ++y) {
    std::fill(delayLine.begin(), delayLine.end(), 0);
    for (std::int32_t x = 0; x < width; ++x) {
      const std::uint32_t color = image_.ReadPixel(x, y);
      if (offset >= 0)  // store before read: with offset 0 a pixel takes its own key
        delayLine[static_cast<std::size_t>(x + offset)] = KeyValue(key_, x, y);
      else if (x - offset < width)
        delayLine[static_cast<std::size_t>(x)] = KeyValue(key_, x - offset, y);
      const std::uint32_t key = delayLine[static_cast<std::size_t>(x)];
      const std::uint32_t word = (key >> 2) << 18 | SixBits(color, kRedShift) << 12 |
                                 SixBits(color, kGreenShift) << 6 | SixBits(color, kBlueShift);
      FFrame[at++] = static_cast<std::uint8_t>(word >> 16);
      FFrame[at++] = static_cast<std::uint8_t>(word >> 8);
      FFrame[at++] = 0;
      FFrame[at++] = static_cast<std::uint8_t>(word);
    }
    view_.SetProgressPosition(y);
    view_.ProcessPendingEvents();
  }
}

}  // namespace pavina::core
