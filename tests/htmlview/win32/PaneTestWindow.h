#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "win32/HtmlPane.h"

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

// A file in the test's own folder, written with the given bytes; returns its full path.
std::string WriteTestFile(const std::string& name, const std::string& bytes);
