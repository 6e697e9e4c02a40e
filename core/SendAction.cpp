#include "LogoCore.h"

// Send: build the frame, upload it, give the controls back. FBusy holds the status poll
// and the window's close off for the whole of it.
void TLogoCore::btSaveClick() {
  if (!FImageLoaded) return;
  FBusy = true;
  view_.EnableTaggedControls(false);
  view_.EnableCancel(true);
  view_.SetStatusText("Creating...");
  view_.SetProgressMax(FMaxY);
  if (!FKeyLoaded) btAutoKeyClick();
  EncodeFrame();
  view_.SetProgressPosition(0);
  UploadLogo();
  FBusy = false;
  view_.EnableTaggedControls(true);
  view_.EnableCancel(false);
  FCancel = false;
}
