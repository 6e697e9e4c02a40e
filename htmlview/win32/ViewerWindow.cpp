#include "win32/ViewerWindow.h"

#include <exception>

namespace htmlview {

std::function<void(const std::string&)>& TViewerWindow::ErrorReporter() {
  static std::function<void(const std::string&)> reporter = [](const std::string& text) {
    ::MessageBoxA(nullptr, text.c_str(), "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  };
  return reporter;
}

void TViewerWindow::RegisterViewerClass(const char* className, UINT classStyle, HBRUSH background) {
  RegisterWindowClass(className, classStyle, background, nullptr);
}

void TViewerWindow::CreateHandle(DWORD exStyle, const char* className, DWORD style, int left,
                                 int top, int width, int height, HWND parent) {
  TWindowBase::CreateHandle(exStyle, className, "", style, left, top, width, height, parent);
}

void TViewerWindow::HandlerFailed(const std::exception& error) {
  if (ErrorReporter()) ErrorReporter()(error.what());
}

}  // namespace htmlview
