#pragma once

#include "Clock.h"

namespace pavina::core {

// The system's tick counter and Sleep.
class TWin32Clock final : public TClock {
 public:
  std::uint32_t TickCount() override;
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace pavina::core
