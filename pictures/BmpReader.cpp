#include "BmpReader.h"

#include <algorithm>
#include <array>
#include <new>
#include <utility>
#include <vector>

#include "PictureLimits.h"

namespace pavina::pictures {

// A portable reader, so that every platform turns the same file into the same pixels.
// Every field is bounds-checked against the buffer before it is read, and the picture's
// size is checked against the budget before the raster is allocated.

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kMasksOffset = kFileHeaderSize + kInfoHeaderSize;

enum : std::uint32_t {
  kBiRgb = 0,
  kBiRle8 = 1,
  kBiRle4 = 2,
  kBiBitfields = 3,
  kBiAlphaBitfields = 6,
};

using TColor = std::array<std::uint8_t, 3>;  // red, green, blue

std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
         (std::uint32_t{p[3]} << 24);
}

// One colour component of a 16- or 32-bit pixel, brought to 8 bits: a narrower one by
// repeating its bits (so all ones reads 255, as Windows and other readers show it), a
// wider one by keeping its top 8 bits.
class TChannel {
 public:
  TChannel() = default;
  // A mask must be one run of bits within the pixel; an empty mask reads as 0.
  static bool Make(std::uint32_t mask, std::uint16_t bits, TChannel& channel) {
    if (bits < 32 && (mask >> bits) != 0) return false;
    channel = TChannel();
    if (mask == 0) return true;
    while (((mask >> channel.shift_) & 1u) == 0) ++channel.shift_;
    const std::uint32_t value = mask >> channel.shift_;
    if ((value & (value + 1)) != 0) return false;
    while (channel.width_ < 32 && ((value >> channel.width_) & 1u) != 0) ++channel.width_;
    channel.mask_ = mask;
    return true;
  }
  std::uint8_t Read(std::uint32_t pixel) const {
    if (width_ == 0) return 0;
    const std::uint32_t value = (pixel & mask_) >> shift_;
    if (width_ >= 8) return static_cast<std::uint8_t>(value >> (width_ - 8));
    std::uint32_t result = 0;
    for (int shift = 8 - width_; shift > -width_; shift -= width_)
      result |= shift >= 0 ? value << shift : value >> -shift;
    return static_cast<std::uint8_t>(result);
  }

 private:
  std::uint32_t mask_ = 0;
  int shift_ = 0;
  int width_ = 0;
};

struct TBmpLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool topDown = false;
  std::uint16_t bits = 0;
  std::uint32_t compression = kBiRgb;
  std::size_t pixelOffset = 0;
  std::vector<TColor> palette;
  TChannel red, green, blue;
};

// The table lies between the headers and the pixels, which the caller has found inside
// the file; writers that store a short table put the pixels right after it.
void ReadPalette(const std::uint8_t* data, std::size_t tableStart, std::size_t entrySize,
                 std::uint32_t colorsUsed, TBmpLayout& layout) {
  const std::size_t fullTable = std::size_t{1} << layout.bits;
  std::size_t count = colorsUsed == 0 || colorsUsed > fullTable ? fullTable : colorsUsed;
  count = std::min(count, (layout.pixelOffset - tableStart) / entrySize);
  layout.palette.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = data + tableStart + i * entrySize;
    layout.palette[i] = {entry[2], entry[1], entry[0]};
  }
}

bool ReadMasks(const std::uint8_t* data, std::size_t size, TBmpLayout& layout) {
  std::uint32_t red = 0, green = 0, blue = 0;
  if (layout.compression == kBiRgb) {
    if (layout.bits == 16) {
      red = 0x7C00, green = 0x03E0, blue = 0x001F;
    } else {
      red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;
    }
  } else {
    if (size < kMasksOffset + 12) return false;
    red = U32(data + kMasksOffset);
    green = U32(data + kMasksOffset + 4);
    blue = U32(data + kMasksOffset + 8);
  }
  return TChannel::Make(red, layout.bits, layout.red) &&
         TChannel::Make(green, layout.bits, layout.green) &&
         TChannel::Make(blue, layout.bits, layout.blue);
}

bool CompressionFits(std::uint32_t compression, std::uint16_t bits, bool topDown) {
  switch (compression) {
    case kBiRgb:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kBiRle8:
      return bits == 8 && !topDown;  // compressed bitmaps are always stored bottom-up
    case kBiRle4:
      return bits == 4 && !topDown;
    case kBiBitfields:
    case kBiAlphaBitfields:
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

bool ParseHeaders(const std::uint8_t* data, std::size_t size, TBmpLayout& layout) {
  if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return false;
  const std::uint32_t headerSize = U32(data + kFileHeaderSize);
  const bool core = headerSize == kCoreHeaderSize;
  if (!core && headerSize < kInfoHeaderSize) return false;
  if (headerSize > size - kFileHeaderSize) return false;
  const std::uint8_t* header = data + kFileHeaderSize;

  std::int64_t width = 0, height = 0;
  std::uint32_t colorsUsed = 0;
  if (core) {
    width = U16(header + 4);
    height = U16(header + 6);
    layout.bits = U16(header + 10);
  } else {
    width = static_cast<std::int32_t>(U32(header + 4));
    height = static_cast<std::int32_t>(U32(header + 8));
    layout.bits = U16(header + 14);
    layout.compression = U32(header + 16);
    colorsUsed = U32(header + 32);
  }
  layout.topDown = height < 0;
  if (layout.topDown) height = -height;
  if (!PictureSizeAllowed(width, height)) return false;
  layout.width = static_cast<std::int32_t>(width);
  layout.height = static_cast<std::int32_t>(height);
  if (!CompressionFits(layout.compression, layout.bits, layout.topDown)) return false;

  const std::size_t tableStart = kFileHeaderSize + headerSize;
  layout.pixelOffset = U32(data + 10);
  if (layout.pixelOffset < tableStart || layout.pixelOffset > size) return false;
  if (layout.bits <= 8) ReadPalette(data, tableStart, core ? 3 : 4, colorsUsed, layout);
  if (layout.bits == 16 || layout.bits == 32) return ReadMasks(data, size, layout);
  return true;
}

// Writes palette colours; an index the table does not hold makes the file unreadable.
// Places from `width` on are the row's padding: checked, not stored.
class TIndexedRow {
 public:
  TIndexedRow(const std::vector<TColor>& palette, std::uint8_t* row, std::int32_t width)
      : palette_(palette), row_(row), width_(width) {}
  // Without a row only the index is checked.
  bool Put(std::int32_t x, unsigned index) {
    if (index >= palette_.size()) return false;
    if (!row_ || x >= width_) return true;
    const TColor& c = palette_[index];
    std::uint8_t* p = row_ + static_cast<std::size_t>(x) * 3;
    p[0] = c[0], p[1] = c[1], p[2] = c[2];
    return true;
  }

 private:
  const std::vector<TColor>& palette_;
  std::uint8_t* row_;
  std::int32_t width_;
};

bool ReadUncompressedRow(const TBmpLayout& layout, const std::uint8_t* source, std::uint8_t* row) {
  const std::int32_t width = layout.width;
  if (layout.bits <= 8) {
    TIndexedRow indexed(layout.palette, row, width);
    const unsigned bits = layout.bits, perByte = 8 / bits, mask = (1u << bits) - 1;
    for (std::int32_t x = 0; x < width; ++x) {
      const unsigned slot = static_cast<unsigned>(x) % perByte;
      const unsigned index = (source[x / perByte] >> (8 - bits - slot * bits)) & mask;
      if (!indexed.Put(x, index)) return false;
    }
    return true;
  }
  for (std::int32_t x = 0; x < width; ++x, row += 3) {
    if (layout.bits == 24) {
      const std::uint8_t* p = source + static_cast<std::size_t>(x) * 3;
      row[0] = p[2], row[1] = p[1], row[2] = p[0];
      continue;
    }
    const std::uint32_t pixel = layout.bits == 16 ? U16(source + static_cast<std::size_t>(x) * 2)
                                                  : U32(source + static_cast<std::size_t>(x) * 4);
    row[0] = layout.red.Read(pixel);
    row[1] = layout.green.Read(pixel);
    row[2] = layout.blue.Read(pixel);
  }
  return true;
}

std::uint64_t UncompressedStride(const TBmpLayout& layout) {
  const std::uint64_t rowBits =
      std::uint64_t{static_cast<std::uint32_t>(layout.width)} * layout.bits;
  return (rowBits + 31) / 32 * 4;
}

// Checked before the raster is allocated: the last row may lack its padding, but every
// pixel must be there.
bool UncompressedDataPresent(std::size_t size, const TBmpLayout& layout) {
  const std::uint64_t rowBits =
      std::uint64_t{static_cast<std::uint32_t>(layout.width)} * layout.bits;
  const std::uint64_t needed =
      UncompressedStride(layout) * static_cast<std::uint64_t>(layout.height - 1) +
      (rowBits + 7) / 8;
  return needed <= size - layout.pixelOffset;
}

bool ReadUncompressed(const std::uint8_t* data, const TBmpLayout& layout, TRaster& picture) {
  const std::uint64_t stride = UncompressedStride(layout);
  for (std::int32_t fileRow = 0; fileRow < layout.height; ++fileRow) {
    const std::int32_t y = layout.topDown ? fileRow : layout.height - 1 - fileRow;
    const std::uint8_t* source =
        data + layout.pixelOffset + stride * static_cast<std::uint64_t>(fileRow);
    if (!ReadUncompressedRow(layout, source, picture.Row(y))) return false;
  }
  return true;
}

// RLE8 and RLE4. Pixels that the data skips (deltas, early ends of lines or of the bitmap)
// keep the first table colour. A run past its stored row, a move outside the picture, an index
// outside the table or data that ends before the end-of-bitmap mark fail the file. Without a
// picture the data is only checked, so that a few damaged bytes announcing a large picture
// are refused before its raster is allocated and filled.
bool ReadRunLengths(const std::uint8_t* data, std::size_t size, const TBmpLayout& layout,
                    TRaster* picture) {
  const bool fourBits = layout.compression == kBiRle4;
  if (picture && !layout.palette.empty()) {
    const TColor& first = layout.palette[0];
    picture->Fill(first[0], first[1], first[2]);
  }
  const auto rowOf = [&](std::int32_t fileRow) {
    return picture ? picture->Row(layout.height - 1 - fileRow) : nullptr;
  };
  // Writers such as ImageMagick also encode the row's padding up to its 32-bit boundary.
  const std::int64_t storedWidth =
      (std::int64_t{layout.width} * layout.bits + 31) / 32 * 32 / layout.bits;
  std::int32_t x = 0, fileRow = 0;
  auto rowFits = [&](unsigned count) {
    return fileRow < layout.height && std::int64_t{x} + count <= storedWidth;
  };
  std::size_t pos = layout.pixelOffset;
  while (size - pos >= 2) {
    const unsigned count = data[pos], value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      if (!rowFits(count)) return false;
      TIndexedRow row(layout.palette, rowOf(fileRow), layout.width);
      for (unsigned i = 0; i < count; ++i) {
        const unsigned index = !fourBits ? value : (i % 2 == 0 ? value >> 4 : value & 0x0F);
        if (!row.Put(x++, index)) return false;
      }
    } else if (value == 0) {  // end of line
      ++fileRow;
      x = 0;
    } else if (value == 1) {  // end of bitmap
      return true;
    } else if (value == 2) {  // move right and up
      if (size - pos < 2) return false;
      x += data[pos];
      fileRow += data[pos + 1];
      pos += 2;
      if (x > layout.width || fileRow >= layout.height) return false;
    } else {  // a literal run, padded to a 16-bit boundary
      const std::size_t bytes = fourBits ? (value + 1) / 2 : value;
      if (size - pos < bytes + bytes % 2 || !rowFits(value)) return false;
      TIndexedRow row(layout.palette, rowOf(fileRow), layout.width);
      for (unsigned i = 0; i < value; ++i) {
        const unsigned byte = data[pos + (fourBits ? i / 2 : i)];
        const unsigned index = !fourBits ? byte : (i % 2 == 0 ? byte >> 4 : byte & 0x0F);
        if (!row.Put(x++, index)) return false;
      }
      pos += bytes + bytes % 2;
    }
  }
  return false;  // the data ended before its end-of-bitmap mark
}

}  // namespace

bool ReadBmp(const std::uint8_t* data, std::size_t size, TRaster& out) {
  TBmpLayout layout;
  if (data == nullptr || !ParseHeaders(data, size, layout)) return false;
  const bool runLengths = layout.compression == kBiRle8 || layout.compression == kBiRle4;
  // The data must be whole before the raster is allocated.
  if (runLengths ? !ReadRunLengths(data, size, layout, nullptr)
                 : !UncompressedDataPresent(size, layout))
    return false;
  try {
    TRaster picture(layout.width, layout.height);
    const bool read = runLengths ? ReadRunLengths(data, size, layout, &picture)
                                 : ReadUncompressed(data, layout, picture);
    if (!read) return false;
    out = std::move(picture);
    return true;
  } catch (const std::bad_alloc&) {
    return false;  // a raster within the limits that a fragmented heap cannot give
  }
}

}  // namespace pavina::pictures
