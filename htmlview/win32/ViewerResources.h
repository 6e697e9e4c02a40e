#pragma once

#include <windows.h>

#include <array>

#include "images/Color.h"

namespace htmlview {

// What every viewer of the process shares, made once at the first viewer: the five
// screen cursors, the built-in pictures, the screen's colour depth and, on 8-bit screens,
// the palette every paint selects.
class TViewerResources {
 public:
  static TViewerResources& Get();

  // Cursors 1 (link hand), 2 (text), 3 (scroll both ways), 4 (up only), 5 (down only);
  // any other number is the arrow.
  HCURSOR Cursor(int number) const;

  HBITMAP CannotLoad() const { return cannotLoad_; }
  HBITMAP CannotLoadMask() const { return cannotLoadMask_; }
  HBITMAP NotShown() const { return notShown_; }

  // 4, 8 or 24, as the image layer classifies screens.
  int ScreenDepth() const { return screenDepth_; }
  // The shared palette on an 8-bit screen; null elsewhere.
  HPALETTE Palette() const { return palette_; }
  // A copy: the resources hold it in fixed storage, so that nothing of theirs stays on the
  // heap for the leak report at exit.
  TPalette SharedPalette() const {
    return TPalette(sharedPalette_.begin(), sharedPalette_.begin() + sharedPaletteSize_);
  }

  TViewerResources(const TViewerResources&) = delete;
  TViewerResources& operator=(const TViewerResources&) = delete;

 private:
  TViewerResources();
  ~TViewerResources();

  std::array<HCURSOR, 5> cursors_{};
  HBITMAP cannotLoad_ = nullptr;
  HBITMAP cannotLoadMask_ = nullptr;
  HBITMAP notShown_ = nullptr;
  int screenDepth_ = 24;
  HPALETTE palette_ = nullptr;
  std::array<TColor, 256> sharedPalette_{};
  std::size_t sharedPaletteSize_ = 0;
};

}  // namespace htmlview
