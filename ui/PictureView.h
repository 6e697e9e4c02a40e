#pragma once

#include <cstdint>
#include <vector>

#include "Raster.h"
#include "Window.h"

namespace pavina::ui {

// A picture shown at its natural size from its top-left corner, without scaling; the
// view takes the picture's size, and whatever lies beyond its parent is cut off.
class TPictureView final : public TWindow {
 public:
  TPictureView(HWND parent, int left, int top, int width, int height, int id);

  // Keeps its own copy: the raster may change or go while the copy is on show.
  void SetPicture(const pictures::TRaster& raster);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();

  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<std::uint8_t> rows_;  // bottom-up BGR rows, each padded to 4 bytes
};

}  // namespace pavina::ui
