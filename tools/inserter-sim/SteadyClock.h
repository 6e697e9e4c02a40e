#pragma once

#include <cstdint>
#include <ctime>

namespace pavina::sim {

// The simulator's millisecond counter: monotonic, wrapping at 2^32 like the host's tick
// counter, so that the model sees the same kind of time in the program and in tests.
inline std::uint32_t SteadyMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000 +
                                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000);
}

}  // namespace pavina::sim
