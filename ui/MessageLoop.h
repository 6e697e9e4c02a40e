#pragma once

#include <windows.h>

#include <functional>

namespace pavina::ui {

// The program's one message loop. The main loop, "process pending events" and the modal
// loops of our own windows all hand each message to HandleMessage, so the application-wide
// hook sees every message that any of them takes from the queue.
class TMessageLoop {
 public:
  // Returns true when it has handled the message, which then goes no further.
  using Hook = std::function<bool(const MSG&)>;

  void SetHook(Hook hook) { hook_ = std::move(hook); }

  // Until WM_QUIT; returns its exit code.
  int Run();
  // Handles every message already waiting, then returns.
  void ProcessPendingEvents();
  // Handles messages until done() is true. A WM_QUIT met on the way is put back for the
  // main loop.
  void RunModal(const std::function<bool()>& done);

 private:
  void HandleMessage(MSG& message);

  Hook hook_;
};

}  // namespace pavina::ui
