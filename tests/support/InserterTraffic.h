#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Bytes.h"

namespace pavina::core {

// The host's side of the inserter protocol, byte for byte, for driving the simulator in
// tests without a core.
namespace inserter_traffic {

inline TBytes Clear() {
  return {0xF1, 0xF1, 0x88, 0x88, 0x84, 0x18};
}
inline TBytes Status() {
  return {0xF1, 0xF3};
}
inline TBytes LineHeader(std::int32_t line) {
  const auto word = static_cast<std::uint16_t>(line * 1024 / 8);
  return {0xF1,
          0xF1,
          0x88,
          0x88,
          0x84,
          0x44,
          static_cast<std::uint8_t>(word >> 8),
          static_cast<std::uint8_t>(word & 0xFF)};
}
inline TBytes SizeAndPosition(std::uint8_t w, std::uint8_t h, std::uint8_t x, std::uint8_t y) {
  return {0xF1, 0xF2, w, h, x, y};
}
inline TBytes Filler(std::size_t length) {
  return TBytes(length, 0x37);
}
inline TBytes PaddedLine(const TBytes& data) {
  TBytes line = data;
  line.insert(line.end(), 24, 0x00);
  return line;
}

// The status reply for a text: its length byte and the text.
inline TBytes StatusReply(const std::string& text) {
  TBytes reply{static_cast<std::uint8_t>(text.size())};
  reply.insert(reply.end(), text.begin(), text.end());
  return reply;
}

// A colour as the rasters hand it out: red in the low byte, then green and blue.
inline std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return std::uint32_t{r} | std::uint32_t{g} << 8 | std::uint32_t{b} << 16;
}

// One pixel in the inserter's format: K6 R6 G6 B6 packed into 24 bits, sent as the high and
// middle byte, a zero, and the low byte.
inline void AppendPixel(TBytes& out, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                        std::uint8_t k) {
  const std::uint32_t word = (std::uint32_t{k} >> 2 << 18) | (std::uint32_t{r} >> 2 << 12) |
                             (std::uint32_t{g} >> 2 << 6) | (std::uint32_t{b} >> 2);
  out.push_back(static_cast<std::uint8_t>(word >> 16));
  out.push_back(static_cast<std::uint8_t>(word >> 8));
  out.push_back(0);
  out.push_back(static_cast<std::uint8_t>(word));
}

struct TPixel {
  std::uint8_t r, g, b, k;
};

// A test logo whose every pixel differs: colour and key from the place, multiples of 4 so
// that they survive the 6-bit format unchanged.
inline TPixel PatternPixel(std::int32_t x, std::int32_t y) {
  return {static_cast<std::uint8_t>((x * 40 + y * 4) & 0xFC),
          static_cast<std::uint8_t>((y * 52 + 8) & 0xFC),
          static_cast<std::uint8_t>((x * 12 + y * 100) & 0xFC),
          static_cast<std::uint8_t>((x * 28 + y * 60 + 4) & 0xFC)};
}

inline TBytes PatternLine(std::int32_t width, std::int32_t y) {
  TBytes line;
  for (std::int32_t x = 0; x < width; ++x) {
    const TPixel p = PatternPixel(x, y);
    AppendPixel(line, p.r, p.g, p.b, p.k);
  }
  return line;
}

// The frame of the pattern, lines back to back as the core holds it.
inline TBytes PatternFrame(std::int32_t width, std::int32_t height) {
  TBytes frame;
  for (std::int32_t y = 0; y < height; ++y) {
    const TBytes line = PatternLine(width, y);
    frame.insert(frame.end(), line.begin(), line.end());
  }
  return frame;
}

}  // namespace inserter_traffic

}  // namespace pavina::core
