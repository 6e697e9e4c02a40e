#include "Window.h"

#include <exception>

#include "GeneralErrorReport.h"
#include "ReportTexts.h"

namespace pavina::ui {

TWindow::~TWindow() {
  if (handle_ && ::IsWindow(handle_)) {
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    ::DestroyWindow(handle_);
  }
}

TWindow* TWindow::FromHandle(HWND window) {
  if (!window) return nullptr;
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window, GWLP_WNDPROC)) != WindowProcedure)
    return nullptr;
  return reinterpret_cast<TWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool TWindow::PreTranslateMessage(MSG&) {
  return false;
}

void TWindow::RegisterWindowClass(const char* className, int backgroundColor, HICON icon) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExA(::GetModuleHandleA(nullptr), className, &existing)) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProcedure;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = ::GetSysColorBrush(backgroundColor);
  wc.hIcon = icon;
  wc.lpszClassName = className;
  ::RegisterClassExA(&wc);
}

void TWindow::CreateHandle(DWORD exStyle, const char* className, const char* caption, DWORD style,
                           int left, int top, int width, int height, HWND parent) {
  ::CreateWindowExA(exStyle, className, caption, style, left, top, width, height, parent, nullptr,
                    ::GetModuleHandleA(nullptr), this);
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT TWindow::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->handle_ = window;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    ShowGeneralErrorReport(ErrorText(error));
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    self->WindowDestroyed();
  }
  return result;
}

SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
  RECT r{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

POINT CentredOnScreen(SIZE outer) {
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  return POINT{(screenWidth - outer.cx) / 2, (screenHeight - outer.cy) / 2};
}

}  // namespace pavina::ui
