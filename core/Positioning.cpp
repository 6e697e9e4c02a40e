#include "LogoCore.h"

namespace pavina::core {

// One position exchange: drain, F1 F2 w h X Y, wait for 0x13. FBusy keeps the status
// poll out of it, FPositioning keeps the arrow keys from starting a second one.
TDeviceResult TLogoCore::ExchangePosition(std::int32_t w, std::int32_t h,
                                          const TFailureReport& report) {
  FPositioning = true;
  const bool wasBusy = FBusy;
  FBusy = true;
  Drain();
  SendSizeAndPosition(w, h, view_.ReadX(), view_.ReadY());
  TDeviceResult result;
  if (!WaitReply(kAckSizeAndPosition, kAckTimeoutMs, false, false)) {
    result.outcome = TDeviceOutcome::SizeAndPositionFailed;
    ReportFailure(report, result);
    SendLongFiller();
  }
  FBusy = wasBusy;
  FPositioning = false;
  return result;
}

// While an upload holds the port (FBusy) a change is not sent: the upload ends by
// sending the size with the position then shown.
TDeviceResult TLogoCore::SendPosition(const TFailureReport& report) {
  if (!FDeviceReady || FBusy) return {TDeviceOutcome::Skipped};
  return ExchangePosition(0, 0, report);
}

TDeviceResult TLogoCore::SendLogoSizeAndPosition(const TFailureReport& report) {
  if (!FImageLoaded) return {TDeviceOutcome::Skipped};
  return ExchangePosition(FMaxX + 5, (FMaxY + 3) / 2, report);
}

void TLogoCore::UpdatePosition() {
  SendPosition(RetryMessages());
}

void TLogoCore::UpdateSizeAndPosition() {
  SendLogoSizeAndPosition(RetryMessages());
}

// Arrow keys anywhere in the program move the logo by one step. During an upload they move
// nothing, so that no position exchange can cut into the upload's exchanges.
void TLogoCore::ArrowKeyDown(TArrowKey key) {
  if (FPositioning || FBusy || !FImageLoaded) return;
  switch (key) {
    case TArrowKey::Left:
      view_.StepX(-1);
      break;
    case TArrowKey::Right:
      view_.StepX(+1);
      break;
    case TArrowKey::Up:
      view_.StepY(-1);
      break;
    case TArrowKey::Down:
      view_.StepY(+1);
      break;
  }
}

}  // namespace pavina::core
