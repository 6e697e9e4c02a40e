#pragma once

#include "SerialApiRelay.h"

namespace pavina::cli {

// Keeps the reason of a failed open, which the link itself only records as "did not open"
// and the next call's error would overwrite.
class TOpenErrorRecorder final : public core::TSerialApiRelay {
 public:
  using core::TSerialApiRelay::TSerialApiRelay;

  std::uint32_t OpenError() const { return openError_; }

  Handle OpenComPort(std::int32_t n) override {
    const Handle handle = inner_.OpenComPort(n);
    openError_ = handle == kInvalidHandle ? inner_.GetLastError() : 0;
    return handle;
  }

 private:
  std::uint32_t openError_ = 0;
};

}  // namespace pavina::cli
