#pragma once

#include <string>

#include "Window.h"

namespace pavina::ui {

// A group box that holds its controls as child windows: positions inside it are relative
// to its top-left corner, and it passes its children's notifications on to the window
// that holds it, as a dialog's own controls would send them.
class TGroupBox final : public TWindow {
 public:
  TGroupBox(HWND parent, const char* caption, int left, int top, int width, int height, int id,
            HFONT font);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  HFONT font_ = nullptr;
};

}  // namespace pavina::ui
