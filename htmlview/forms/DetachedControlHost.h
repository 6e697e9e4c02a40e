#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "canvas/ControlHost.h"

namespace htmlview {

class TDetachedControlHost;

// A control window that only keeps its state: for documents that are never shown, and for
// tests, which act as the user on it (testing/ControlUser.h).
class TDetachedControlWindow : public TControlWindow {
 public:
  TDetachedControlWindow(TDetachedControlHost& host, const TControlSpec& spec,
                         TControlEvents& events);
  ~TDetachedControlWindow() override;

  const TControlSpec& Spec() const { return spec_; }
  std::int32_t Left() const { return left_; }
  std::int32_t Top() const { return top_; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  std::int32_t TopIndex() const { return topIndex_; }
  TColor Background() const { return spec_.Background; }
  const std::vector<std::string>& Items() const { return spec_.Items; }
  // Where the window reports what the user did.
  TControlEvents& Events() const { return events_; }

  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override;
  void SetVisible(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  void SetText(const std::string& text) override { spec_.Text = text; }
  std::string Text() const override { return spec_.Text; }
  void SetChecked(bool checked) override { spec_.Checked = checked; }
  bool Checked() const override { return spec_.Checked; }
  void SetItems(const std::vector<std::string>& items) override;
  void SetItemSelected(std::int32_t index, bool selected) override;
  bool ItemSelected(std::int32_t index) const override;
  void SetTopIndex(std::int32_t index) override { topIndex_ = index; }
  void SetBackground(TColor color) override { spec_.Background = color; }
  bool Focused() const override;
  void SetFocus() override;

 private:
  TDetachedControlHost& host_;
  TControlSpec spec_;
  TControlEvents& events_;
  std::vector<bool> selected_;
  std::int32_t topIndex_ = 0;
  std::int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = false;
};

// Makes detached windows and measures with fixed metrics: a character is
// (points x 7 + 6) / 12 pixels wide and a line (points x 13 + 6) / 12 high, so that sizes
// are exact everywhere.
class TDetachedControlHost : public TControlHost {
 public:
  std::unique_ptr<TControlWindow> CreateControl(const TControlSpec& spec,
                                                TControlEvents& events) override;
  TControlTextSize MeasureText(const TControlFont& font, const std::string& text) override;
  std::int32_t ScrollBarSize() override { return 16; }

  // Windows made so far (ever).
  int CreatedCount() const { return created_; }

 private:
  friend class TDetachedControlWindow;
  TDetachedControlWindow* focused_ = nullptr;
  int created_ = 0;
};

}  // namespace htmlview
