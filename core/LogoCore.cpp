#include "LogoCore.h"

namespace pavina::core {

TLogoCore::TLogoCore(TLogoView& view, TSerialApi& serial, TClock& clock)
    : view_(view), serial_(serial), clock_(clock) {}

// The window closes the port before the core goes; closing again here only guards
// against a port left open by an early exit.
TLogoCore::~TLogoCore() {
  if (FPortHandle != 0) ClosePort();
}

TFailureReport TLogoCore::RetryMessages() {
  return [this](const TDeviceResult& failed) {
    if (const auto text = RetryText(failed)) view_.ShowRetryMessage(*text);
  };
}

void TLogoCore::Drain() {
  TBytes stale;
  ReadAvailable(stale);
}

}  // namespace pavina::core
