#pragma once

#include <cstdint>
#include <ctime>

namespace pavina::sim {

// The simulator's millisecond counter: monotonic, wrapping at 2^32 like the host's tick
// counter, so that the model sees the same kind of time in the program and in tests.
// Rounded down, it says whether a moment has come; rounded up, it stamps an arrival, so
// that answers timed from it never leave before the wire would let them.
enum class TMsRounding { Down, Up };

inline std::uint32_t SteadyMs(TMsRounding rounding = TMsRounding::Down) {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const std::uint64_t ns =
      static_cast<std::uint64_t>(now.tv_nsec) + (rounding == TMsRounding::Up ? 999999 : 0);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000 + ns / 1000000);
}

}  // namespace pavina::sim
