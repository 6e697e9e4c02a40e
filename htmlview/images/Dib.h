#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Color.h"

namespace pavina::pictures {
class TRaster;
}

namespace htmlview {

// A device-independent bitmap, the form in which the viewer holds every picture so that the
// GDI layer can hand it to the screen as it is. Rows run from the top, each padded to 4
// bytes. Pixels are 1 bit (masks: a set bit is white, the leftmost pixel in the most
// significant bit), 8 bits indexing the palette, 24 bits in the order blue, green, red, or
// 32 bits in the order blue, green, red, alpha (a PNG's: straight, the colours not
// multiplied by it, 255 opaque).
class TDIB {
 public:
  // Far above any picture in a help page, low enough that a 32-bit process can hold it.
  static constexpr std::int64_t kMaxPixels = std::int64_t{64} * 1024 * 1024;

  TDIB() = default;
  // All pixels 0; an 8- or 1-bit bitmap gets a palette of black and white to begin with.
  // Throws EGraphicsError for a size or depth that cannot be held.
  TDIB(std::int32_t width, std::int32_t height, int bitsPerPixel);

  // A 24-bit copy of a raster; throws "Failed to create DIB from Bitmap" for an empty one.
  static TDIB FromRaster(const pavina::pictures::TRaster& raster);
  // A 32-bit copy of a raster with its alpha (grey, the raster's size); 24 bits without.
  static TDIB FromRaster(const pavina::pictures::TRaster& raster,
                         const pavina::pictures::TRaster& alpha);

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  std::size_t Stride() const { return stride_; }
  bool Empty() const { return bits_.empty(); }
  bool HasAlpha() const { return bitsPerPixel_ == 32; }

  // Checked row access for callers: throws for a bitmap without pixels or a row outside it.
  std::uint8_t* ScanLine(std::int32_t y);
  const std::uint8_t* ScanLine(std::int32_t y) const;
  // Unchecked row access for inner loops whose row is known to be inside.
  std::uint8_t* Row(std::int32_t y) { return bits_.data() + stride_ * static_cast<std::size_t>(y); }
  const std::uint8_t* Row(std::int32_t y) const {
    return bits_.data() + stride_ * static_cast<std::size_t>(y);
  }

  TPalette& Palette() { return palette_; }
  const TPalette& Palette() const { return palette_; }

  void Fill(std::uint8_t byte);

  friend bool operator==(const TDIB& a, const TDIB& b) {
    return a.width_ == b.width_ && a.height_ == b.height_ && a.bitsPerPixel_ == b.bitsPerPixel_ &&
           a.palette_ == b.palette_ && a.bits_ == b.bits_;
  }
  friend bool operator!=(const TDIB& a, const TDIB& b) { return !(a == b); }

 private:
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  int bitsPerPixel_ = 0;
  std::size_t stride_ = 0;
  TPalette palette_;
  std::vector<std::uint8_t> bits_;
};

// The bytes of one row of `width` pixels, padded to 4.
std::size_t DibStride(std::int32_t width, int bitsPerPixel);

}  // namespace htmlview
