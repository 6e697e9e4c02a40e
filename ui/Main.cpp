// Pavina's entry: one copy at a time, the splash for the start-up pause, the main window
// and its message loop, and the leak report as the very last step.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <string>

#include "CountingAllocator.h"
#include "LeakReport.h"
#include "MainForm.h"
#include "MainFormLayout.h"
#include "MessageLoop.h"
#include "SplashForm.h"

namespace pavina::ui {
namespace {
constexpr const char* kInstanceMutexName = "Pavinauv";
constexpr DWORD kStartupPauseMs = 2000;

// The COM runtime stays initialised for the thread's whole life once started.
class TComRuntime {
 public:
  TComRuntime() : initialised_(SUCCEEDED(::CoInitialize(nullptr))) {}
  ~TComRuntime() {
    if (initialised_) ::CoUninitialize();
  }
  TComRuntime(const TComRuntime&) = delete;
  TComRuntime& operator=(const TComRuntime&) = delete;

 private:
  bool initialised_;
};

// True when another copy holds the lock; the lock is never released by us and lasts as
// long as the process.
bool AnotherCopyRuns() {
  ::CreateMutexA(nullptr, FALSE, kInstanceMutexName);
  return ::GetLastError() == ERROR_ALREADY_EXISTS;
}

void BringFirstCopyToFront() {
  if (HWND first = ::FindWindowA(kMainFormClassName, nullptr)) ::SetForegroundWindow(first);
}

int RunProgram() {
  if (AnotherCopyRuns()) {
    BringFirstCopyToFront();
    return 0;
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);

  auto splash = std::make_unique<TSplashForm>();
  splash->ShowAndPaint();
  TComRuntime comRuntime;
  ::Sleep(kStartupPauseMs);

  TMessageLoop loop;
  auto mainForm = std::make_unique<TMainForm>(loop);
  ::ShowWindow(splash->Handle(), SW_HIDE);
  splash.reset();
  mainForm->Show();
  const int exitCode = loop.Run();
  mainForm.reset();
  return exitCode;
}
// A function-local static with a run-time initialiser: its first use takes the guard lock.
void WarmUpStaticGuard() {
  static const std::string first(1, ' ');
  (void)first;
}
}  // namespace
}  // namespace pavina::ui

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The run-time's exception unwinder builds its lookup tables at the first throw and keeps
  // them to the process's end; built now, they count among the run-time's start-up blocks
  // and not as a leak of ours.
  try {
    throw 0;
  } catch (int) {
  }
  // Likewise the lock that guards the first function-local static (the help viewer has
  // some), made at its first use and kept to the end.
  pavina::ui::WarmUpStaticGuard();
  pavina::ui::MarkProgramStart();
  const int exitCode = pavina::ui::RunProgram();
  pavina::ui::RunLeakReport();
  return exitCode;
}
