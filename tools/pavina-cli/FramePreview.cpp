#include "FramePreview.h"

namespace pavina::cli {

namespace {
constexpr int kSquare = 8;
constexpr std::uint8_t kLightGrey = 204, kDarkGrey = 153;

// 6 bits to 8 with the top bits repeated below, so that 63 is full 255 and 0 stays 0.
std::uint32_t Widen(std::uint32_t six) {
  return (six << 2) | (six >> 4);
}

std::uint8_t Over(std::uint32_t colour, std::uint32_t background, std::uint32_t key) {
  return static_cast<std::uint8_t>((colour * key + background * (255 - key) + 127) / 255);
}
}  // namespace

std::uint8_t CheckerboardGrey(std::int32_t x, std::int32_t y) {
  return ((x / kSquare + y / kSquare) % 2 == 0) ? kLightGrey : kDarkGrey;
}

std::optional<std::vector<std::uint8_t>> PreviewPixels(const core::TBytes& frame,
                                                       std::int32_t width, std::int32_t height) {
  if (width < 0 || height < 0) return std::nullopt;
  const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (frame.size() != pixels * 4) return std::nullopt;
  std::vector<std::uint8_t> rgb(pixels * 3);
  std::size_t in = 0, out = 0;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x, in += 4) {
      // Bytes 0, 1 and 3 are the high, middle and low byte of K6:R6:G6:B6; byte 2 is 0.
      const std::uint32_t word =
          std::uint32_t{frame[in]} << 16 | std::uint32_t{frame[in + 1]} << 8 | frame[in + 3];
      const std::uint32_t key = Widen(word >> 18 & 63);
      const std::uint32_t grey = CheckerboardGrey(x, y);
      rgb[out++] = Over(Widen(word >> 12 & 63), grey, key);
      rgb[out++] = Over(Widen(word >> 6 & 63), grey, key);
      rgb[out++] = Over(Widen(word & 63), grey, key);
    }
  }
  return rgb;
}

}  // namespace pavina::cli
