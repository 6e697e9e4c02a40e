#include "DibAccess.h"

#include "GraphicsError.h"

namespace htmlview {

TDIBReader::TDIBReader(const TDIB& dib) : dib_(dib) {
  if (dib.Empty()) throw EGraphicsError(kBitmapImageNotValid);
}

TColor TDIBReader::PaletteColor(std::uint8_t index) const {
  const TPalette& palette = dib_.Palette();
  return index < palette.size() ? palette[index] : kBlack;
}

TColor TDIBReader::Pixel(std::int32_t x, std::int32_t y) const {
  const std::uint8_t* row = dib_.ScanLine(y);
  if (x < 0 || x >= dib_.Width()) throw EGraphicsError(kScanLineOutOfRange);
  switch (dib_.BitsPerPixel()) {
    case 1:
      return PaletteColor(IsMaskWhite(dib_, x, y) ? 1 : 0);
    case 8:
      return PaletteColor(row[x]);
    default: {
      const std::uint8_t* p = row + static_cast<std::size_t>(dib_.BitsPerPixel() / 8) * x;
      return MakeColor(p[2], p[1], p[0]);
    }
  }
}

void TDIBReader::ReadRow(std::int32_t y, TColor* colors) const {
  const std::uint8_t* row = dib_.ScanLine(y);
  const std::int32_t width = dib_.Width();
  switch (dib_.BitsPerPixel()) {
    case 1:
      for (std::int32_t x = 0; x < width; ++x)
        colors[x] = PaletteColor(IsMaskWhite(dib_, x, y) ? 1 : 0);
      break;
    case 8:
      for (std::int32_t x = 0; x < width; ++x) colors[x] = PaletteColor(row[x]);
      break;
    default: {
      const std::size_t step = static_cast<std::size_t>(dib_.BitsPerPixel() / 8);
      for (std::int32_t x = 0; x < width; ++x, row += step)
        colors[x] = MakeColor(row[2], row[1], row[0]);
      break;
    }
  }
}

TDIBWriter::TDIBWriter(TDIB& dib) : dib_(dib) {
  if (dib.Empty()) throw EGraphicsError(kBitmapImageNotValid);
  if (dib.BitsPerPixel() != 8 && dib.BitsPerPixel() != 24)
    throw EGraphicsError(kInvalidPixelFormat);
}

void TDIBWriter::WriteIndex(std::int32_t x, std::int32_t y, std::uint8_t index) {
  std::uint8_t* row = dib_.ScanLine(y);
  if (x < 0 || x >= dib_.Width()) throw EGraphicsError(kScanLineOutOfRange);
  if (dib_.BitsPerPixel() != 8) throw EGraphicsError(kInvalidPixelFormat);
  row[x] = index;
}

void TDIBWriter::WriteColor(std::int32_t x, std::int32_t y, TColor color) {
  std::uint8_t* row = dib_.ScanLine(y);
  if (x < 0 || x >= dib_.Width()) throw EGraphicsError(kScanLineOutOfRange);
  if (dib_.BitsPerPixel() != 24) throw EGraphicsError(kInvalidPixelFormat);
  std::uint8_t* p = row + 3 * static_cast<std::size_t>(x);
  p[0] = BlueOf(color);
  p[1] = GreenOf(color);
  p[2] = RedOf(color);
}

}  // namespace htmlview
