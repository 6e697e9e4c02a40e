#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A window of the viewer bound to a C++ object: the window procedure finds the object and
// calls HandleMessage. An exception thrown by a handler ends at the window procedure and
// goes to the error reporter, since it cannot cross the system's code.
class TViewerWindow {
 public:
  TViewerWindow() = default;
  TViewerWindow(const TViewerWindow&) = delete;
  TViewerWindow& operator=(const TViewerWindow&) = delete;
  virtual ~TViewerWindow();

  HWND Handle() const { return handle_; }

  // Shows the text of an error that reached a window procedure. The host may replace it
  // (Pavina sends it to its general error report); the default is a message box.
  static std::function<void(const std::string&)>& ErrorReporter();

 protected:
  static void RegisterViewerClass(const char* className, UINT classStyle, HBRUSH background);
  void CreateHandle(DWORD exStyle, const char* className, DWORD style, int left, int top, int width,
                    int height, HWND parent);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND handle_ = nullptr;
};
