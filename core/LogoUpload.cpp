#include <algorithm>
#include <optional>
#include <string>

#include "LogoCore.h"

namespace pavina::core {

// Steps up to the clear's acknowledgement. A failed clear drains what came instead; a
// Cancel during the wait ends the upload quietly, neither sends the size and position.
TDeviceResult TLogoCore::ClearInserter() {
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
    return {TDeviceOutcome::Cancelled};
  }
  if (!cleared) {
    Drain();
    return {TDeviceOutcome::ClearFailed};
  }
  return {};
}

// Every line of the frame and three blank ones, each header and each line acknowledged.
// `outstanding` is the answer a Cancel left on its way: the inserter still sends it, and
// taken late it would pass for the answer to the size and position at the end.
TDeviceResult TLogoCore::SendLines(std::optional<std::uint8_t>& outstanding) {
  std::int32_t address = 0;
  std::size_t offset = 0;
  const std::size_t lineLength = static_cast<std::size_t>(FMaxX + 1) * 4;
  view_.SetProgressMax(FMaxY);
  view_.SetStatusText("Sending...");
  for (std::int32_t line = 0; line <= FMaxY + kBlankLines; ++line) {
    SendLineHeader(address);
    bool ok = WaitReply(kAckLineHeader, kAckTimeoutMs, false, false);
    if (FCancel) {
      if (!ok) outstanding = kAckLineHeader;
      return {TDeviceOutcome::Cancelled, line};
    }
    if (!ok) return {TDeviceOutcome::HeaderFailed, line};
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
      return {TDeviceOutcome::Cancelled, line};
    }
    SendShortFiller();
    if (!ok) return {TDeviceOutcome::DataFailed, line};
    view_.SetProgressPosition(line);
    address += kLineAddressStep;
    view_.ProcessPendingEvents();
  }
  return {};
}

// Clear the inserter, send every line, then the size and position. After the clear every
// way out, a failed line and a Cancel included, ends with the closing steps.
TDeviceResult TLogoCore::Upload(const TFailureReport& report) {
  TDeviceResult result = ClearInserter();
  if (result.outcome != TDeviceOutcome::Done) {
    ReportFailure(report, result);
    return result;
  }
  std::optional<std::uint8_t> outstanding;
  result = SendLines(outstanding);
  ReportFailure(report, result);

  FCancel = false;
  if (outstanding) WaitReply(*outstanding, kAckTimeoutMs, false, false);
  SendLongFiller();
  Drain();
  const TDeviceResult placed = SendLogoSizeAndPosition(report);
  view_.SetProgressPosition(0);
  return result.outcome == TDeviceOutcome::Done && placed.outcome != TDeviceOutcome::Skipped
             ? placed
             : result;
}

void TLogoCore::UploadLogo() {
  Upload(RetryMessages());
}

}  // namespace pavina::core
