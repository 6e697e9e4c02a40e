#pragma once

#include <stdexcept>
#include <string>

namespace htmlview {

// An error of the graphics layer: a picture that cannot be decoded, converted or held.
// Its text is the one the operator may see.
class EGraphicsError : public std::runtime_error {
 public:
  explicit EGraphicsError(const std::string& text) : std::runtime_error(text) {}
};

constexpr const char* kCorruptGifImage = "Corrupt GIF Image";
constexpr const char* kBitmapImageNotValid = "Bitmap image is not valid";
constexpr const char* kInvalidPixelFormat = "Invalid pixel format";
constexpr const char* kImageHasNoDib = "Image has no DIB";
constexpr const char* kScanLineOutOfRange = "Scan line index out of range";
constexpr const char* kGifDibAllocationFailed = "Failed to allocate memory for GIF DIB";
constexpr const char* kDibFromBitmapFailed = "Failed to create DIB from Bitmap";

}  // namespace htmlview
