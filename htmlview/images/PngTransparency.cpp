#include "PngTransparency.h"

#include <cstring>

namespace {

constexpr std::uint8_t kSignature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};
constexpr std::size_t kChunkOverhead = 12;  // length, type and CRC

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// A sample of `bitDepth` bits, given as 16 bits big-endian, on the 0..255 scale.
std::uint8_t Sample(const std::uint8_t* p, std::uint8_t bitDepth) {
  const std::uint32_t value = std::uint32_t{p[0]} << 8 | p[1];
  if (bitDepth == 16) return static_cast<std::uint8_t>(value >> 8);
  if (bitDepth >= 8) return static_cast<std::uint8_t>(value);
  const std::uint32_t top = (1u << bitDepth) - 1;
  return static_cast<std::uint8_t>((value & top) * 255 / top);
}

}  // namespace

std::optional<TColor> FindPngTransparentColor(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0)
    return std::nullopt;
  std::uint8_t bitDepth = 8, colorType = 0;
  const std::uint8_t* palette = nullptr;
  std::size_t paletteEntries = 0;
  std::size_t pos = sizeof kSignature;
  while (size - pos >= kChunkOverhead) {
    const std::uint32_t length = BigEndian32(data + pos);
    if (length > size - pos - kChunkOverhead) return std::nullopt;
    const std::uint8_t* type = data + pos + 4;
    const std::uint8_t* body = data + pos + 8;
    if (std::memcmp(type, "IHDR", 4) == 0 && length >= 13) {
      bitDepth = body[8];
      colorType = body[9];
    } else if (std::memcmp(type, "PLTE", 4) == 0) {
      palette = body;
      paletteEntries = length / 3;
    } else if (std::memcmp(type, "tRNS", 4) == 0) {
      if (colorType == 0 && length >= 2) {
        const std::uint8_t grey = Sample(body, bitDepth);
        return MakeColor(grey, grey, grey);
      }
      if (colorType == 2 && length >= 6)
        return MakeColor(Sample(body, bitDepth), Sample(body + 2, bitDepth),
                         Sample(body + 4, bitDepth));
      std::size_t entry = 0;
      while (entry < length && entry < paletteEntries && body[entry] != 0) ++entry;
      if (entry >= length || entry >= paletteEntries) entry = 0;
      if (entry < paletteEntries)
        return MakeColor(palette[3 * entry], palette[3 * entry + 1], palette[3 * entry + 2]);
      return kBlack;
    } else if (std::memcmp(type, "IDAT", 4) == 0 || std::memcmp(type, "IEND", 4) == 0) {
      return std::nullopt;
    }
    pos += kChunkOverhead + length;
  }
  return std::nullopt;
}
