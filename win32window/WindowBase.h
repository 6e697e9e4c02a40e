#pragma once

#include <windows.h>

#include <exception>

namespace pavina::win32 {

// A window of our own class bound to a C++ object: the one window procedure finds the
// object and calls HandleMessage. Both the program's windows and the help viewer's are
// built on it.
class TWindowBase {
 public:
  TWindowBase() = default;
  TWindowBase(const TWindowBase&) = delete;
  TWindowBase& operator=(const TWindowBase&) = delete;
  // Destroys the window if it is still there, without calling back into the object.
  virtual ~TWindowBase();

  HWND Handle() const { return handle_; }

  // The object behind a window of ours, or nullptr for any other window.
  static TWindowBase* FromHandle(HWND window);

 protected:
  // Registers the class once per process; later calls with the same name do nothing.
  static void RegisterWindowClass(const char* className, UINT classStyle, HBRUSH background,
                                  HICON icon);
  void CreateHandle(DWORD exStyle, const char* className, const char* caption, DWORD style,
                    int left, int top, int width, int height, HWND parent);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
  // An exception thrown by a handler cannot cross the system's code: it ends at the window
  // procedure, which hands it here and goes on.
  virtual void HandlerFailed(const std::exception& error) = 0;
  // Called after the window's last message, when the object no longer has a window; a
  // window that owns itself may free itself here.
  virtual void WindowDestroyed() {}

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND handle_ = nullptr;
};

}  // namespace pavina::win32
