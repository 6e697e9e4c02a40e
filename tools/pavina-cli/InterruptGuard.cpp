#include "InterruptGuard.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

#include <atomic>

namespace pavina::cli {

namespace {
// Lock-free, so that a signal handler (or Windows' control thread) may set it.
std::atomic<bool> gRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

#ifdef _WIN32
BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  // The second press falls through to the default: the program ends.
  return gRequested.exchange(true) ? FALSE : TRUE;
}
#else
struct sigaction gOldInt {
}, gOldTerm{};

void OnSignal(int) {
  gRequested.store(true);
}
#endif
}  // namespace

TInterruptGuard::TInterruptGuard() {
  gRequested.store(false);
#ifdef _WIN32
  SetConsoleCtrlHandler(OnControl, TRUE);
#else
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  // Once only: the handler goes back to the default, so a second Ctrl+C ends the program.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, &gOldInt);
  sigaction(SIGTERM, &action, &gOldTerm);
#endif
}

TInterruptGuard::~TInterruptGuard() {
#ifdef _WIN32
  SetConsoleCtrlHandler(OnControl, FALSE);
#else
  sigaction(SIGINT, &gOldInt, nullptr);
  sigaction(SIGTERM, &gOldTerm, nullptr);
#endif
}

bool TInterruptGuard::Requested() {
  return gRequested.load();
}

}  // namespace pavina::cli
