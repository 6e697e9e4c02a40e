#include "win32/ViewerWindow.h"

#include <exception>

TViewerWindow::~TViewerWindow() {
  if (handle_ && ::IsWindow(handle_)) {
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    ::DestroyWindow(handle_);
  }
}

std::function<void(const std::string&)>& TViewerWindow::ErrorReporter() {
  static std::function<void(const std::string&)> reporter = [](const std::string& text) {
    ::MessageBoxA(nullptr, text.c_str(), "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  };
  return reporter;
}

void TViewerWindow::RegisterViewerClass(const char* className, UINT classStyle, HBRUSH background) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExA(::GetModuleHandleA(nullptr), className, &existing)) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = classStyle;
  wc.lpfnWndProc = WindowProcedure;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  ::RegisterClassExA(&wc);
}

void TViewerWindow::CreateHandle(DWORD exStyle, const char* className, DWORD style, int left,
                                 int top, int width, int height, HWND parent) {
  ::CreateWindowExA(exStyle, className, "", style, left, top, width, height, parent, nullptr,
                    ::GetModuleHandleA(nullptr), this);
}

LRESULT TViewerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT TViewerWindow::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TViewerWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<TViewerWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->handle_ = window;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TViewerWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    if (ErrorReporter()) ErrorReporter()(error.what());
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
  }
  return result;
}
