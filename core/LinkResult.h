#pragma once

#include <cstdint>

namespace pavina::core {

// What an operation of the serial link did: done, or which call failed and the system's
// error code for it (GetLastError on Windows, errno on POSIX). The window ignores these,
// as it always has; pavina-cli says why a port did not open.
enum class TLinkStep {
  None,
  NotOpen,  // no port is open: nothing was tried, there is no system code
  Open,
  GetTimeouts,
  SetTimeouts,
  GetState,
  SetState,
  SetMask,
  Write,
  Read,
  Close,
};

struct TLinkResult {
  TLinkStep failed = TLinkStep::None;
  std::uint32_t systemError = 0;

  bool Ok() const { return failed == TLinkStep::None; }
};

}  // namespace pavina::core
