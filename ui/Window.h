#pragma once

#include <windows.h>

#include "WindowBase.h"

namespace pavina::ui {

// A top-level or child window of the program. An exception thrown by a handler ends at
// the window procedure and reaches the general error report there, so the program goes on
// as it would after any other reported error.
class TWindow : public win32::TWindowBase {
 public:
  // The program's object behind a window, or nullptr for any other window.
  static TWindow* FromHandle(HWND window);

  // Keyboard handling that a window wants before its messages are dispatched (dialog
  // navigation, mnemonics, the default button); true when the message was used up.
  virtual bool PreTranslateMessage(MSG& message);

 protected:
  // Registers the class once per process, on the system colour's brush.
  static void RegisterWindowClass(const char* className, int backgroundColor, HICON icon);
  void HandlerFailed(const std::exception& error) override;
};

// Outer size for a wanted client size with the given styles.
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);
// Top-left corner that centres a window of this outer size on the screen.
POINT CentredOnScreen(SIZE outer);

}  // namespace pavina::ui
