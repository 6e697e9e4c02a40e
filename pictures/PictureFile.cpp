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
#include "PngReader.h"

namespace pavina::pictures {

namespace {

enum class TPictureFormat { kUnknown, kBmp, kJpeg, kPng };

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
  if (extension == "png") return TPictureFormat::kPng;
  return TPictureFormat::kUnknown;
}

TPictureError ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  // A directory opens on some systems and reports a length of -1 or nonsense; nothing can
  // be read from it.
  std::ifstream file(path, std::ios::binary);
  if (!file || file.peek() == std::ifstream::traits_type::eof() || !file.seekg(0, std::ios::end))
    return TPictureError::CannotRead;
  const std::streamoff length = file.tellg();
  if (length <= 0 || !file.seekg(0, std::ios::beg)) return TPictureError::CannotRead;
  if (length > kMaxPictureFileBytes) return TPictureError::TooLarge;
  bytes.resize(static_cast<std::size_t>(length));
  file.read(reinterpret_cast<char*>(bytes.data()), length);
  return file.gcount() == length ? TPictureError::None : TPictureError::CannotRead;
}

}  // namespace

TPictureResult LoadPictureFile(const std::string& path) {
  TPictureResult result;
  const TPictureFormat format = FormatOf(path);
  if (format == TPictureFormat::kUnknown) {
    result.error = TPictureError::UnknownFormat;
    return result;
  }
  // A file within the limits may still not fit in a fragmented 32-bit heap: its buffer is
  // then refused, and nothing is kept. The readers refuse a raster that does not fit.
  try {
    std::vector<std::uint8_t> bytes;
    result.error = ReadWholeFile(path, bytes);
    if (!result.Ok()) return result;
    bool read = false;
    switch (format) {
      case TPictureFormat::kBmp:
        read = ReadBmp(bytes.data(), bytes.size(), result.raster);
        break;
      case TPictureFormat::kJpeg:
        read = ReadJpeg(bytes.data(), bytes.size(), result.raster);
        break;
      default:
        read = ReadPng(bytes.data(), bytes.size(), result.raster, result.alpha);
    }
    if (!read) result.error = TPictureError::Refused;
  } catch (const std::bad_alloc&) {
    result.error = TPictureError::OutOfMemory;
  }
  return result;
}

}  // namespace pavina::pictures
