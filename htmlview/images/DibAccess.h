#pragma once

#include <cstdint>

#include "Color.h"
#include "Dib.h"

namespace htmlview {

// Reads the colours of a bitmap of any depth that TDIB holds.
class TDIBReader {
 public:
  // Throws "Bitmap image is not valid" for a bitmap without pixels.
  explicit TDIBReader(const TDIB& dib);

  TColor Pixel(std::int32_t x, std::int32_t y) const;
  // The colours of row y, Width() of them.
  void ReadRow(std::int32_t y, TColor* colors) const;

 private:
  TColor PaletteColor(std::uint8_t index) const;

  const TDIB& dib_;
};

// Writes pixels of an 8-bit or 24-bit bitmap.
class TDIBWriter {
 public:
  // Throws "Bitmap image is not valid" for a bitmap without pixels, "Invalid pixel format"
  // for a depth it cannot write.
  explicit TDIBWriter(TDIB& dib);

  // 8 bits: the palette index; 24 bits: a colour.
  void WriteIndex(std::int32_t x, std::int32_t y, std::uint8_t index);
  void WriteColor(std::int32_t x, std::int32_t y, TColor color);

 private:
  TDIB& dib_;
};

// Masks: 1-bit bitmaps in which white (a set bit) lets the background through.
inline bool IsMaskWhite(const TDIB& mask, std::int32_t x, std::int32_t y) {
  return (mask.Row(y)[x >> 3] >> (7 - (x & 7))) & 1;
}
inline void SetMaskPixel(TDIB& mask, std::int32_t x, std::int32_t y, bool white) {
  std::uint8_t& byte = mask.Row(y)[x >> 3];
  const std::uint8_t bit = static_cast<std::uint8_t>(0x80u >> (x & 7));
  byte = white ? static_cast<std::uint8_t>(byte | bit) : static_cast<std::uint8_t>(byte & ~bit);
}

}  // namespace htmlview
