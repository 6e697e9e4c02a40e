#include "PaneTestWindow.h"

#include <fstream>

namespace htmlview {

TPaneTestWindow::TPaneTestWindow(int width, int height) {
  window_ = ::CreateWindowExA(0, "STATIC", "viewer test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              width + 40, height + 60, nullptr, nullptr,
                              ::GetModuleHandleA(nullptr), nullptr);
  pane_ = std::make_unique<THtmlPane>(window_, 0, 0);
  pane_->SetBounds(0, 0, width, height);
  Pump(50);
}

TPaneTestWindow::~TPaneTestWindow() {
  pane_.reset();
  ::DestroyWindow(window_);
}

void TPaneTestWindow::Pump(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  do {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    ::Sleep(5);
  } while (::GetTickCount() - start < milliseconds);
}

std::string WriteTestFile(const std::string& name, const std::string& bytes) {
  const std::string path = std::string(PAVINA_VIEWER_PICTURE_DIR) + "/" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  char full[MAX_PATH] = {};
  ::GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
  return full;
}

TErrorsCollected::TErrorsCollected() : before_(TViewerWindow::ErrorReporter()) {
  TViewerWindow::ErrorReporter() = [this](const std::string& text) { Texts.push_back(text); };
}

TErrorsCollected::~TErrorsCollected() {
  TViewerWindow::ErrorReporter() = before_;
}

std::string LongPage() {
  std::string page = "<title>Long</title><h1>Top</h1>";
  for (int i = 0; i < 60; ++i) page += "<p>Paragraph " + std::to_string(i) + " of the page.</p>";
  page += "<a name=\"MixedCase\"></a><h2>Anchored</h2>";
  for (int i = 0; i < 30; ++i) page += "<p>More " + std::to_string(i) + "</p>";
  return page;
}

}  // namespace htmlview
