#pragma once

#include "Clock.h"

namespace pavina::core {

// The monotonic clock in milliseconds, wrapping at 2^32 like the Windows tick counter.
class TPosixClock final : public TClock {
 public:
  std::uint32_t TickCount() override;
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace pavina::core
