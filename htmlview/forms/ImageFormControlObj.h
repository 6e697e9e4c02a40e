#pragma once

#include <optional>

#include "forms/FormControlObj.h"

namespace htmlview {

// INPUT TYPE "image": an inline image of the page stands for it, and has no window of its
// own. A click on the image submits the form with the click position, once.
class TImageFormControlObj : public TFormControlObj {
 public:
  using TFormControlObj::TFormControlObj;

  // The image (made by the parser from the INPUT's SRC and other IMG attributes) was
  // clicked at (x, y) within it: remembered for the submission, which follows at once.
  void ImageClicked(std::int32_t x, std::int32_t y);

  // The image takes the place in the line; the control itself takes none.
  TControlSize Measure() const override { return {}; }
  bool TakesPlace() const override { return false; }
  // NAME.x=X and NAME.y=Y (x=X and y=Y without a NAME) after a click; the position is then
  // forgotten.
  void AddSubmitEntries(std::vector<std::string>& results) override;

 private:
  void HandleClick() override;

  struct TClick {
    std::int32_t X;
    std::int32_t Y;
  };
  std::optional<TClick> click_;
};

// The mouse code's way in: a click at (x, y) within an image that stands for `control`
// (TImageObj::FormControl, TLinkHit::FormControl). False when it is no image control.
bool ImageControlClicked(TInlineControlObj* control, std::int32_t x, std::int32_t y);

}  // namespace htmlview
