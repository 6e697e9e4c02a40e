#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "win32/HtmlPane.h"

namespace htmlview {

// A visible top-level window holding one viewer at a given size, for tests that need real
// painting, and a few helpers around it.
class TPaneTestWindow {
 public:
  TPaneTestWindow(int width, int height);
  ~TPaneTestWindow();
  TPaneTestWindow(const TPaneTestWindow&) = delete;
  TPaneTestWindow& operator=(const TPaneTestWindow&) = delete;

  THtmlPane& Pane() { return *pane_; }
  HWND Handle() const { return window_; }

  // Handles the window messages that arrive within the time (paints, timers).
  static void Pump(DWORD milliseconds);

 private:
  HWND window_ = nullptr;
  std::unique_ptr<THtmlPane> pane_;
};

// Collects the errors that reach window procedures while it lives; the reporter before it
// comes back however the test ends.
class TErrorsCollected {
 public:
  TErrorsCollected();
  ~TErrorsCollected();
  TErrorsCollected(const TErrorsCollected&) = delete;
  TErrorsCollected& operator=(const TErrorsCollected&) = delete;
  std::vector<std::string> Texts;

 private:
  std::function<void(const std::string&)> before_;
};

// A page of ninety paragraphs, far taller than a view, whose anchor "MixedCase" lies far
// below the top.
std::string LongPage();

// A file in the test's own folder, written with the given bytes; returns its full path.
std::string WriteTestFile(const std::string& name, const std::string& bytes);

}  // namespace htmlview
