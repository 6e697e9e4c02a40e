#include <gtest/gtest.h>

#include <zlib.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "PictureTestFiles.h"
#include "PngReader.h"

namespace {

using TBytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

// An 8-bit RGBA PAM as ImageMagick writes it: the reference readings of the PngSuite.
struct TPam {
  std::int32_t width = 0, height = 0;
  TBytes rgba;
};

bool ReadPam(const TBytes& bytes, TPam& pam) {
  const std::string text(bytes.begin(), bytes.end());
  const std::size_t end = text.find("ENDHDR\n");
  if (end == std::string::npos || text.find("DEPTH 4\n") > end) return false;
  pam.width = std::stoi(text.substr(text.find("WIDTH ") + 6));
  pam.height = std::stoi(text.substr(text.find("HEIGHT ") + 7));
  pam.rgba.assign(bytes.begin() + static_cast<std::ptrdiff_t>(end + 7), bytes.end());
  return pam.rgba.size() == std::size_t{4} * pam.width * pam.height;
}

// PNG chunks of a file: where each starts (its length field).
std::vector<std::size_t> Chunks(const TBytes& png) {
  std::vector<std::size_t> at;
  for (std::size_t pos = 8; pos + 12 <= png.size();) {
    at.push_back(pos);
    pos +=
        12 + (std::size_t{png[pos]} << 24 | png[pos + 1] << 16 | png[pos + 2] << 8 | png[pos + 3]);
  }
  return at;
}

bool HasChunk(const TBytes& png, const char* type) {
  for (std::size_t at : Chunks(png))
    if (std::string(png.begin() + at + 4, png.begin() + at + 8) == type) return true;
  return false;
}

TEST(PngReader, EveryPngSuitePictureReadsAsImageMagickReadsIt) {
  const fs::path suite = PAVINA_PNG_SUITE;
  if (!fs::is_directory(suite))
    GTEST_SKIP() << "no PngSuite at " << suite << ": Debian's libpng1.6 source is not unpacked";
  int checked = 0;
  for (const auto& entry : fs::recursive_directory_iterator(suite)) {
    if (entry.path().extension() != ".png") continue;
    std::string name = fs::relative(entry.path(), suite).replace_extension().generic_string();
    for (char& c : name) c = c == '/' ? '_' : c;
    SCOPED_TRACE(name);
    TPam reference;
    ASSERT_TRUE(ReadPam(ReadFileBytes(std::string(PAVINA_PNG_REFERENCES) + "/" + name + ".pam"),
                        reference));
    const TBytes file = ReadFileBytes(entry.path().string());
    TRaster colour, alpha;
    ASSERT_TRUE(ReadPng(file.data(), file.size(), colour, alpha));
    ASSERT_EQ(colour.Width(), reference.width);
    ASSERT_EQ(colour.Height(), reference.height);
    EXPECT_EQ(!alpha.Empty(), (file[25] & 4) != 0 || HasChunk(file, "tRNS"))
        << "alpha channel or tRNS";
    // ImageMagick truncates 16-bit samples to 8 bits (v / 257), libpng rounds them
    // (v * 255 / 65535): one step apart at most.
    const int slack = file[24] == 16 ? 1 : 0;
    const auto near = [slack](int a, int b) { return a - b <= slack && b - a <= slack; };
    int wrong = 0;
    for (std::int32_t y = 0; y < reference.height; ++y)
      for (std::int32_t x = 0; x < reference.width; ++x) {
        const std::uint8_t* p = &reference.rgba[(std::size_t{4} * y * reference.width) + 4 * x];
        const std::uint32_t c = colour.ReadPixel(x, y);
        const std::uint32_t a = alpha.Empty() ? 0xFFFFFF : alpha.ReadPixel(x, y);
        if (!near(c & 0xFF, p[0]) || !near(c >> 8 & 0xFF, p[1]) || !near(c >> 16, p[2]) ||
            !near(a & 0xFF, p[3]) || a != (a & 0xFF) * 0x010101u)
          ++wrong;
      }
    EXPECT_EQ(wrong, 0);
    ++checked;
  }
  EXPECT_GE(checked, 50) << "PngSuite pictures in " << suite;
}

// Changes a chunk's data and gives it a CRC that fits, so that only the change is wrong.
TBytes Edited(TBytes png, const char* type, const std::function<void(std::uint8_t*)>& edit) {
  for (std::size_t at : Chunks(png)) {
    if (std::string(png.begin() + at + 4, png.begin() + at + 8) != type) continue;
    const std::size_t length = png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    edit(&png[at + 8]);
    const uLong crc = crc32(0, &png[at + 4], static_cast<uInt>(length + 4));
    for (int i = 0; i < 4; ++i)
      png[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    break;
  }
  return png;
}

TBytes Cut(TBytes png, std::size_t size) {
  png.resize(size);
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
  TRaster colour, alpha;
  ASSERT_TRUE(ReadPng(good.data(), good.size(), colour, alpha));
  ASSERT_FALSE(alpha.Empty());
  const std::vector<std::size_t> chunks = Chunks(good);
  ASSERT_GE(chunks.size(), 3u);
  std::size_t idat = 0;
  for (std::size_t at : chunks)
    if (idat == 0 && std::string(good.begin() + at + 4, good.begin() + at + 8) == "IDAT") idat = at;
  ASSERT_NE(idat, 0u);

  // After the IHDR, a text chunk that announces 1.3 GB and holds a few bytes: libpng would
  // allocate all of it before finding the end of the file.
  TBytes hugeText = good;
  hugeText.insert(hugeText.begin() + 33, {0x52, 0, 0, 0, 'i', 'T', 'X', 't', ' ', 1, 3});
  TBytes headerCrc = good, dataCrc = good;
  headerCrc[8 + 8 + 12] ^= 1;  // the IHDR's CRC
  dataCrc[idat + 8 + 20] ^= 0x40;
  const struct {
    const char* what;
    TBytes file;
  } damaged[] = {
      {"signature only", Cut(good, 8)},
      {"cut in the header", Cut(good, 20)},
      {"cut in the image data", Cut(good, idat + 40)},
      {"cut before the end chunk", Cut(good, good.size() - 12)},
      {"IHDR's CRC wrong", headerCrc},
      {"IDAT's CRC wrong", dataCrc},
      {"compressed data damaged", Edited(good, "IDAT", [](std::uint8_t* d) { d[2] ^= 0xFF; })},
      {"bit depth 3", Edited(good, "IHDR", [](std::uint8_t* d) { d[8] = 3; })},
      {"colour type 5", Edited(good, "IHDR", [](std::uint8_t* d) { d[9] = 5; })},
      {"interlace method 2", Edited(good, "IHDR", [](std::uint8_t* d) { d[12] = 2; })},
      {"a text chunk longer than the file", hugeText},
      {"width 0", Edited(good, "IHDR", [](std::uint8_t* d) { Put32(d, 0); })},
      {"16385 pixels wide", Edited(good, "IHDR", [](std::uint8_t* d) { Put32(d, 16385); })},
      {"4097 x 4097 pixels",
       Edited(good, "IHDR", [](std::uint8_t* d) { Put32(d, 4097), Put32(d + 4, 4097); })},
      {"2^31 - 1 a side",
       Edited(good, "IHDR",
              [](std::uint8_t* d) { Put32(d, 0x7FFFFFFF), Put32(d + 4, 0x7FFFFFFF); })},
  };
  TBytes noSignature = good;
  noSignature[1] = 'Q';
  for (const auto& c : damaged) ExpectReaderRefuses(ReadColourOnly, c.file, c.what);
  ExpectReaderRefuses(ReadColourOnly, noSignature, "wrong signature");
  ExpectReaderRefuses(ReadColourOnly, {}, "empty");
}

}  // namespace
