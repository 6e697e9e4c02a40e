#include "Dib.h"

#include <cstring>
#include <new>

#include "GraphicsError.h"
#include "Raster.h"

namespace htmlview {

std::size_t DibStride(std::int32_t width, int bitsPerPixel) {
  const std::size_t bits = static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel);
  return (bits + 31) / 32 * 4;
}

TDIB::TDIB(std::int32_t width, std::int32_t height, int bitsPerPixel) {
  if (bitsPerPixel != 1 && bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32)
    throw EGraphicsError(kInvalidPixelFormat);
  if (width <= 0 || height <= 0 || std::int64_t{width} * height > kMaxPixels)
    throw EGraphicsError(kBitmapImageNotValid);
  width_ = width;
  height_ = height;
  bitsPerPixel_ = bitsPerPixel;
  stride_ = DibStride(width, bitsPerPixel);
  try {
    bits_.assign(stride_ * static_cast<std::size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    throw EGraphicsError(kGifDibAllocationFailed);
  }
  if (bitsPerPixel <= 8) palette_ = {kBlack, kWhite};
}

TDIB TDIB::FromRaster(const pavina::pictures::TRaster& raster) {
  if (raster.Empty() || std::int64_t{raster.Width()} * raster.Height() > kMaxPixels)
    throw EGraphicsError(kDibFromBitmapFailed);
  TDIB dib(raster.Width(), raster.Height(), 24);
  for (std::int32_t y = 0; y < raster.Height(); ++y) {
    const std::uint8_t* from = raster.Row(y);
    std::uint8_t* to = dib.Row(y);
    for (std::int32_t x = 0; x < raster.Width(); ++x, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  return dib;
}

TDIB TDIB::FromRaster(const pavina::pictures::TRaster& raster,
                      const pavina::pictures::TRaster& alpha) {
  if (alpha.Empty()) return FromRaster(raster);
  if (raster.Empty() || alpha.Width() != raster.Width() || alpha.Height() != raster.Height() ||
      std::int64_t{raster.Width()} * raster.Height() > kMaxPixels)
    throw EGraphicsError(kDibFromBitmapFailed);
  TDIB dib(raster.Width(), raster.Height(), 32);
  for (std::int32_t y = 0; y < raster.Height(); ++y) {
    const std::uint8_t* from = raster.Row(y);
    const std::uint8_t* a = alpha.Row(y);
    std::uint8_t* to = dib.Row(y);
    for (std::int32_t x = 0; x < raster.Width(); ++x, from += 3, a += 3, to += 4) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
      to[3] = a[0];
    }
  }
  return dib;
}

std::uint8_t* TDIB::ScanLine(std::int32_t y) {
  return const_cast<std::uint8_t*>(static_cast<const TDIB&>(*this).ScanLine(y));
}

const std::uint8_t* TDIB::ScanLine(std::int32_t y) const {
  if (bits_.empty()) throw EGraphicsError(kImageHasNoDib);
  if (y < 0 || y >= height_) throw EGraphicsError(kScanLineOutOfRange);
  return Row(y);
}

void TDIB::Fill(std::uint8_t byte) {
  if (!bits_.empty()) std::memset(bits_.data(), byte, bits_.size());
}

}  // namespace htmlview
