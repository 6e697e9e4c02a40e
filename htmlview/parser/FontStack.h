#pragma once

#include <cstddef>
#include <vector>

#include "document/FontObj.h"

namespace htmlview {

// The parser's fonts: the base font at the bottom, the current one on top. A push copies
// the top; a pop never removes the base. At most 25 fonts are stacked, so that markup
// nested without end cannot grow it.
class TFontStack {
 public:
  static constexpr std::size_t kMaxFonts = 25;

  void Reset(const TFontDesc& base) { fonts_.assign(1, base); }
  bool Full() const { return fonts_.size() >= kMaxFonts; }
  // False (and nothing pushed) when full.
  bool Push() {
    if (Full()) return false;
    fonts_.push_back(fonts_.back());
    return true;
  }
  void Pop() {
    if (fonts_.size() > 1) fonts_.pop_back();
  }
  // Pops down to `depth` fonts (never below the base).
  void PopTo(std::size_t depth) {
    while (fonts_.size() > depth && fonts_.size() > 1) fonts_.pop_back();
  }
  std::size_t Depth() const { return fonts_.size(); }
  TFontDesc& Top() { return fonts_.back(); }
  const TFontDesc& Top() const { return fonts_.back(); }
  TFontDesc& Base() { return fonts_.front(); }

 private:
  std::vector<TFontDesc> fonts_ = std::vector<TFontDesc>(1);
};

}  // namespace htmlview
