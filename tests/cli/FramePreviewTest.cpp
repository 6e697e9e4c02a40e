#include <gtest/gtest.h>

#include "FramePreview.h"

namespace pavina::cli {

namespace {

// Pixels of the encoder's format: K6 R6 G6 B6 packed as W, sent as W's high and middle
// byte, a zero and its low byte.
core::TBytes Pixel(std::uint32_t r6, std::uint32_t g6, std::uint32_t b6, std::uint32_t k6) {
  const std::uint32_t w = k6 << 18 | r6 << 12 | g6 << 6 | b6;
  return {static_cast<std::uint8_t>(w >> 16), static_cast<std::uint8_t>(w >> 8), 0,
          static_cast<std::uint8_t>(w)};
}

TEST(FramePreview, ColoursWidenedAndLaidOverTheCheckerboardByTheKey) {
  const struct {
    core::TBytes pixel;
    std::uint8_t r, g, b;
  } cases[] = {
      // From the encoder's worked examples: 255,128,0 with key 255 comes back as 255,130,0.
      {{0xFF, 0xF8, 0x00, 0x00}, 255, 130, 0},
      {{0xFF, 0xFF, 0x00, 0xFF}, 255, 255, 255},
      // Key 0: only the checkerboard (light at the top left) shows.
      {{0x03, 0xF0, 0x00, 0x00}, 204, 204, 204},
      // Key 32 of 63 (130 of 255): about half of each.
      {Pixel(63, 0, 0, 32), 230, 100, 100},
      {Pixel(0, 0, 0, 63), 0, 0, 0},
  };
  for (const auto& c : cases) {
    const auto rgb = PreviewPixels(c.pixel, 1, 1);
    ASSERT_TRUE(rgb);
    EXPECT_EQ(*rgb, (std::vector<std::uint8_t>{c.r, c.g, c.b}))
        << int{c.pixel[0]} << " " << int{c.pixel[1]} << " " << int{c.pixel[3]};
  }
}

TEST(FramePreview, PixelsInFrameOrderOverSquaresOfEight) {
  // 10 x 9 pixels, all with key 0: the picture is the bare checkerboard.
  const std::int32_t w = 10, h = 9;
  core::TBytes frame;
  for (int i = 0; i < w * h; ++i) {
    const core::TBytes p = Pixel(63, 63, 63, 0);
    frame.insert(frame.end(), p.begin(), p.end());
  }
  // One keyed pixel at (9, 8) shows its colour in its place.
  const core::TBytes red = Pixel(63, 0, 0, 63);
  std::copy(red.begin(), red.end(), frame.end() - 4);
  const auto rgb = PreviewPixels(frame, w, h);
  ASSERT_TRUE(rgb);
  auto at = [&](int x, int y) { return (*rgb)[static_cast<std::size_t>((y * w + x) * 3)]; };
  EXPECT_EQ(at(0, 0), 204);
  EXPECT_EQ(at(7, 7), 204);
  EXPECT_EQ(at(8, 0), 153);
  EXPECT_EQ(at(0, 8), 153);
  EXPECT_EQ(at(8, 7), 153);
  EXPECT_EQ(at(9, 8), 255);
  EXPECT_EQ((*rgb)[static_cast<std::size_t>((8 * w + 9) * 3 + 1)], 0);
}

TEST(FramePreview, AFrameOfTheWrongLengthIsRefused) {
  EXPECT_FALSE(PreviewPixels(core::TBytes(7), 1, 2));
  EXPECT_FALSE(PreviewPixels(core::TBytes(8), 1, 1));
  EXPECT_FALSE(PreviewPixels({}, -1, 0));
  EXPECT_TRUE(PreviewPixels(core::TBytes(8), 2, 1));
}

}  // namespace

}  // namespace pavina::cli
