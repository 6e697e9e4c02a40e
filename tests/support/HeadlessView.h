#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "LogoCore.h"
#include "LogoView.h"

namespace pavina::core {

// A view without a screen: it keeps the state the window would show and records every
// request of the core in order, as "name" or "name:argument".
class THeadlessView final : public TLogoView {
 public:
  // Up-down ranges and start values of the main window.
  static constexpr int kXMin = 2, kXMax = 225, kYMin = 20, kYMax = 254;

  std::vector<std::string> log;
  std::string status = "Ready";
  std::int32_t progressMax = 100;
  std::int32_t progressPosition = 0;
  std::int32_t x = 50, y = 50, keyOffset = 5;
  bool taggedEnabled = true;
  bool sendEnabled = false, cancelEnabled = false, xyEnabled = false;
  bool portButtonShown = false;
  std::string imageCaption = "  Image Info  ", keyCaption = "  Key Info  ";
  int picturesShown = 0;
  int eventsProcessed = 0;
  std::vector<std::string> retryMessages, plainMessages;
  std::vector<std::int32_t> progressPositions;
  // Answers for the file requests, in order; an empty entry is a cancelled dialog.
  std::deque<std::optional<std::string>> fileAnswers;
  // Runs inside "process pending events", as a click or a tick would.
  std::function<void()> onProcessEvents;
  // Receives the position changes, as the edit fields' change handlers do.
  TLogoCore* core = nullptr;

  bool Logged(const std::string& entry) const {
    return std::find(log.begin(), log.end(), entry) != log.end();
  }
  std::size_t Count(const std::string& entry) const {
    return static_cast<std::size_t>(std::count(log.begin(), log.end(), entry));
  }

  void SetStatusText(const std::string& text) override {
    status = text;
    log.push_back("status:" + text);
  }
  void SetProgressMax(std::int32_t maximum) override {
    progressMax = maximum;
    log.push_back("progressMax:" + std::to_string(maximum));
  }
  void SetProgressPosition(std::int32_t position) override {
    progressPosition = position;
    progressPositions.push_back(position);
  }
  void ProcessPendingEvents() override {
    ++eventsProcessed;
    if (onProcessEvents) onProcessEvents();
  }
  std::int16_t ReadX() override { return static_cast<std::int16_t>(x); }
  std::int16_t ReadY() override { return static_cast<std::int16_t>(y); }
  std::int16_t ReadKeyOffset() override { return static_cast<std::int16_t>(keyOffset); }
  void StepX(int step) override { Step(x, step, kXMin, kXMax, "X"); }
  void StepY(int step) override { Step(y, step, kYMin, kYMax, "Y"); }
  void EnableTaggedControls(bool enabled) override {
    taggedEnabled = enabled;
    // The tagged controls include Send and the position controls.
    sendEnabled = xyEnabled = enabled;
    log.push_back(std::string("tagged:") + (enabled ? "on" : "off"));
  }
  void EnableSend(bool enabled) override {
    sendEnabled = enabled;
    log.push_back(std::string("send:") + (enabled ? "on" : "off"));
  }
  void EnableCancel(bool enabled) override {
    cancelEnabled = enabled;
    log.push_back(std::string("cancel:") + (enabled ? "on" : "off"));
  }
  void EnableXY(bool enabled) override {
    xyEnabled = enabled;
    log.push_back(std::string("xy:") + (enabled ? "on" : "off"));
  }
  void ShowPortButton(bool shown) override {
    portButtonShown = shown;
    log.push_back(std::string("port:") + (shown ? "shown" : "hidden"));
  }
  void SetImageCaption(const std::string& text) override {
    imageCaption = text;
    log.push_back("imageCaption:" + text);
  }
  void SetKeyCaption(const std::string& text) override {
    keyCaption = text;
    log.push_back("keyCaption:" + text);
  }
  void ShowPictures() override {
    ++picturesShown;
    log.push_back("pictures");
  }
  std::optional<std::string> AskForPictureFile() override {
    log.push_back("askFile");
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
  void ShowRetryMessage(const std::string& text) override {
    retryMessages.push_back(text + " ,Try Again");
    log.push_back("retry:" + text);
  }
  void ShowPlainMessage(const std::string& text) override {
    plainMessages.push_back(text);
    log.push_back("plain:" + text);
  }

 private:
  void Step(std::int32_t& value, int step, int low, int high, const char* name) {
    const std::int32_t next = std::clamp(value + step, low, high);
    log.push_back(std::string("step") + name + ":" + std::to_string(step));
    if (next == value) return;
    value = next;
    if (core) core->UpdatePosition();
  }
};

}  // namespace pavina::core
