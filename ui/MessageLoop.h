#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace pavina::ui {

// The program's one message loop. The main loop, "process pending events" and the modal
// loops of our own windows all hand each message to HandleMessage, so the application-wide
// hook sees every message that any of them takes from the queue.
class TMessageLoop {
 public:
  // Returns true when it has handled the message, which then goes no further.
  using Hook = std::function<bool(const MSG&)>;

  TMessageLoop() = default;
  TMessageLoop(const TMessageLoop&) = delete;
  TMessageLoop& operator=(const TMessageLoop&) = delete;
  // Whatever is still deferred is done now: the program's objects are freed before the
  // leak report.
  ~TMessageLoop() { RunDeferred(); }

  void SetHook(Hook hook) { hook_ = std::move(hook); }

  // Runs `task` once no message taken by these loops is being handled any more: what a
  // handler still on the stack may use (a window freed while its viewer shows a message
  // box, say) must not be freed under it.
  void Defer(std::function<void()> task);

  // Until WM_QUIT; returns its exit code.
  int Run();
  // Handles every message already waiting, then returns.
  void ProcessPendingEvents();
  // Handles messages until done() is true. A WM_QUIT met on the way is put back for the
  // main loop.
  void RunModal(const std::function<bool()>& done);

 private:
  void HandleMessage(MSG& message);
  void RunDeferred();

  Hook hook_;
  int depth_ = 0;  // messages being handled, one inside the other
  std::vector<std::function<void()>> deferred_;
};

}  // namespace pavina::ui
