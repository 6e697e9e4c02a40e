#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "PictureFile.h"
#include "PictureTestFiles.h"

namespace pavina::pictures {

namespace {

std::string FirstDifference(const TRaster& a, const TRaster& b) {
  std::ostringstream text;
  if (a.Width() != b.Width() || a.Height() != b.Height()) {
    text << a.Width() << "x" << a.Height() << " against " << b.Width() << "x" << b.Height();
    return text.str();
  }
  for (std::int32_t y = 0; y < a.Height(); ++y)
    for (std::int32_t x = 0; x < a.Width(); ++x)
      if (a.ReadPixel(x, y) != b.ReadPixel(x, y)) {
        text << std::hex << "at " << std::dec << x << "," << y << std::hex << ": "
             << a.ReadPixel(x, y) << " against " << b.ReadPixel(x, y);
        return text.str();
      }
  return "none";
}

// ImageMagick reads a 4-bit component v as v * 16, so white reads 240; we repeat the
// bits (v * 17) and white stays white.
void RepeatTopNibbles(TRaster& picture) {
  for (std::int32_t y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = picture.Row(y);
    for (std::int32_t i = 0; i < picture.Width() * 3; ++i) row[i] |= row[i] >> 4;
  }
}

void ExpectSameAsReference(const std::string& picture, const std::string& reference,
                           bool fourBitComponents = false) {
  const TPictureResult loaded = LoadPictureFile(picture);
  ASSERT_TRUE(loaded.Ok()) << picture;
  const TRaster& out = loaded.raster;
  TRaster expected;
  ASSERT_TRUE(ReadPnm(ReadFileBytes(reference), expected)) << reference;
  if (fourBitComponents) RepeatTopNibbles(expected);
  EXPECT_TRUE(out == expected) << picture << ": first difference "
                               << FirstDifference(out, expected);
}

// Every depth, header and compression that ImageMagick writes, from the photograph.
TEST(PictureFile, ImageMagickBitmapsReadAsImageMagickDecodesThem) {
  for (const std::string name :
       {"info24", "core24", "core8", "core4", "info8", "rle8", "info4", "info1", "v5rgb24",
        "v4rgb24", "rgb565", "rgb555", "argb4444", "argb1555", "xrgb32", "argb32"})
    ExpectSameAsReference(VariantPicture(name + ".bmp"), VariantPicture(name + ".ppm"),
                          name == "argb4444");
}

TEST(PictureFile, ShippedBitmapsReadAsImageMagickDecodesThem) {
  for (const char* name :
       {"nightshot_iso_100", "vgl_5674_0098", "vgl_6434_0018a", "vgl_6548_0026a"})
    ExpectSameAsReference(SamplePicture(std::string(name) + ".bmp"),
                          VariantPicture(std::string(name) + ".ppm"));
}

// The same numbers in the native and the Windows build: both turn the samples into the
// same pixels, JPEG decoding included.
TEST(PictureFile, BothBuildsReadTheSamplesToTheSamePixels) {
  struct Sample {
    const char* name;
    std::uint64_t checksum;
  };
  const Sample samples[] = {
      {"testorig.jpg", 11297187377836479090ull},
      // The same coefficients, coded progressively and arithmetically.
      {"testimgint.jpg", 18196191724765274456ull},
      {"testimgari.jpg", 18196191724765274456ull},
      {"nightshot_iso_100.bmp", 5753527202049076100ull},
      {"vgl_5674_0098.bmp", 7970632267981998645ull},
      {"vgl_6434_0018a.bmp", 7030331905128714476ull},
      {"vgl_6548_0026a.bmp", 10001316996986524034ull},
  };
  for (const Sample& sample : samples) {
    const TPictureResult loaded = LoadPictureFile(SamplePicture(sample.name));
    ASSERT_TRUE(loaded.Ok()) << sample.name;
    EXPECT_EQ(PixelChecksum(loaded.raster), sample.checksum) << sample.name;
  }
}

// The extension of the file name alone chooses the reader; every failure says why.
TEST(PictureFile, LoadsByExtensionOrSaysWhyNot) {
  TTempFolder folder;
  const auto bitmap = ReadFileBytes(VariantPicture("info8.bmp"));
  const auto jpeg = ReadFileBytes(SamplePicture("testorig.jpg"));
  const auto png = ReadFileBytes(VariantPicture("opaque.png"));
  using E = TPictureError;
  struct Case {
    const char* name;
    const std::vector<std::uint8_t>& bytes;
    TPictureError error;
  };
  const Case cases[] = {
      {"LOGO.BMP", bitmap, E::None},          {"logo.Bmp", bitmap, E::None},
      {"photo.JPEG", jpeg, E::None},          {"photo.jpg", jpeg, E::None},
      {"photo.JpG", jpeg, E::None},           {"two.dots.bmp", bitmap, E::None},
      {"logo.PNG", png, E::None},             {"logo.png", bitmap, E::Refused},
      {"logo", bitmap, E::UnknownFormat},     {"logo.", bitmap, E::UnknownFormat},
      {"logo.bmp.txt", bitmap, E::UnknownFormat}, {"logo.gif", bitmap, E::UnknownFormat},
      {"photo.bmp", jpeg, E::Refused},        {"logo.jpg", bitmap, E::Refused},
      {"logo.bmp", png, E::Refused},          {"empty.bmp", {}, E::CannotRead},
  };
  for (const Case& c : cases) {
    const std::string path = folder.File(c.name);
    WriteFileBytes(path, c.bytes);
    const TPictureResult loaded = LoadPictureFile(path);
    EXPECT_EQ(loaded.error, c.error) << c.name;
    EXPECT_EQ(loaded.raster.Empty(), c.error != E::None) << c.name;
  }

  // A dot in a folder's name is no extension; a folder or a missing file is no picture.
  std::filesystem::create_directories(folder.File("pictures.bmp"));
  WriteFileBytes(folder.File("pictures.bmp") + "/logo", bitmap);
  EXPECT_EQ(LoadPictureFile(folder.File("pictures.bmp") + "/logo").error, E::UnknownFormat);
  EXPECT_EQ(LoadPictureFile(folder.File("pictures.bmp")).error, E::CannotRead);
  EXPECT_EQ(LoadPictureFile(folder.File("absent.bmp")).error, E::CannotRead);
}

}  // namespace

}  // namespace pavina::pictures
