#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "WindowBase.h"

namespace htmlview {

// A window of the viewer on the shared window base. An exception thrown by a handler ends
// at the window procedure and goes to the error reporter, since it cannot cross the
// system's code.
class TViewerWindow : public pavina::win32::TWindowBase {
 public:
  // Shows the text of an error that reached a window procedure. The host may replace it
  // (Pavina sends it to its general error report); the default is a message box.
  static std::function<void(const std::string&)>& ErrorReporter();

 protected:
  static void RegisterViewerClass(const char* className, UINT classStyle, HBRUSH background);
  void CreateHandle(DWORD exStyle, const char* className, DWORD style, int left, int top, int width,
                    int height, HWND parent);
  void HandlerFailed(const std::exception& error) override;
};

}  // namespace htmlview
