#include "MessageLoop.h"

#include "Window.h"

namespace pavina::ui {

void TMessageLoop::Defer(std::function<void()> task) {
  deferred_.push_back(std::move(task));
}

void TMessageLoop::RunDeferred() {
  // Taken out first: a task may defer another, or run the loop and come back here.
  while (!deferred_.empty()) {
    std::vector<std::function<void()>> tasks;
    tasks.swap(deferred_);
    for (auto& task : tasks) task();
  }
}

void TMessageLoop::HandleMessage(MSG& message) {
  ++depth_;
  struct TLeave {
    TMessageLoop& loop;
    ~TLeave() {
      if (--loop.depth_ == 0) loop.RunDeferred();
    }
  } leave{*this};
  if (hook_ && hook_(message)) return;
  if (TWindow* root = TWindow::FromHandle(::GetAncestor(message.hwnd, GA_ROOT)))
    if (root->PreTranslateMessage(message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageA(&message);
}

int TMessageLoop::Run() {
  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) HandleMessage(message);
  RunDeferred();
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
  if (depth_ == 0) RunDeferred();
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
