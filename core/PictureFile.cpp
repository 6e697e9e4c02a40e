#include "PictureFile.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <new>
#include <vector>

#include "BmpReader.h"
#include "JpegReader.h"
#include "PictureLimits.h"

namespace pavina::pictures {

namespace {

enum class TPictureFormat { kUnknown, kBmp, kJpeg };

// The text after the last dot of the file name; a dot in a folder name does not count.
TPictureFormat FormatOf(const std::string& path) {
  const std::size_t nameStart = path.find_last_of("/\\");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart))
    return TPictureFormat::kUnknown;
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "bmp") return TPictureFormat::kBmp;
  if (extension == "jpg" || extension == "jpeg") return TPictureFormat::kJpeg;
  return TPictureFormat::kUnknown;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file || !file.seekg(0, std::ios::end)) return false;
  const std::streamoff length = file.tellg();
  // A directory opens on some systems and reports a length of -1 or nonsense.
  if (length <= 0 || length > kMaxPictureFileBytes || !file.seekg(0, std::ios::beg)) return false;
  bytes.resize(static_cast<std::size_t>(length));
  file.read(reinterpret_cast<char*>(bytes.data()), length);
  return file.gcount() == length;
}

}  // namespace

bool LoadPictureFile(const std::string& path, TRaster& out) {
  const TPictureFormat format = FormatOf(path);
  if (format == TPictureFormat::kUnknown) return false;
  // A picture within the limits may still not fit in a fragmented 32-bit heap: the file
  // buffer or the raster is then refused like a damaged file, and nothing is kept.
  try {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    return format == TPictureFormat::kBmp ? ReadBmp(bytes.data(), bytes.size(), out)
                                          : ReadJpeg(bytes.data(), bytes.size(), out);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace pavina::pictures
