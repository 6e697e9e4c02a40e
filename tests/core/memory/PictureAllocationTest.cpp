#include "BmpReader.h"
#include "BmpTestFile.h"
#include "PictureTestFiles.h"
#include "TestAllocator.h"

namespace pavina::pictures {

namespace {

// A bitmap header that announces 1048 x 13072 pixels (a 41 MB raster, within the limits)
// in front of only a few bytes of pixel data, as the fuzzer found it: the data is read
// through before the raster is allocated, so damaged data costs nothing.
std::vector<std::uint8_t> LargeHeaderSmallData(std::uint16_t bits, std::uint32_t compression,
                                               std::vector<std::uint8_t> data) {
  TBmpTestFile bmp;
  bmp.width = bmp.height = 2;
  bmp.bits = bits;
  bmp.compression = compression;
  if (bits <= 8)
    for (int i = 0; i < (1 << bits); ++i)
      bmp.palette.push_back({static_cast<std::uint8_t>(i), 0x40, static_cast<std::uint8_t>(~i)});
  bmp.pixels.assign(4, 1);
  std::vector<std::uint8_t> file = bmp.Write();
  const std::uint32_t offset = file[10] | file[11] << 8 | file[12] << 16;
  file.resize(offset);
  file.insert(file.end(), data.begin(), data.end());
  const auto put32 = [&](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  put32(18, 1048);
  put32(22, 13072);
  put32(34, static_cast<std::uint32_t>(data.size()));
  return file;
}

TEST(PictureAllocation, DamagedDataBehindALargeHeaderIsRefusedBeforeTheRasterIsAllocated) {
  const std::size_t raster = std::size_t{1048} * 13072 * 3;
  const struct {
    const char* what;
    std::vector<std::uint8_t> file;
  } damaged[] = {
      {"RLE8 without its end mark", LargeHeaderSmallData(8, TBmpTestFile::kRle8, {4, 1, 0, 0})},
      {"RLE4 running past its row",
       LargeHeaderSmallData(4, TBmpTestFile::kRle4,
                            {255, 0x11, 255, 0x11, 255, 0x11, 255, 0x11, 255, 0x11, 0, 1})},
      {"24 bits with one row of data",
       LargeHeaderSmallData(24, TBmpTestFile::kRgb, std::vector<std::uint8_t>(1048 * 3, 7))},
  };
  for (const auto& c : damaged) {
    SCOPED_TRACE(c.what);
    TRaster picture;
    core::ForgetLargestRequest();
    EXPECT_FALSE(ReadBmp(c.file.data(), c.file.size(), picture));
    EXPECT_LT(core::LargestRequest(), std::size_t{64 * 1024});
    EXPECT_TRUE(picture.Empty());
  }

  // The same header with whole data: a run, then the end of the bitmap. Everything else
  // keeps the first table colour.
  const std::vector<std::uint8_t> whole =
      LargeHeaderSmallData(8, TBmpTestFile::kRle8, {3, 5, 0, 1});
  TRaster picture;
  core::ForgetLargestRequest();
  ASSERT_TRUE(ReadBmp(whole.data(), whole.size(), picture));
  EXPECT_GE(core::LargestRequest(), raster);
  ASSERT_EQ(picture.Width(), 1048);
  ASSERT_EQ(picture.Height(), 13072);
  EXPECT_EQ(picture.ReadPixel(2, 13071), 0xFA4005u) << "the run, on the bottom row";
  EXPECT_EQ(picture.ReadPixel(3, 13071), 0xFF4000u);
  EXPECT_EQ(picture.ReadPixel(0, 0), 0xFF4000u);
  EXPECT_EQ(picture.ReadPixel(1047, 6000), 0xFF4000u);
}

}  // namespace

}  // namespace pavina::pictures
