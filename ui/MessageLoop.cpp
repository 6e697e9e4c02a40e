#include "MessageLoop.h"

#include "Window.h"

namespace pavina::ui {

void TMessageLoop::HandleMessage(MSG& message) {
  if (hook_ && hook_(message)) return;
  if (TWindow* root = TWindow::FromHandle(::GetAncestor(message.hwnd, GA_ROOT)))
    if (root->PreTranslateMessage(message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageA(&message);
}

int TMessageLoop::Run() {
  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) HandleMessage(message);
  return static_cast<int>(message.wParam);
}

void TMessageLoop::ProcessPendingEvents() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    HandleMessage(message);
  }
}

void TMessageLoop::RunModal(const std::function<bool()>& done) {
  MSG message{};
  while (!done()) {
    if (::GetMessageA(&message, nullptr, 0, 0) <= 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    HandleMessage(message);
  }
}

}  // namespace pavina::ui
