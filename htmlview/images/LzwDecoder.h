#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace htmlview {

// Decodes the LZW code stream of a GIF raster into palette indexes.
//
// Every string in the table is a run of pixels already written, so a table entry is only
// its position and length in the output, and a code is emitted with one copy from earlier
// output: no per-pixel stack walk, no allocation inside the loop.
class TLzwDecoder {
 public:
  static constexpr std::uint32_t kMaxCodes = 4096;

  // `codes` is the raster's sub-blocks joined, without their length bytes. Decodes
  // `pixelCount` pixels and ignores what follows them. Returns false for a damaged stream:
  // a minimum code size outside 1..8, a code beyond the table, or a stream that ends (by
  // its end code or its data) before the picture is complete.
  bool Decode(const std::uint8_t* codes, std::size_t size, int minCodeSize, std::size_t pixelCount);

  // The pixels of the last successful Decode, in stream order.
  const std::uint8_t* Pixels() const { return pixels_.data(); }

 private:
  // Room for one whole string written past the last pixel, and for copies in 8-byte steps.
  static constexpr std::size_t kSlack = kMaxCodes + 16;

  std::vector<std::uint8_t> pixels_;
  std::array<std::uint32_t, kMaxCodes> start_{};
  std::array<std::uint16_t, kMaxCodes> length_{};
};

}  // namespace htmlview
