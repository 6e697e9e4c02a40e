#include "forms/DetachedControlHost.h"

namespace htmlview {

TDetachedControlWindow::TDetachedControlWindow(TDetachedControlHost& host, const TControlSpec& spec,
                                               TControlEvents& events)
    : host_(host), spec_(spec), events_(events), selected_(spec.Items.size(), false) {}

TDetachedControlWindow::~TDetachedControlWindow() {
  if (host_.focused_ == this) host_.focused_ = nullptr;
}

void TDetachedControlWindow::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                                       std::int32_t height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void TDetachedControlWindow::SetItems(const std::vector<std::string>& items) {
  spec_.Items = items;
  selected_.assign(items.size(), false);
  topIndex_ = 0;
}

void TDetachedControlWindow::SetItemSelected(std::int32_t index, bool selected) {
  if (index < 0 || static_cast<std::size_t>(index) >= selected_.size()) return;
  if (selected && !spec_.MultiSelect) selected_.assign(selected_.size(), false);
  selected_[static_cast<std::size_t>(index)] = selected;
}

bool TDetachedControlWindow::ItemSelected(std::int32_t index) const {
  return index >= 0 && static_cast<std::size_t>(index) < selected_.size() &&
         selected_[static_cast<std::size_t>(index)];
}

bool TDetachedControlWindow::Focused() const {
  return host_.focused_ == this;
}

void TDetachedControlWindow::SetFocus() {
  if (host_.focused_ == this) return;
  host_.focused_ = this;
  events_.ControlFocused();
}

std::unique_ptr<TControlWindow> TDetachedControlHost::CreateControl(const TControlSpec& spec,
                                                                    TControlEvents& events) {
  ++created_;
  return std::make_unique<TDetachedControlWindow>(*this, spec, events);
}

TControlTextSize TDetachedControlHost::MeasureText(const TControlFont& font,
                                                   const std::string& text) {
  const std::int32_t charWidth = (font.Points * 7 + 6) / 12;
  const std::int32_t lineHeight = (font.Points * 13 + 6) / 12;
  return {static_cast<std::int32_t>(text.size()) * charWidth, lineHeight};
}

}  // namespace htmlview
