#include "LogoCore.h"

#include <string>

namespace pavina::core {

// Once a second: is an inserter there? A complete reply is its length byte L followed by
// exactly L text bytes; anything else within 500 ms means not found.
void TLogoCore::tmReadyTimer() {
  if (FBusy) return;
  Drain();
  SendString({0xF1, 0xF3});
  const std::uint32_t start = clock_.TickCount();
  TBytes reply;
  for (;;) {
    TBytes arrived;
    ReadAvailable(arrived);
    // A babbling line must not grow the reply without bound: once it is longer than any
    // complete reply can be, it can only count as not found.
    if (reply.size() <= 256) reply.insert(reply.end(), arrived.begin(), arrived.end());
    FDeviceReady = !reply.empty() && reply.size() == std::size_t{reply[0]} + 1;
    if (FDeviceReady || clock_.TickCount() - start > kStatusTimeoutMs) break;
  }
  if (FDeviceReady) {
    view_.SetStatusText(std::string(reply.begin() + 1, reply.end()) + " Ready");
    view_.ShowPortButton(false);
  } else {
    view_.SetStatusText("Logo Inserter Not Found");
    view_.ShowPortButton(true);
  }
  view_.EnableSend(FDeviceReady && FImageLoaded);
  view_.EnableXY(FDeviceReady);
}

}  // namespace pavina::core
