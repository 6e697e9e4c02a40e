#include "LogoCore.h"

namespace pavina::core {

namespace {

// Gives the controls and flags back however the Send ends, an exception included (a large
// frame may not fit in memory): otherwise the window could never close again, the poll
// would stay silent and the tagged controls disabled.
class TSendScope {
 public:
  TSendScope(TLogoCore& core, TLogoView& view) : core_(core), view_(view) {
    core_.FBusy = true;
    view_.EnableTaggedControls(false);
    view_.EnableCancel(true);
  }
  TSendScope(const TSendScope&) = delete;
  TSendScope& operator=(const TSendScope&) = delete;
  ~TSendScope() {
    core_.FBusy = false;
    view_.EnableTaggedControls(true);
    view_.EnableCancel(false);
    core_.FCancel = false;
  }

 private:
  TLogoCore& core_;
  TLogoView& view_;
};

}  // namespace

// Send: build the frame, upload it, give the controls back. FBusy holds the status poll
// and the window's close off for the whole of it.
TDeviceResult TLogoCore::Send(const TFailureReport& report) {
  if (!FImageLoaded) return {TDeviceOutcome::Skipped};
  const TSendScope scope(*this, view_);
  view_.SetStatusText("Creating...");
  view_.SetProgressMax(FMaxY);
  if (!FKeyLoaded) btAutoKeyClick();
  EncodeFrame();
  view_.SetProgressPosition(0);
  return Upload(report);
}

void TLogoCore::btSaveClick() {
  Send(RetryMessages());
}

}  // namespace pavina::core
