#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "BmpReader.h"
#include "BmpTestFile.h"
#include "PictureTestFiles.h"

namespace pavina::pictures {

namespace {

using TFile = TBmpTestFile;
using TBytes = std::vector<std::uint8_t>;

bool Read(const TBytes& bytes, TRaster& out) {
  return ReadBmp(bytes.data(), bytes.size(), out);
}

// A picture with runs of equal pixels, so that run-length files use both kinds of run.
TFile Indexed(std::int32_t width, std::int32_t height, std::uint16_t bits, std::mt19937& random) {
  TFile file;
  file.width = width, file.height = height, file.bits = bits;
  for (int i = 0; i < (1 << bits); ++i)
    file.palette.push_back({static_cast<std::uint8_t>(random()),
                            static_cast<std::uint8_t>(random()),
                            static_cast<std::uint8_t>(random())});
  for (std::int32_t i = 0; i < width * height; ++i)
    file.pixels.push_back(i > 0 && random() % 2 ? file.pixels.back() : random() % (1u << bits));
  return file;
}

TRaster ExpectedIndexed(const TFile& file) {
  TRaster picture(file.width, file.height);
  for (std::int32_t y = 0; y < file.height; ++y)
    for (std::int32_t x = 0; x < file.width; ++x) {
      const auto& c = file.palette[file.pixels[static_cast<std::size_t>(y * file.width + x)]];
      picture.WritePixel(x, y, c[0], c[1], c[2]);
    }
  return picture;
}

TEST(BmpReader, IndexedPicturesOfEveryDepthHeaderAndRowOrderReadAsTheirTableColours) {
  std::mt19937 random(7);
  for (std::uint16_t bits : {1, 4, 8})
    for (std::uint32_t header : {TFile::kCoreHeader, TFile::kInfoHeader, TFile::kV5Header})
      for (bool topDown : {false, true})
        for (std::int32_t width : {1, 3, 5, 7, 13, 33})
          for (std::int32_t height : {1, 2, 5}) {
            if (topDown && header == TFile::kCoreHeader) continue;  // no sign in that header
            TFile file = Indexed(width, height, bits, random);
            file.header = header, file.topDown = topDown;
            TRaster out;
            ASSERT_TRUE(Read(file.Write(), out))
                << bits << " bits, header " << header << ", " << width << "x" << height;
            EXPECT_EQ(out, ExpectedIndexed(file)) << bits << " bits, header " << header;
          }
}

TEST(BmpReader, RunLengthPicturesReadAsTheirTableColours) {
  std::mt19937 random(11);
  for (std::uint16_t bits : {4, 8})
    for (std::int32_t width : {1, 2, 3, 7, 30, 300})
      for (std::int32_t height : {1, 4}) {
        TFile file = Indexed(width, height, bits, random);
        file.compression = bits == 4 ? TFile::kRle4 : TFile::kRle8;
        TRaster out;
        ASSERT_TRUE(Read(file.Write(), out)) << bits << " bits, " << width << "x" << height;
        EXPECT_EQ(out, ExpectedIndexed(file)) << bits << " bits, " << width << "x" << height;
      }
}

TEST(BmpReader, DirectColourPicturesReadTheirComponents) {
  std::mt19937 random(3);
  struct Case {
    std::uint16_t bits;
    std::uint32_t compression;
    std::array<std::uint32_t, 3> masks;  // where red, green and blue bytes are put
  };
  const Case cases[] = {{24, TFile::kRgb, {0, 8, 16}},
                        {32, TFile::kRgb, {16, 8, 0}},
                        {32, TFile::kBitfields, {16, 8, 0}},
                        {32, TFile::kBitfields, {24, 16, 8}},
                        {32, TFile::kBitfields, {0, 8, 16}}};
  for (const Case& c : cases)
    for (std::uint32_t header : {TFile::kInfoHeader, TFile::kV4Header})
      for (bool topDown : {false, true})
        for (std::int32_t width : {1, 2, 3, 5}) {
          TFile file;
          file.width = width, file.height = 3, file.bits = c.bits, file.compression = c.compression;
          file.header = header, file.topDown = topDown;
          for (int i = 0; i < 3; ++i) file.masks[i] = 0xFFu << c.masks[i];
          TRaster expected(width, 3);
          for (std::int32_t y = 0; y < 3; ++y)
            for (std::int32_t x = 0; x < width; ++x) {
              const std::uint8_t r = random(), g = random(), b = random();
              expected.WritePixel(x, y, r, g, b);
              file.pixels.push_back(std::uint32_t{r} << c.masks[0] |
                                    std::uint32_t{g} << c.masks[1] |
                                    std::uint32_t{b} << c.masks[2]);
            }
          TRaster out;
          ASSERT_TRUE(Read(file.Write(), out)) << c.bits << " bits, width " << width;
          EXPECT_EQ(out, expected)
              << c.bits << " bits, masks at " << c.masks[0] << ", width " << width;
        }
}

// Narrow components repeat their bits to fill 8 (all ones reads 255), wide ones keep
// their top 8 bits.
TEST(BmpReader, NarrowMasksScaleToTheFullRange) {
  struct Case {
    std::uint16_t bits;
    std::uint32_t compression;
    std::array<std::uint32_t, 3> masks;
    std::uint32_t word;
    std::uint32_t color;  // red | green << 8 | blue << 16
  };
  const Case cases[] = {
      {16, TFile::kRgb, {}, 0x7FFF, 0xFFFFFF},  // 5-5-5 without masks
      {16, TFile::kRgb, {}, 0x7C00, 0x0000FF},
      {16, TFile::kRgb, {}, 0x03E0, 0x00FF00},
      {16, TFile::kRgb, {}, 0x001F, 0xFF0000},
      {16, TFile::kRgb, {}, 0x8000, 0x000000},  // the unused top bit
      {16, TFile::kRgb, {}, 0x4210, 0x848484},  // 10000 -> 10000100
      {16, TFile::kRgb, {}, 0x1CE7, 0x393939},  // 00111 -> 00111001
      {16, TFile::kBitfields, {0xF800, 0x07E0, 0x001F}, 0xF800, 0x0000FF},
      {16, TFile::kBitfields, {0xF800, 0x07E0, 0x001F}, 0x0160, 0x002C00},  // 001011 -> 00101100
      {16, TFile::kBitfields, {0x8000, 0x6000, 0x0000}, 0xA000, 0x55FF},    // 1 and 2 bits
      {16, TFile::kBitfields, {0x0F00, 0x00F0, 0x000F}, 0x1234, 0x443322},  // 4 bits * 17
      {16, TFile::kBitfields, {0x0F00, 0x0000, 0x000F}, 0x0F0F, 0xFF00FF},  // no green at all
      {32, TFile::kBitfields, {0x3FF00000, 0x000FFC00, 0x000003FF}, 0x3FF00000, 0x0000FF},
      {32, TFile::kBitfields, {0x3FF00000, 0x000FFC00, 0x000003FF}, 0x000001FF, 0x7F0000},
  };
  for (const Case& c : cases) {
    TFile file;
    file.width = 1, file.height = 1, file.bits = c.bits, file.compression = c.compression;
    file.masks = c.masks;
    file.pixels = {c.word};
    TRaster out;
    ASSERT_TRUE(Read(file.Write(), out)) << std::hex << c.word;
    EXPECT_EQ(out.ReadPixel(0, 0), c.color) << std::hex << "word " << c.word;
  }
}

// A small table with index 0 red, 1 green, 2 blue; the data is written by hand.
TFile RunLengthFile(std::uint32_t compression, std::int32_t width, std::int32_t height) {
  TFile file;
  file.width = width, file.height = height, file.bits = compression == TFile::kRle4 ? 4 : 8;
  file.compression = compression;
  file.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  return file;
}

// The file's headers and table followed by the given pixel data.
TBytes WithData(TFile file, const TBytes& data) {
  file.pixels.assign(static_cast<std::size_t>(file.width) * file.height, 0);
  TBytes bytes = file.Write();
  bytes.resize(bytes[10] | bytes[11] << 8);
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

TEST(BmpReader, RunLengthEscapesMoveAndEndAndSkippedPixelsKeepTheFirstColour) {
  const std::uint32_t r = 0x0000FF, g = 0x00FF00, b = 0xFF0000;
  TFile file = RunLengthFile(TFile::kRle8, 4, 3);
  // Bottom line: 2 green, then a move 1 right and 1 up, 1 blue; end of line;
  // top line: a literal run green, blue, green with its pad byte; end of bitmap.
  TRaster out;
  ASSERT_TRUE(Read(WithData(file, {2, 1, 0, 2, 1, 1, 1, 2, 0, 0, 0, 3, 1, 2, 1, 0, 0, 1}), out));
  const std::uint32_t expected[3][4] = {{g, b, g, r}, {r, r, r, b}, {g, g, r, r}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(out.ReadPixel(x, y), expected[y][x]) << x << "," << y;

  // Four bits: an encoded run alternates the byte's two indexes, a literal run takes
  // nibbles in order; the end of bitmap comes early.
  file = RunLengthFile(TFile::kRle4, 5, 2);
  ASSERT_TRUE(Read(WithData(file, {5, 0x12, 0, 0, 0, 3, 0x21, 0x20, 0, 1}), out));
  const std::uint32_t expected4[2][5] = {{b, g, b, r, r}, {g, b, g, b, g}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(out.ReadPixel(x, y), expected4[y][x]) << x << "," << y;
}

TEST(BmpReader, AShortColourTableBeforeThePixelsIsHonoured) {
  TFile file;
  file.width = 4, file.height = 1, file.bits = 8, file.compression = TFile::kRgb;
  file.palette = {{1, 2, 3}, {4, 5, 6}};
  file.pixels = {1, 0, 1, 1};
  TBytes bytes = file.Write();
  bytes[46] = 0;  // colours used: 0 means a full table, but only two fit before the pixels
  TRaster out;
  ASSERT_TRUE(Read(bytes, out));
  EXPECT_EQ(out.ReadPixel(0, 0), 0x060504u);
  EXPECT_EQ(out.ReadPixel(1, 0), 0x030201u);
}

void ExpectRefused(const TBytes& bytes, const std::string& what) {
  ExpectReaderRefuses(ReadBmp, bytes, what);
}

void Patch32(TBytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST(BmpReader, TruncatedFilesFailAtEveryLength) {
  std::mt19937 random(5);
  std::vector<TFile> files;
  for (std::uint16_t bits : {1, 4, 8}) files.push_back(Indexed(32, 3, bits, random));
  files.push_back(Indexed(8, 3, 8, random));
  files.back().header = TFile::kCoreHeader;
  for (std::uint32_t rle : {TFile::kRle4, TFile::kRle8}) {
    files.push_back(Indexed(9, 3, rle == TFile::kRle4 ? 4 : 8, random));
    files.back().compression = rle;
  }
  TFile direct;
  direct.width = 4, direct.height = 2, direct.bits = 32, direct.compression = TFile::kBitfields;
  direct.masks = {0xFF0000, 0xFF00, 0xFF};
  direct.pixels.assign(8, 0x123456);
  files.push_back(direct);
  direct.bits = 24;
  direct.compression = TFile::kRgb;
  files.push_back(direct);

  for (const TFile& file : files) {
    const TBytes bytes = file.Write();
    TRaster whole;
    ASSERT_TRUE(Read(bytes, whole)) << file.bits << " bits";
    // Rows are whole words here, so only complete files hold every pixel.
    for (std::size_t length = 0; length < bytes.size(); ++length)
      ExpectRefused(TBytes(bytes.begin(), bytes.begin() + length),
                    std::to_string(file.bits) + " bits cut to " + std::to_string(length));
  }
}

// Damaged bytes anywhere, mostly in the headers and tables: a clean answer every time.
TEST(BmpReader, CorruptedBytesNeverCrash) {
  std::mt19937 random(9);
  std::vector<TBytes> files;
  for (std::uint32_t compression : {TFile::kRgb, TFile::kRle4, TFile::kRle8}) {
    TFile file = Indexed(13, 5, compression == TFile::kRle8 ? 8 : 4, random);
    file.compression = compression;
    files.push_back(file.Write());
  }
  TFile direct;
  direct.width = 5, direct.height = 3, direct.bits = 16, direct.compression = TFile::kBitfields;
  direct.header = TFile::kV5Header, direct.masks = {0xF800, 0x07E0, 0x001F};
  direct.pixels.assign(15, 0x1234);
  files.push_back(direct.Write());
  for (const TBytes& good : files) {
    int refused = 0;
    for (int trial = 0; trial < 2000; ++trial) {
      TBytes bytes = good;
      for (int i = 0; i < 1 + trial % 3; ++i) {
        const std::size_t at = random() % 2 ? random() % 70 : random() % bytes.size();
        bytes[at] = static_cast<std::uint8_t>(random());
      }
      TRaster out;
      if (Read(bytes, out)) {
        EXPECT_FALSE(out.Empty());
      } else {
        ++refused;
        EXPECT_TRUE(out.Empty());
      }
    }
    EXPECT_GT(refused, 0);
  }
}

TEST(BmpReader, ZeroAndOversizedDimensionsFailBeforeAllocating) {
  TFile file = RunLengthFile(TFile::kRle8, 1, 1);
  const TBytes base = WithData(file, {0, 1});  // an end-of-bitmap mark and nothing else
  struct Case {
    std::int32_t width, height;
    bool accepted;
  };
  const Case cases[] = {{0, 1, false},          {1, 0, false},         {-5, 1, false},
                        {16385, 1, false},      {1, 16385, false},     {100000, 100000, false},
                        {0x7FFFFFFF, 1, false}, {1, INT32_MIN, false}, {8192, 4096, false},
                        {4097, 4096, false},    {4096, 4096, true},    {16384, 1024, true}};
  for (const Case& c : cases) {
    TBytes bytes = base;
    Patch32(bytes, 18, static_cast<std::uint32_t>(c.width));
    Patch32(bytes, 22, static_cast<std::uint32_t>(c.height));
    const std::string what = std::to_string(c.width) + "x" + std::to_string(c.height);
    if (!c.accepted) {
      ExpectRefused(bytes, what);
      continue;
    }
    TRaster out;
    ASSERT_TRUE(Read(bytes, out)) << what;
    EXPECT_EQ(out.Width(), c.width);
    EXPECT_EQ(out.ReadPixel(c.width - 1, c.height - 1), 0x0000FFu) << what;
  }
}

TEST(BmpReader, DamagedHeadersAndOffsetsFail) {
  TFile file = RunLengthFile(TFile::kRgb, 2, 2);
  file.bits = 8;
  file.pixels = {0, 1, 2, 1};
  const TBytes good = file.Write();  // pixels at 14 + 40 + 12 = 66
  TRaster out;
  ASSERT_TRUE(Read(good, out));

  auto patched = [&](std::size_t at, std::uint32_t value) {
    TBytes bytes = good;
    Patch32(bytes, at, value);
    return bytes;
  };
  TBytes notBitmap = good;
  notBitmap[0] = 'X';
  ExpectRefused(notBitmap, "signature");
  ExpectRefused(patched(10, static_cast<std::uint32_t>(good.size()) + 1), "pixels past the end");
  ExpectRefused(patched(10, static_cast<std::uint32_t>(good.size()) - 4), "pixels cut short");
  ExpectRefused(patched(10, 20), "pixels inside the header");
  ExpectRefused(patched(10, 0xFFFFFFF0u), "offset wrapping round");
  ExpectRefused(patched(14, 13), "header between the known sizes");
  ExpectRefused(patched(14, 0xFFFFFFFFu), "header larger than the file");
  for (std::uint32_t bits : {0u, 2u, 64u})
    ExpectRefused(patched(26, bits << 16 | 1), std::to_string(bits) + " bits");
  TBytes maskedTrueColour = patched(26, 24u << 16 | 1);
  Patch32(maskedTrueColour, 30, 3);
  ExpectRefused(maskedTrueColour, "24 bits with masks");
  for (std::uint32_t compression : {2u, 3u, 4u, 5u, 7u})  // RLE4 for 8 bits, masks, JPEG, PNG
    ExpectRefused(patched(30, compression), "compression " + std::to_string(compression));
}

TEST(BmpReader, MasksThatAreNotOneRunWithinThePixelFail) {
  for (std::uint32_t red : {0x0505u, 0x10000u, 0x80000000u}) {
    TFile file;
    file.width = 1, file.height = 1, file.bits = 16, file.compression = TFile::kBitfields;
    file.masks = {red, 0x00F0, 0x000F};
    file.pixels = {0};
    ExpectRefused(file.Write(), "red mask " + std::to_string(red));
  }
  TFile wide;
  wide.width = 1, wide.height = 1, wide.bits = 32, wide.compression = TFile::kBitfields;
  wide.masks = {0xFFFFFFFFu, 0, 0};  // the whole pixel is red
  wide.pixels = {0xFFFFFFFFu};
  TRaster out;
  ASSERT_TRUE(Read(wide.Write(), out));
  EXPECT_EQ(out.ReadPixel(0, 0), 0x0000FFu);
}

TEST(BmpReader, IndexesOutsideTheColourTableFail) {
  TFile file = RunLengthFile(TFile::kRgb, 3, 1);  // three table colours
  file.bits = 8;
  file.pixels = {0, 3, 1};
  ExpectRefused(file.Write(), "8 bits, index 3");
  file.bits = 4;
  ExpectRefused(file.Write(), "4 bits, index 3");
  file.bits = 1;
  file.palette.resize(1);
  file.pixels = {0, 1, 0};
  ExpectRefused(file.Write(), "1 bit, index 1 of a one-colour table");
  file.bits = 8;
  file.compression = TFile::kRle8;
  file.palette.resize(3);
  file.pixels = {0, 5, 5};
  ExpectRefused(file.Write(), "encoded run of index 5");
  file.pixels = {0, 1, 5};
  ExpectRefused(file.Write(), "literal run with index 5");
}

TEST(BmpReader, BadRunLengthDataFails) {
  const TFile rle8 = RunLengthFile(TFile::kRle8, 4, 2);
  const TFile rle4 = RunLengthFile(TFile::kRle4, 4, 2);
  struct Case {
    const TFile& file;
    TBytes data;
    const char* what;
  };
  const Case cases[] = {
      {rle8, {5, 1, 0, 1}, "encoded run past the row"},
      {rle8, {3, 1, 2, 1, 0, 1}, "second run past the row"},
      {rle8, {0, 5, 1, 1, 1, 1, 1, 0, 0, 1}, "literal run past the row"},
      {rle4, {9, 0x11, 0, 1}, "four-bit run past the row's 8 stored places"},
      {rle4, {0, 9, 0x11, 0x11, 0x11, 0x11, 0x10, 0, 0, 1}, "four-bit literal past them"},
      {rle8, {0, 2, 5, 0, 0, 1}, "move past the right edge"},
      {rle8, {0, 2, 0, 2, 0, 1}, "move past the top line"},
      {rle8, {0, 0, 0, 0, 1, 1, 0, 1}, "pixels after the last line"},
      {rle8, {4, 1, 0, 0, 4, 1, 0, 0}, "no end-of-bitmap mark"},
      {rle8, {0, 3, 1, 1}, "literal run cut short"},
      {rle8, {0, 3, 1, 1, 1}, "literal run without its pad byte"},
      {rle8, {0, 2, 1}, "move cut short"},
      {rle8, {4}, "half a run"},
  };
  for (const Case& c : cases) ExpectRefused(WithData(c.file, c.data), c.what);

  // A run into the row's padding (to its 32-bit boundary) is read and dropped.
  TRaster out;
  ASSERT_TRUE(Read(WithData(RunLengthFile(TFile::kRle8, 3, 1), {4, 1, 0, 1}), out));
  EXPECT_EQ(out.ReadPixel(2, 0), 0x00FF00u);
  ASSERT_TRUE(Read(WithData(rle4, {8, 0x12, 0, 0, 0, 1}), out));
  EXPECT_EQ(out.ReadPixel(3, 1), 0xFF0000u);
  ExpectRefused(WithData(RunLengthFile(TFile::kRle8, 3, 1), {4, 5, 0, 1}), "index 5 in padding");

  TFile topDown = rle8;
  topDown.topDown = true;
  ExpectRefused(WithData(topDown, {0, 1}), "compressed rows from the top");
}

}  // namespace

}  // namespace pavina::pictures
