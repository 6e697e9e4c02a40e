#pragma once

#include <windows.h>

namespace pavina::ui {

// A top-level or child window of our own class, bound to a C++ object: the window
// procedure finds the object and calls HandleMessage. An exception thrown by a handler
// ends at the window procedure and reaches the general error report there, so the
// program goes on as it would after any other reported error.
class TWindow {
 public:
  TWindow() = default;
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;
  virtual ~TWindow();

  HWND Handle() const { return handle_; }

  // The object behind a window of ours, or nullptr for any other window.
  static TWindow* FromHandle(HWND window);

  // Keyboard handling that a window wants before its messages are dispatched (dialog
  // navigation, mnemonics, the default button); true when the message was used up.
  virtual bool PreTranslateMessage(MSG& message);

 protected:
  // Registers the class once per process; later calls with the same name do nothing.
  static void RegisterWindowClass(const char* className, int backgroundColor, HICON icon);
  void CreateHandle(DWORD exStyle, const char* className, const char* caption, DWORD style,
                    int left, int top, int width, int height, HWND parent);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Called after the window's last message, when the object no longer has a window; a
  // window that owns itself may free itself here.
  virtual void WindowDestroyed() {}
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND handle_ = nullptr;
};

// Outer size for a wanted client size with the given styles.
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);
// Top-left corner that centres a window of this outer size on the screen.
POINT CentredOnScreen(SIZE outer);

}  // namespace pavina::ui
