#include "forms/ImageFormControlObj.h"

#include "forms/HtmlForm.h"

namespace htmlview {

void TImageFormControlObj::ImageClicked(std::int32_t x, std::int32_t y) {
  click_ = TClick{x, y};
  Clicked();
}

void TImageFormControlObj::AddSubmitEntries(std::vector<std::string>& results) {
  if (!click_) return;
  const std::string prefix = Name().empty() ? std::string() : Name() + ".";
  results.push_back(prefix + "x=" + std::to_string(click_->X));
  results.push_back(prefix + "y=" + std::to_string(click_->Y));
  click_.reset();
}

void TImageFormControlObj::HandleClick() {
  Form().SubmitTheForm({});
}

bool ImageControlClicked(TInlineControlObj* control, std::int32_t x, std::int32_t y) {
  auto* image = dynamic_cast<TImageFormControlObj*>(control);
  if (!image) return false;
  image->ImageClicked(x, y);
  return true;
}

}  // namespace htmlview
