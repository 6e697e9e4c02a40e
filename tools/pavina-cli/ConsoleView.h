#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "LogoView.h"
#include "ProgressDisplay.h"

namespace pavina::cli {

// The window's view operations on a console. The status line and the progress bar go to
// the progress display; the message boxes are printed, with the text the window shows.
// The position and the key offset are fixed for the run, as the command line or the
// settings gave them.
class TConsoleView final : public core::TLogoView {
 public:
  TConsoleView(TProgressDisplay& progress, std::ostream& messages)
      : progress_(progress), messages_(messages) {}

  void SetPosition(std::int16_t x, std::int16_t y) {
    x_ = x;
    y_ = y;
  }
  void SetKeyOffset(std::int16_t offset) { keyOffset_ = offset; }
  // Runs inside "process pending events", where the window would take a click on Cancel.
  void OnProcessEvents(std::function<void()> handler) { onEvents_ = std::move(handler); }

  const std::string& StatusText() const { return status_; }

  void SetStatusText(const std::string& text) override;
  void SetProgressMax(std::int32_t maximum) override { progress_.Maximum(maximum); }
  void SetProgressPosition(std::int32_t position) override { progress_.Position(position); }
  void ProcessPendingEvents() override {
    if (onEvents_) onEvents_();
  }

  std::int16_t ReadX() override { return x_; }
  std::int16_t ReadY() override { return y_; }
  std::int16_t ReadKeyOffset() override { return keyOffset_; }
  // Arrow keys do not exist here; the position stays as given.
  void StepX(int) override {}
  void StepY(int) override {}

  void EnableTaggedControls(bool) override {}
  void EnableSend(bool) override {}
  void EnableCancel(bool) override {}
  void EnableXY(bool) override {}
  void ShowPortButton(bool) override {}

  void SetImageCaption(const std::string&) override {}
  void SetKeyCaption(const std::string&) override {}
  void ShowPictures() override {}
  // The command names its pictures itself: there is no dialog to ask.
  std::optional<std::string> AskForPictureFile() override { return std::nullopt; }

  void ShowRetryMessage(const std::string& text) override { Show(text + " ,Try Again"); }
  void ShowPlainMessage(const std::string& text) override { Show(text); }

 private:
  void Show(const std::string& text);

  TProgressDisplay& progress_;
  std::ostream& messages_;
  std::int16_t x_ = 50, y_ = 50, keyOffset_ = 5;
  std::function<void()> onEvents_;
  std::string status_;
};

}  // namespace pavina::cli
