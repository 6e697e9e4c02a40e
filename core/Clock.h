#pragma once

#include <cstdint>

namespace pavina::core {

// The millisecond tick counter and the pause, behind a seam so that tests can run
// half-minute waits in virtual time.
class TClock {
 public:
  virtual ~TClock() = default;
  // Milliseconds since some start; wraps at 2^32 like GetTickCount.
  virtual std::uint32_t TickCount() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace pavina::core
