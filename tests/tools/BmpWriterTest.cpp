#include <gtest/gtest.h>

#include "BmpReadBack.h"
#include "BmpWriter.h"

namespace pavina::sim {

namespace {

TEST(BmpWriter, Writes24BitBottomUpRowsPaddedToFourBytes) {
  // 3 pixels a row: 9 bytes of pixels and 3 of padding.
  pictures::TRaster raster(3, 2);
  raster.WritePixel(0, 0, 255, 0, 0);
  raster.WritePixel(2, 0, 1, 2, 3);
  raster.WritePixel(1, 1, 0, 0, 255);
  const core::TBytes file = EncodeBmp24(raster);
  ASSERT_EQ(file.size(), 54u + 2 * 12);
  // The bottom row comes first, blue green red.
  EXPECT_EQ(file[54 + 3], 255);  // (1, 1): blue
  EXPECT_EQ(file[54 + 12], 0);   // (0, 0): blue
  EXPECT_EQ(file[54 + 12 + 2], 255);
  EXPECT_EQ(file[54 + 12 + 6], 3);
  EXPECT_EQ(file[54 + 12 + 8], 1);
  EXPECT_EQ(file[54 + 9], 0);  // padding
  const auto back = ReadBackBmp24(file);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, raster);
}

TEST(BmpWriter, WidthsOfEveryPaddingRoundTrip) {
  for (std::int32_t width = 1; width <= 5; ++width) {
    pictures::TRaster raster(width, 3);
    for (std::int32_t y = 0; y < 3; ++y)
      for (std::int32_t x = 0; x < width; ++x)
        raster.WritePixel(x, y, static_cast<std::uint8_t>(x * 50),
                          static_cast<std::uint8_t>(y * 80), static_cast<std::uint8_t>(x + y));
    const auto back = ReadBackBmp24(EncodeBmp24(raster));
    ASSERT_TRUE(back) << width;
    EXPECT_EQ(*back, raster) << width;
  }
}

}  // namespace

}  // namespace pavina::sim
