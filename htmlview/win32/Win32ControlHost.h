#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "canvas/ControlHost.h"

namespace htmlview {

// The page's form controls as real child windows of the paint panel. Their notifications
// reach the panel, which hands them to HandleCommand.
class TWin32ControlHost final : public TControlHost {
 public:
  explicit TWin32ControlHost(HWND parent);
  ~TWin32ControlHost() override;
  TWin32ControlHost(const TWin32ControlHost&) = delete;
  TWin32ControlHost& operator=(const TWin32ControlHost&) = delete;

  std::unique_ptr<TControlWindow> CreateControl(const TControlSpec& spec,
                                                TControlEvents& events) override;
  TControlTextSize MeasureText(const TControlFont& font, const std::string& text) override;
  std::int32_t ScrollBarSize() override;

  // The document places controls in its own coordinates; the panel shows them less the
  // scroll position, which the control sets before each paint.
  void SetScrollOffset(std::int32_t y) { scrollOffset_ = y; }

  // The parent's WM_COMMAND; true when it came from one of our controls.
  static bool HandleCommand(WPARAM wParam, LPARAM lParam);

 private:
  HFONT FontFor(const TControlFont& font);

  HWND parent_;
  std::int32_t scrollOffset_ = 0;
  std::map<std::pair<std::string, std::int32_t>, HFONT> fonts_;
};

}  // namespace htmlview
