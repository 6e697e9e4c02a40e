#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "Window.h"

namespace htmlview {
class THtmlPane;
}

namespace pavina::ui {

class TMessageLoop;

// The program's help: a separate, resizable window over the main window with the help
// page in an HTML viewer that fills it. Every press of Help opens another one; each frees
// itself when it is closed, and all close with the main window, which owns them.
class THelpForm final : public TWindow {
 public:
  // A new, hidden help window centred over `mainWindow`; it owns itself from now on and is
  // freed through the loop once its window is gone.
  static THelpForm& Create(TMessageLoop& loop, HWND mainWindow);
  // The help windows not yet freed.
  static std::size_t Count();

  // Loads the file (a "#" starts an anchor) or, when that fails in any way, shows the
  // not-found text; then shows the window and returns.
  void ShowHelpFile(const std::string& fileName);
  htmlview::THtmlPane& Viewer() { return *htmlHelp_; }
  ~THelpForm() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed() override;

 private:
  THelpForm(TMessageLoop& loop, HWND mainWindow);
  void FormClose();

  TMessageLoop& loop_;
  std::unique_ptr<htmlview::THtmlPane> htmlHelp_;
};

// The help page beside the executable.
std::string HelpFilePath();

}  // namespace pavina::ui
