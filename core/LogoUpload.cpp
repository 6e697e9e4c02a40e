#include "LogoCore.h"

#include <algorithm>
#include <optional>
#include <string>

namespace pavina::core {

// Clear the inserter, send every line and three blank ones, each step acknowledged, then
// the size and position. Failures end the upload with a message naming the step.
void TLogoCore::UploadLogo() {
  view_.SetStatusText("Clearing...");
  FCancel = false;  // a click made while the frame was built is forgotten
  SendLongFiller();
  SendLongFiller();
  SendClear();
  clock_.Sleep(20);
  Drain();
  const bool cleared = WaitReply(kAckClear, kClearTimeoutMs, true, true);
  SendLongFiller();
  if (FCancel) {
    FCancel = false;
    SendShortFiller();
    return;
  }
  if (!cleared) {
    Drain();
    view_.ShowRetryMessage("Clear Error");
    return;
  }

  std::int32_t address = 0;
  std::size_t offset = 0;
  const std::size_t lineLength = static_cast<std::size_t>(FMaxX + 1) * 4;
  view_.SetProgressMax(FMaxY);
  view_.SetStatusText("Sending...");
  // The answer a Cancel left outstanding: the inserter still sends it, and taken late it
  // would pass for the answer to the size and position at the end.
  std::optional<std::uint8_t> outstanding;
  for (std::int32_t line = 0; line <= FMaxY + kBlankLines; ++line) {
    SendLineHeader(address);
    bool ok = WaitReply(kAckLineHeader, kAckTimeoutMs, false, false);
    if (FCancel) {
      if (!ok) outstanding = kAckLineHeader;
      break;
    }
    if (!ok) {
      view_.ShowRetryMessage("Header Error, Line " + std::to_string(line));
      break;
    }
    if (line <= FMaxY) {
      // The frame is always (FMaxY + 1) lines of lineLength bytes; guard all the same.
      const std::size_t end = std::min(offset + lineLength, FFrame.size());
      TBytes data(FFrame.begin() + static_cast<std::ptrdiff_t>(std::min(offset, end)),
                  FFrame.begin() + static_cast<std::ptrdiff_t>(end));
      data.resize(lineLength, 0);
      SendLineData(data);
      offset += lineLength;
    } else {
      SendLineData(TBytes(lineLength, 0));
    }
    ok = WaitReply(kAckLineData, kAckTimeoutMs, false, false);
    if (FCancel) {
      if (!ok) outstanding = kAckLineData;
      break;
    }
    SendShortFiller();
    if (!ok) {
      view_.ShowRetryMessage("Data Error, Line " + std::to_string(line));
      break;
    }
    view_.SetProgressPosition(line);
    address += kLineAddressStep;
    view_.ProcessPendingEvents();
  }

  FCancel = false;
  if (outstanding) WaitReply(*outstanding, kAckTimeoutMs, false, false);
  SendLongFiller();
  Drain();
  UpdateSizeAndPosition();
  view_.SetProgressPosition(0);
}

}  // namespace pavina::core
