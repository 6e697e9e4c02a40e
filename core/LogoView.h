#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pavina::core {

// What the core asks of the screen. The main window implements it over its controls;
// tests use a headless view that records the calls.
class TLogoView {
 public:
  virtual ~TLogoView() = default;

  virtual void SetStatusText(const std::string& text) = 0;
  virtual void SetProgressMax(std::int32_t maximum) = 0;
  virtual void SetProgressPosition(std::int32_t position) = 0;
  // Handles every user-interface event already waiting, then returns.
  virtual void ProcessPendingEvents() = 0;

  virtual std::int16_t ReadX() = 0;
  virtual std::int16_t ReadY() = 0;
  virtual std::int16_t ReadKeyOffset() = 0;
  // Position := read position + step, kept within the control's range; a change of the
  // value comes back to the core as a position change (UpdatePosition).
  virtual void StepX(int step) = 0;
  virtual void StepY(int step) = 0;

  virtual void EnableTaggedControls(bool enabled) = 0;
  virtual void EnableSend(bool enabled) = 0;
  virtual void EnableCancel(bool enabled) = 0;
  // Both position controls with their edit fields, in the order edX, edY, udX, udY.
  virtual void EnableXY(bool enabled) = 0;
  // true shows and enables the COM port button, false disables and hides it.
  virtual void ShowPortButton(bool shown) = 0;

  virtual void SetImageCaption(const std::string& text) = 0;
  virtual void SetKeyCaption(const std::string& text) = 0;
  // Shows the core's present image and key rasters at their natural size.
  virtual void ShowPictures() = 0;
  // A full path, or nothing when the operator cancels.
  virtual std::optional<std::string> AskForPictureFile() = 0;

  // A modal box titled "Info" showing text + " ,Try Again" with one OK button.
  virtual void ShowRetryMessage(const std::string& text) = 0;
  // A modal box showing text with one OK button.
  virtual void ShowPlainMessage(const std::string& text) = 0;
};

}  // namespace pavina::core
