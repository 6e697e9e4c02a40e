// htmlview FILE: shows an HTML file (a "#name" after it scrolls to that anchor) in our
// viewer, filling a window captioned with the page's title. Links work as in the help, and
// a file dropped on the window from the shell is opened in it.
#include <ole2.h>
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "win32/HtmlPane.h"

namespace pavina::htmlviewtool {
using htmlview::clNone;
using htmlview::THtmlPane;
using htmlview::TViewerWindow;

namespace {
constexpr const char* kClassName = "THtmlViewWindow";
constexpr const char* kProgramName = "HTML Viewer";

class TViewerMainWindow final : public TViewerWindow {
 public:
  TViewerMainWindow() {
    RegisterViewerClass(kClassName, 0, ::GetSysColorBrush(COLOR_BTNFACE));
    CreateHandle(WS_EX_CONTROLPARENT, kClassName, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                 CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr);
    pane_ = std::make_unique<THtmlPane>(Handle(), 0, 0);
    pane_->View().SetDefBackground(clNone);
    RECT client{};
    ::GetClientRect(Handle(), &client);
    pane_->SetBounds(0, 0, client.right, client.bottom);
    pane_->OnDragOver = [](THtmlPane&, int, int, const std::vector<std::string>& files,
                           bool& accept) { accept = files.size() == 1; };
    pane_->OnDragDrop = [this](THtmlPane&, int, int, const std::vector<std::string>& files) {
      Open(files.front());
    };
  }

  void Open(const std::string& name) {
    try {
      pane_->View().OpenDocumentFile(name);
    } catch (const std::exception& error) {
      pane_->View().OpenDocumentText(std::string("<p>") + error.what() + "</p>");
    }
    const std::string title =
        pane_->View().DocumentTitle().empty() ? name : pane_->View().DocumentTitle();
    ::SetWindowTextA(Handle(), (title + " - " + kProgramName).c_str());
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_SIZE:
        if (pane_) pane_->SetBounds(0, 0, LOWORD(lParam), HIWORD(lParam));
        return 0;
      case WM_SETFOCUS:
        if (pane_) ::SetFocus(pane_->Handle());
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
      default:
        return DefaultHandling(message, wParam, lParam);
    }
  }

 private:
  std::unique_ptr<THtmlPane> pane_;
};
}  // namespace
}  // namespace pavina::htmlviewtool

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  // Drops from the shell come through OLE; without it the viewer still shows pages.
  const bool ole = SUCCEEDED(::OleInitialize(nullptr));
  auto window = std::make_unique<pavina::htmlviewtool::TViewerMainWindow>();
  if (__argc > 1)
    window->Open(__argv[1]);
  else
    ::SetWindowTextA(window->Handle(), pavina::htmlviewtool::kProgramName);
  ::ShowWindow(window->Handle(), show);
  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  window.reset();
  if (ole) ::OleUninitialize();
  return static_cast<int>(message.wParam);
}
