// Our PNG files read back by an independent reader, ImageMagick.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "PngWriter.h"

namespace pavina::cli {

namespace {

std::vector<std::uint8_t> DecodeWithImageMagick(const std::string& png) {
  const std::string command = "/usr/bin/convert '" + png + "' -depth 8 rgb:-";
  std::vector<std::uint8_t> pixels;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return pixels;
  for (int c; (c = std::fgetc(pipe)) != EOF;) pixels.push_back(static_cast<std::uint8_t>(c));
  pclose(pipe);
  return pixels;
}

TEST(PngWriter, ImageMagickReadsBackEveryPixel) {
  // 1 x 1, a wide and a tall picture, one over many IDAT chunks.
  const struct { std::uint32_t w, h; } sizes[] = {{1, 1}, {5461, 4}, {3, 2000}, {301, 250}};
  std::mt19937 random(7);
  for (const auto& size : sizes) {
    std::vector<std::uint8_t> rgb(std::size_t{size.w} * size.h * 3);
    for (auto& v : rgb) v = static_cast<std::uint8_t>(random());
    const std::string path = testing::TempDir() + "pavina-png-test.png";
    {
      std::ofstream file(path, std::ios::binary);
      ASSERT_TRUE(WritePngRgb(file, size.w, size.h, rgb));
    }
    EXPECT_EQ(DecodeWithImageMagick(path), rgb) << size.w << "x" << size.h;
    std::remove(path.c_str());
  }
}

TEST(PngWriter, PixelsOfTheWrongCountAndAFailingStreamAreRefused) {
  std::ostringstream out;
  EXPECT_FALSE(WritePngRgb(out, 2, 2, std::vector<std::uint8_t>(11)));
  EXPECT_EQ(out.str(), "");
  // A stream that fails: libpng's error comes back as false.
  std::ostringstream failed;
  failed.setstate(std::ios::badbit);
  EXPECT_FALSE(WritePngRgb(failed, 2, 2, std::vector<std::uint8_t>(12)));
}

}  // namespace

}  // namespace pavina::cli
