#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "PictureTestFiles.h"
#include "PngReader.h"

namespace pavina::pictures {

namespace {

using TBytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

std::size_t Find(const TBytes& png, const char* type) {
  return static_cast<std::size_t>(std::search(png.begin(), png.end(), type, type + 4) -
                                  png.begin());
}

// Every picture of the PngSuite in Debian's libpng source against ImageMagick's reading
// of it, an 8-bit RGBA PAM made at build time (png-references.sh).
TEST(PngReader, EveryPngSuitePictureReadsAsImageMagickReadsIt) {
  const fs::path suite = PAVINA_PNG_SUITE;
  if (!fs::is_directory(suite))
    GTEST_SKIP() << "no PngSuite at " << suite << ": Debian's libpng1.6 source is not unpacked";
  int checked = 0;
  for (const auto& entry : fs::recursive_directory_iterator(suite)) {
    if (entry.path().extension() != ".png") continue;
    std::string name = fs::relative(entry.path(), suite).replace_extension().generic_string();
    std::replace(name.begin(), name.end(), '/', '_');
    SCOPED_TRACE(name);
    const TBytes pam = ReadFileBytes(std::string(PAVINA_PNG_REFERENCES) + "/" + name + ".pam");
    const std::string text(pam.begin(), pam.end());
    int width = 0, height = 0;
    ASSERT_EQ(std::sscanf(text.c_str(), "P7 WIDTH %d HEIGHT %d DEPTH 4", &width, &height), 2);
    const std::uint8_t* p = pam.data() + text.find("ENDHDR\n") + 7;
    const TBytes file = ReadFileBytes(entry.path().string());
    TRaster colour, alpha;
    ASSERT_TRUE(ReadPng(file.data(), file.size(), colour, alpha));
    ASSERT_EQ(colour.Width(), width);
    ASSERT_EQ(colour.Height(), height);
    ASSERT_EQ(pam.data() + pam.size() - p, 4 * width * height);
    EXPECT_EQ(!alpha.Empty(), (file[25] & 4) != 0 || Find(file, "tRNS") < file.size());
    // ImageMagick truncates 16-bit samples (v / 257), libpng rounds them: one step apart.
    const int slack = file[24] == 16 ? 1 : 0;
    int wrong = 0;
    for (std::int32_t y = 0; y < height; ++y)
      for (std::int32_t x = 0; x < width; ++x, p += 4) {
        const std::uint32_t c = colour.ReadPixel(x, y);
        const std::uint32_t a = alpha.Empty() ? 0xFFFFFF : alpha.ReadPixel(x, y);
        const int got[] = {int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16), int(a & 0xFF)};
        for (int i = 0; i < 4; ++i) wrong += std::abs(got[i] - p[i]) > slack;
        wrong += a != (a & 0xFF) * 0x010101u;
      }
    EXPECT_EQ(wrong, 0);
    ++checked;
  }
  EXPECT_GE(checked, 50) << "PngSuite pictures in " << suite;
}

// A copy whose chunk of `type` is changed, its CRC made to fit: only the change is wrong.
TBytes Edited(TBytes png, const char* type, const std::function<void(std::uint8_t*)>& edit) {
  const std::size_t at = Find(png, type) - 4;
  const std::size_t length = png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
  edit(&png[at + 8]);
  const uLong crc = crc32(0, &png[at + 4], static_cast<uInt>(length + 4));
  for (int i = 0; i < 4; ++i)
    png[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
  return png;
}

TBytes Flipped(TBytes png, std::size_t at) {
  png.at(at) ^= 0x40;
  return png;
}

void Put32(std::uint8_t* p, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

bool ReadColourOnly(const std::uint8_t* data, std::size_t size, TRaster& out) {
  return ReadPng(data, size, out);
}

// Damaged files made from a good one: each is refused, and the caller's picture stays.
TEST(PngReader, DamagedFilesAreRefused) {
  const TBytes good = ReadFileBytes(VariantPicture("alpha.png"));
  TRaster colour;
  ASSERT_TRUE(ReadColourOnly(good.data(), good.size(), colour));
  const std::size_t idat = Find(good, "IDAT");
  ASSERT_LT(idat + 40, good.size());
  // After the IHDR, a text chunk that announces 1.3 GB and holds a few bytes: libpng would
  // allocate all of it before finding the end of the file.
  TBytes hugeText = good;
  hugeText.insert(hugeText.begin() + 33, {0x52, 0, 0, 0, 'i', 'T', 'X', 't', ' ', 1, 3});
  const struct {
    const char* what;
    TBytes file;
  } damaged[] = {
      {"empty", {}},
      {"wrong signature", Flipped(good, 1)},
      {"cut in the header", TBytes(good.begin(), good.begin() + 20)},
      {"cut in the image data", TBytes(good.begin(), good.begin() + idat + 40)},
      {"cut before the end chunk", TBytes(good.begin(), good.end() - 12)},
      {"IHDR's CRC wrong", Flipped(good, 29)},
      {"IDAT's CRC wrong", Flipped(good, idat + 20)},
      {"compressed data damaged", Edited(good, "IDAT", [](std::uint8_t* d) { d[2] ^= 0xFF; })},
      {"bit depth 3", Edited(good, "IHDR", [](std::uint8_t* d) { d[8] = 3; })},
      {"colour type 5", Edited(good, "IHDR", [](std::uint8_t* d) { d[9] = 5; })},
      {"width 0", Edited(good, "IHDR", [](std::uint8_t* d) { Put32(d, 0); })},
      {"16385 pixels wide", Edited(good, "IHDR", [](std::uint8_t* d) { Put32(d, 16385); })},
      {"4097 x 4097 pixels",
       Edited(good, "IHDR", [](std::uint8_t* d) { Put32(d, 4097), Put32(d + 4, 4097); })},
      {"a text chunk longer than the file", hugeText},
  };
  for (const auto& c : damaged) ExpectReaderRefuses(ReadColourOnly, c.file, c.what);
}

}  // namespace

}  // namespace pavina::pictures
