#include "WindowBase.h"

namespace pavina::win32 {

TWindowBase::~TWindowBase() {
  if (handle_ && ::IsWindow(handle_)) {
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    ::DestroyWindow(handle_);
  }
}

TWindowBase* TWindowBase::FromHandle(HWND window) {
  if (!window) return nullptr;
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window, GWLP_WNDPROC)) != WindowProcedure)
    return nullptr;
  return reinterpret_cast<TWindowBase*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

void TWindowBase::RegisterWindowClass(const char* className, UINT classStyle, HBRUSH background,
                                      HICON icon) {
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
  wc.hIcon = icon;
  wc.lpszClassName = className;
  ::RegisterClassExA(&wc);
}

void TWindowBase::CreateHandle(DWORD exStyle, const char* className, const char* caption,
                               DWORD style, int left, int top, int width, int height, HWND parent) {
  ::CreateWindowExA(exStyle, className, caption, style, left, top, width, height, parent, nullptr,
                    ::GetModuleHandleA(nullptr), this);
}

LRESULT TWindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT TWindowBase::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TWindowBase::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<TWindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->handle_ = window;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TWindowBase*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    self->HandlerFailed(error);
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    self->WindowDestroyed();
  }
  return result;
}

}  // namespace pavina::win32
