#pragma once

#include <cstdint>

namespace pavina::sim {

// How long bytes take on the inserter's line: 19200 baud, and 10 bits a byte (start bit,
// 8 data bits, stop bit). Times are in microseconds, rounded up so that a byte is never
// taken to have arrived before its last bit has.
namespace wire_pacing {

constexpr std::uint64_t kBaudRate = 19200;
constexpr std::uint64_t kBitsPerByte = 10;

// Time from the start bit of the first byte to the stop bit of byte number byteCount.
constexpr std::uint64_t WireTimeUs(std::uint64_t byteCount) {
  return (byteCount * kBitsPerByte * 1000000 + kBaudRate - 1) / kBaudRate;
}

}  // namespace wire_pacing

}  // namespace pavina::sim
