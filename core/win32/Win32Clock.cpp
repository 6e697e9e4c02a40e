#include "Win32Clock.h"

#include <windows.h>

namespace pavina::core {

std::uint32_t TWin32Clock::TickCount() {
  return ::GetTickCount();
}

void TWin32Clock::Sleep(std::uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

}  // namespace pavina::core
