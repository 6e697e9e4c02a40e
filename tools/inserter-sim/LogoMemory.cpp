#include "LogoMemory.h"

#include <algorithm>

namespace pavina::sim {

void TLogoMemory::Clear() {
  std::fill(bytes_.begin(), bytes_.end(), 0);
  lines_.clear();
}

void TLogoMemory::StoreLine(std::uint16_t word, const core::TBytes& data) {
  const std::size_t address = std::size_t{word} * 8;
  const std::size_t kept = std::min(data.size(), kSize - address);
  std::copy_n(data.begin(), kept, bytes_.begin() + static_cast<std::ptrdiff_t>(address));
  dropped_ += data.size() - kept;
  const bool allZero = std::all_of(data.begin(), data.end(), [](std::uint8_t b) { return b == 0; });
  lines_.push_back({address, data.size(), allZero});
}

void TLogoMemory::DecodePixel(const std::uint8_t* bytes, std::uint8_t& red, std::uint8_t& green,
                              std::uint8_t& blue, std::uint8_t& key) {
  // Bytes 0, 1 and 3 are the high, middle and low byte of K6 R6 G6 B6 packed 6 bits each.
  const std::uint32_t word =
      (std::uint32_t{bytes[0]} << 16) | (std::uint32_t{bytes[1]} << 8) | std::uint32_t{bytes[3]};
  key = static_cast<std::uint8_t>(((word >> 18) & 63) << 2);
  red = static_cast<std::uint8_t>(((word >> 12) & 63) << 2);
  green = static_cast<std::uint8_t>(((word >> 6) & 63) << 2);
  blue = static_cast<std::uint8_t>((word & 63) << 2);
}

std::optional<TReceivedLogo> TLogoMemory::Reconstruct(std::uint8_t sentWidth,
                                                      std::uint8_t sentHeight, std::uint8_t x,
                                                      std::uint8_t y) const {
  if (lines_.size() <= kBlankLines) return std::nullopt;
  const auto imageEnd = lines_.end() - kBlankLines;
  if (!std::all_of(imageEnd, lines_.end(), [](const TLine& line) { return line.allZero; }))
    return std::nullopt;

  TReceivedLogo logo;
  const std::size_t lineLength = lines_.front().length;
  logo.linesEqual =
      lineLength % 4 == 0 &&
      std::all_of(lines_.begin(), imageEnd, [&](const TLine& l) { return l.length == lineLength; });
  logo.width = static_cast<std::int32_t>(lineLength / 4);
  logo.height = static_cast<std::int32_t>(lines_.size() - kBlankLines);
  logo.colour.Resize(logo.width, logo.height);
  logo.key.Resize(logo.width, logo.height);
  for (std::int32_t row = 0; row < logo.height; ++row) {
    const std::size_t address = lines_[static_cast<std::size_t>(row)].address;
    for (std::int32_t column = 0; column < logo.width; ++column) {
      // Pixels beyond the end of the memory read as zero, as they never got stored.
      std::uint8_t pixel[4] = {0, 0, 0, 0};
      const std::size_t at = address + static_cast<std::size_t>(column) * 4;
      for (std::size_t i = 0; i < 4 && at + i < kSize; ++i) pixel[i] = bytes_[at + i];
      std::uint8_t red, green, blue, key;
      DecodePixel(pixel, red, green, blue, key);
      logo.colour.WritePixel(column, row, red, green, blue);
      logo.key.WritePixel(column, row, key, key, key);
    }
  }
  logo.sentWidth = sentWidth;
  logo.sentHeight = sentHeight;
  logo.x = x;
  logo.y = y;
  logo.sizeMatches = sentWidth == static_cast<std::uint8_t>(logo.width + 4) &&
                     sentHeight == static_cast<std::uint8_t>((logo.height + 2) / 2);
  return logo;
}

}  // namespace pavina::sim
