#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "Raster.h"

namespace pavina::pictures {

// Where the picture tests find their files. Both are compiled in, so that the Windows
// test program under Wine reads the same files through drive Z:.
//  PAVINA_PICTURE_SAMPLES: the test images of Debian's libjpeg-turbo source package.
//  PAVINA_PICTURE_VARIANTS: files that ImageMagick wrote from them at build time, each
//  BMP beside ImageMagick's own decoding of it as PPM.
inline std::string SamplePicture(const std::string& name) {
  return std::string(PAVINA_PICTURE_SAMPLES) + "/" + name;
}
inline std::string VariantPicture(const std::string& name) {
  return std::string(PAVINA_PICTURE_VARIANTS) + "/" + name;
}

inline std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(file.good()) << path;
}

// A binary PPM (P6) or PGM (P5) with a maximum of 255: the reference pictures.
inline bool ReadPnm(const std::vector<std::uint8_t>& bytes, TRaster& out) {
  std::size_t pos = 2;
  auto number = [&]() -> long {
    while (pos < bytes.size() && (std::isspace(bytes[pos]) || bytes[pos] == '#')) {
      if (bytes[pos] == '#')
        while (pos < bytes.size() && bytes[pos] != '\n') ++pos;
      else
        ++pos;
    }
    long value = 0;
    while (pos < bytes.size() && std::isdigit(bytes[pos]))
      value = value * 10 + (bytes[pos++] - '0');
    return value;
  };
  if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6')) return false;
  const int channels = bytes[1] == '6' ? 3 : 1;
  const long width = number(), height = number(), maximum = number();
  ++pos;
  if (maximum != 255 || bytes.size() - pos < static_cast<std::size_t>(width * height * channels))
    return false;
  out.Resize(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
  for (long y = 0; y < height; ++y)
    for (long x = 0; x < width; ++x, pos += channels)
      out.WritePixel(x, y, bytes[pos], bytes[pos + channels / 3], bytes[pos + 2 * (channels / 3)]);
  return true;
}

// A reader's clean failure: false, and the caller's raster left as it was.
inline void ExpectReaderRefuses(bool (*reader)(const std::uint8_t*, std::size_t, TRaster&),
                                const std::vector<std::uint8_t>& bytes, const std::string& what) {
  TRaster out(1, 1);
  out.WritePixel(0, 0, 9, 8, 7);
  EXPECT_FALSE(reader(bytes.data(), bytes.size(), out)) << what;
  EXPECT_EQ(out.Width(), 1) << what;
  EXPECT_EQ(out.ReadPixel(0, 0), 0x070809u) << what;
}

// FNV-1a over the size and every pixel: one number to compare between the two builds.
inline std::uint64_t PixelChecksum(const TRaster& picture) {
  std::uint64_t hash = 14695981039346656037ull;
  auto mix = [&hash](std::uint32_t value) {
    for (int i = 0; i < 4; ++i) hash = (hash ^ ((value >> (8 * i)) & 0xFF)) * 1099511628211ull;
  };
  mix(static_cast<std::uint32_t>(picture.Width()));
  mix(static_cast<std::uint32_t>(picture.Height()));
  for (std::int32_t y = 0; y < picture.Height(); ++y)
    for (std::int32_t x = 0; x < picture.Width(); ++x) mix(picture.ReadPixel(x, y));
  return hash;
}

// A folder of its own under the system's temporary folder, removed with its content.
class TTempFolder {
 public:
  TTempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("pavina-pictures-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace pavina::pictures
