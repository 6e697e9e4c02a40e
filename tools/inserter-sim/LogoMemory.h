#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "Bytes.h"
#include "Raster.h"

namespace pavina::sim {

// A logo as the inserter holds it after an upload, decoded back into pictures.
struct TReceivedLogo {
  std::int32_t width = 0;
  std::int32_t height = 0;
  pictures::TRaster colour;
  // The key as a grey picture: red, green and blue all carry the key value.
  pictures::TRaster key;
  // The size and position command that ended the upload.
  std::uint8_t sentWidth = 0, sentHeight = 0, x = 0, y = 0;
  // sentWidth is width + 4 and sentHeight (height + 2) div 2, each as its low 8 bits.
  bool sizeMatches = false;
  // Every image line carried the same number of bytes, a whole number of pixels.
  bool linesEqual = true;
};

// The inserter's logo memory: lines of data written at the byte addresses their headers
// give (the header's word times 8), and the record of the lines since the last clear.
class TLogoMemory {
 public:
  // Every byte address a 16-bit word can reach, and the 8 bytes of the last word.
  static constexpr std::size_t kSize = std::size_t{65536} * 8;
  static constexpr int kBlankLines = 3;

  TLogoMemory() : bytes_(kSize, 0) {}

  // Zeros the memory and forgets the lines.
  void Clear();
  // Writes one line; what would lie beyond the memory is dropped and counted.
  void StoreLine(std::uint16_t word, const core::TBytes& data);
  std::size_t LineCount() const { return lines_.size(); }
  std::uint64_t DroppedBytes() const { return dropped_; }

  // The logo of an upload that has ended: at least one image line followed by the three
  // blank lines, each all zero. Nothing when the lines received do not make such an upload.
  std::optional<TReceivedLogo> Reconstruct(std::uint8_t sentWidth, std::uint8_t sentHeight,
                                           std::uint8_t x, std::uint8_t y) const;

  // One pixel of the inserter's format back to 8-bit values (the dropped low bits are 0).
  static void DecodePixel(const std::uint8_t* bytes, std::uint8_t& red, std::uint8_t& green,
                          std::uint8_t& blue, std::uint8_t& key);

 private:
  struct TLine {
    std::size_t address;
    std::size_t length;
    bool allZero;
  };

  std::vector<std::uint8_t> bytes_;
  std::vector<TLine> lines_;
  std::uint64_t dropped_ = 0;
};

}  // namespace pavina::sim
