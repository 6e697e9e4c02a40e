#include <gtest/gtest.h>

#include "Raster.h"

namespace pavina::pictures {

namespace {

TEST(Raster, ReadsOutsideAreAllOnesAndWritesOutsideDoNothing) {
  TRaster picture(3, 2);
  picture.WritePixel(2, 1, 0x12, 0x34, 0x56);
  EXPECT_EQ(picture.ReadPixel(2, 1), 0x563412u);
  const TRaster before = picture;
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 2}, {INT32_MIN, INT32_MAX}}) {
    EXPECT_EQ(picture.ReadPixel(x, y), 0xFFFFFFFFu) << x << "," << y;
    picture.WritePixel(x, y, 1, 2, 3);
  }
  EXPECT_TRUE(picture == before);
  EXPECT_EQ(TRaster().ReadPixel(0, 0), 0xFFFFFFFFu);
}

TEST(Raster, ResizeGivesTheNewSizeAndEveryPlaceCanBeWritten) {
  TRaster picture(2, 2);
  picture.Resize(5, 3);
  ASSERT_EQ(picture.Width(), 5);
  ASSERT_EQ(picture.Height(), 3);
  picture.WritePixel(4, 2, 7, 8, 9);
  EXPECT_EQ(picture.ReadPixel(4, 2), 0x090807u);
  EXPECT_EQ(picture.ReadPixel(5, 2), 0xFFFFFFFFu);
  picture.Resize(0, 7);
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Height(), 0);
}

}  // namespace

}  // namespace pavina::pictures
