#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "JpegReader.h"
#include "PictureTestFiles.h"

// clang-format off
#include <jpeglib.h>  // after <cstdio>: it uses FILE without including it

namespace pavina::pictures {
// clang-format on

namespace {

using TBytes = std::vector<std::uint8_t>;

bool Read(const TBytes& bytes, TRaster& out) {
  return ReadJpeg(bytes.data(), bytes.size(), out);
}

TRaster Photograph() {
  TRaster photo;
  EXPECT_TRUE(ReadPnm(ReadFileBytes(SamplePicture("testorig.ppm")), photo));
  return photo;
}

// Mean absolute difference of one component (0 red, 1 green, 2 blue) over the picture.
double MeanError(const TRaster& a, const TRaster& b, int component) {
  double sum = 0;
  for (std::int32_t y = 0; y < a.Height(); ++y)
    for (std::int32_t x = 0; x < a.Width(); ++x)
      sum += std::abs(static_cast<int>((a.ReadPixel(x, y) >> (8 * component)) & 0xFF) -
                      static_cast<int>((b.ReadPixel(x, y) >> (8 * component)) & 0xFF));
  return sum / (static_cast<double>(a.Width()) * a.Height());
}

// The samples were compressed from the photograph: each decodes to its size and close to
// it in every component (a swapped or shifted component would be far off).
TEST(JpegReader, ColourSamplesDecodeCloseToThePhotographTheyWereMadeFrom) {
  const TRaster photo = Photograph();
  for (const std::string& path :
       {SamplePicture("testorig.jpg"), SamplePicture("testimgint.jpg"),
        SamplePicture("testimgari.jpg"), VariantPicture("progressive.jpg")}) {
    TRaster out;
    ASSERT_TRUE(Read(ReadFileBytes(path), out)) << path;
    ASSERT_EQ(out.Width(), photo.Width()) << path;
    ASSERT_EQ(out.Height(), photo.Height()) << path;
    for (int component = 0; component < 3; ++component)
      EXPECT_LT(MeanError(out, photo, component), 4.0) << path << " component " << component;
  }
}

TEST(JpegReader, GreyscaleGivesEqualComponentsFollowingTheBrightness) {
  const TRaster photo = Photograph();
  TRaster out;
  ASSERT_TRUE(Read(ReadFileBytes(VariantPicture("grey.jpg")), out));
  ASSERT_EQ(out.Width(), photo.Width());
  double error = 0;
  for (std::int32_t y = 0; y < out.Height(); ++y)
    for (std::int32_t x = 0; x < out.Width(); ++x) {
      const std::uint32_t grey = out.ReadPixel(x, y), color = photo.ReadPixel(x, y);
      ASSERT_EQ(grey, (grey & 0xFF) * 0x010101u) << x << "," << y;
      const double luma =
          0.299 * (color & 0xFF) + 0.587 * ((color >> 8) & 0xFF) + 0.114 * (color >> 16);
      error += std::abs(luma - (grey & 0xFF));
    }
  EXPECT_LT(error / (static_cast<double>(out.Width()) * out.Height()), 6.0);
}

void ExpectRefused(const TBytes& bytes, const std::string& what) {
  ExpectReaderRefuses(ReadJpeg, bytes, what);
}

TEST(JpegReader, FilesWithoutAnRgbOrGreyFormFail) {
  ExpectRefused(ReadFileBytes(SamplePicture("testorig12.jpg")), "12-bit samples");
  ExpectRefused(ReadFileBytes(VariantPicture("cmyk.jpg")), "CMYK");
  ExpectRefused(ReadFileBytes(SamplePicture("testorig.ppm")), "not a JPEG");
  ExpectRefused({}, "empty");
}

TEST(JpegReader, TruncatedFilesFailAtEveryLength) {
  for (const std::string& path :
       {SamplePicture("testorig.jpg"), VariantPicture("progressive.jpg")}) {
    const TBytes whole = ReadFileBytes(path);
    // Every length near the start and the end, every 13th in between.
    for (std::size_t length = 0; length < whole.size();
         length += length < 700 || length > whole.size() - 40 ? 1 : 13)
      ExpectRefused(TBytes(whole.begin(), whole.begin() + length),
                    path + " cut to " + std::to_string(length));
  }
}

// The offset of the frame header's height, found by its marker.
std::size_t FrameSizeOffset(const TBytes& jpeg) {
  for (std::size_t i = 0; i + 9 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) return i + 5;
  ADD_FAILURE() << "no frame header";
  return 0;
}

TEST(JpegReader, ZeroAndOversizedDimensionsFailBeforeDecoding) {
  const TBytes good = ReadFileBytes(SamplePicture("testorig.jpg"));
  const std::size_t at = FrameSizeOffset(good);
  struct Case {
    std::uint16_t width, height;
  };
  // 0 is refused by libjpeg; larger sides or areas than the budget by us, and 4096 x 4096
  // passes the budget but runs out of data.
  for (const Case c : {Case{0, 149}, Case{227, 0}, Case{16385, 10}, Case{65500, 65500},
                       Case{5000, 4000}, Case{4096, 4096}}) {
    TBytes bytes = good;
    bytes[at] = c.height >> 8, bytes[at + 1] = c.height & 0xFF;
    bytes[at + 2] = c.width >> 8, bytes[at + 3] = c.width & 0xFF;
    ExpectRefused(bytes, std::to_string(c.width) + "x" + std::to_string(c.height));
  }
}

// A 16 x 16 grey progressive JPEG written by libjpeg with one scan for the DC values and,
// for each AC coefficient alone, a first scan at `bitsDropped` and one refinement scan per
// dropped bit: 1 + 63 * (1 + bitsDropped) valid scans.
TBytes ManyScanJpeg(int bitsDropped) {
  std::vector<jpeg_scan_info> scans{{1, {0}, 0, 0, 0, 0}};
  for (int k = 1; k < 64; ++k) {
    scans.push_back({1, {0}, k, k, 0, bitsDropped});
    for (int bit = bitsDropped; bit > 0; --bit) scans.push_back({1, {0}, k, k, bit, bit - 1});
  }
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = 16, info.image_height = 16;
  info.input_components = 1, info.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  info.scan_info = scans.data(), info.num_scans = static_cast<int>(scans.size());
  jpeg_start_compress(&info, TRUE);
  for (JDIMENSION y = 0; y < 16; ++y) {
    JSAMPLE row[16];
    for (int x = 0; x < 16; ++x) row[x] = static_cast<JSAMPLE>(x * 15 + y);
    JSAMPROW rows[] = {row};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  TBytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

// Every scan is a pass over the whole picture: files with hundreds are refused rather
// than decoded for minutes.
TEST(JpegReader, FilesWithTooManyScansFail) {
  TRaster out;
  ASSERT_TRUE(Read(ManyScanJpeg(0), out));  // 64 scans
  EXPECT_EQ(out.Width(), 16);
  EXPECT_NEAR(static_cast<int>(out.ReadPixel(15, 15) & 0xFF), 15 * 15 + 15, 8);
  ExpectRefused(ManyScanJpeg(10), "694 scans");
}

// Damaged bytes anywhere: a clean answer every time, and a success is a whole picture.
TEST(JpegReader, CorruptedBytesNeverCrash) {
  std::mt19937 random(1);
  for (const std::string& path : {SamplePicture("testorig.jpg"), SamplePicture("testimgari.jpg"),
                                  VariantPicture("progressive.jpg")}) {
    const TBytes good = ReadFileBytes(path);
    int refused = 0;
    for (int trial = 0; trial < 150; ++trial) {
      TBytes bytes = good;
      for (int i = 0; i < 1 + trial % 4; ++i)
        bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
      TRaster out;
      if (!Read(bytes, out)) {
        ++refused;
        EXPECT_TRUE(out.Empty());
      } else {
        EXPECT_GT(out.Width(), 0);
        EXPECT_GT(out.Height(), 0);
      }
    }
    EXPECT_GT(refused, 0) << path;
  }
}

}  // namespace

}  // namespace pavina::pictures
