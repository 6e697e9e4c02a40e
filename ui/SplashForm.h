#pragma once

#include "GdiFont.h"
#include "Window.h"

namespace pavina::ui {

// The start-up window: the splash picture with the program's and the maker's name over
// it, in a 3-pixel frame, no caption, centred, sized to the picture.
class TSplashForm final : public TWindow {
 public:
  TSplashForm();
  ~TSplashForm() override;

  // Shows the window and paints it at once.
  void ShowAndPaint();
  void FormCreate();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  void PaintFrame();

  HBITMAP picture_ = nullptr;
  SIZE pictureSize_{0, 0};
  TGdiFont labelFont_;
};

}  // namespace pavina::ui
