#pragma once

#include <cstdint>
#include <optional>

#include "Attributes.h"
#include "SectionBase.h"

namespace htmlview {

// A horizontal rule (HR).
class THorzLine : public TSectionBase {
 public:
  static constexpr std::int32_t kDefaultSize = 2;

  THorzLine(TSectionList& doc, const TAttributeList& attributes);

  std::int32_t Size() const { return size_; }  // thickness, 1..20

  std::int32_t DrawLogic(std::int32_t y, IndentManager& imgr, std::int32_t& maxWidth,
                         std::int32_t& curs) override;
  std::int32_t Draw(const TRect& clip, std::int32_t clipWidth, std::int32_t x,
                    std::int32_t y) override;
  void SetHeight() override;
  void ShiftY(std::int32_t dy) override {
    TSectionBase::ShiftY(dy);
    top_ += dy;
  }
  void Dump(std::string& out, int indent) const override;

 private:
  std::int32_t size_ = kDefaultSize;
  std::int32_t width_ = 0;  // pixels or percent; 0 when not given
  bool percent_ = false;
  TJustify align_ = TJustify::Centre;
  bool noShade_ = false;
  std::optional<TColor> color_;
  // Placed by layout: cell-local x range and the rule's top.
  std::int32_t left_ = 0;
  std::int32_t right_ = 0;
  std::int32_t top_ = 0;
};

}  // namespace htmlview
