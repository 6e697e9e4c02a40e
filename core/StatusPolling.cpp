#include <string>

#include "LogoCore.h"

namespace pavina::core {

// A complete reply is its length byte L followed by exactly L text bytes; anything else
// within 500 ms means not found.
std::optional<std::string> TLogoCore::QueryStatus() {
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
  if (!FDeviceReady) return std::nullopt;
  return std::string(reply.begin() + 1, reply.end());
}

std::string TLogoCore::StatusLine(const std::optional<std::string>& inserterText) {
  return inserterText ? *inserterText + " Ready" : "Logo Inserter Not Found";
}

// Once a second: is an inserter there?
void TLogoCore::tmReadyTimer() {
  if (FBusy) return;
  const std::optional<std::string> text = QueryStatus();
  view_.SetStatusText(StatusLine(text));
  view_.ShowPortButton(!text);
  view_.EnableSend(FDeviceReady && FImageLoaded);
  view_.EnableXY(FDeviceReady);
}

}  // namespace pavina::core
