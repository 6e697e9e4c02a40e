#pragma once

namespace pavina::cli {

// While one exists, Ctrl+C (and on POSIX SIGTERM) does not end the program but asks it to
// cancel, as the window's Cancel button does; a second Ctrl+C ends it at once.
class TInterruptGuard {
 public:
  TInterruptGuard();
  ~TInterruptGuard();
  TInterruptGuard(const TInterruptGuard&) = delete;
  TInterruptGuard& operator=(const TInterruptGuard&) = delete;

  // True from the first Ctrl+C on.
  static bool Requested();
};

}  // namespace pavina::cli
