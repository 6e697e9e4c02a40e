#pragma once

#include <cstdint>

#include "SectionBase.h"

namespace htmlview {

// Vertical space between paragraphs: 14 pixels at DefFontSize 12, scaled with it.
class TParagraphSpace : public TSectionBase {
 public:
  explicit TParagraphSpace(TSectionList& doc);
  void SetHeight() override;
  void Dump(std::string& out, int indent) const override;
};

// Vertical space around a heading, by level: 16, 12, 10, 8, 6, 4 for levels 1..6 (8 for
// 0), at DefFontSize 12, scaled with it.
class THeadingSpace : public TSectionBase {
 public:
  THeadingSpace(TSectionList& doc, std::int32_t level);
  std::int32_t Level() const { return level_; }
  void SetHeight() override;
  void Dump(std::string& out, int indent) const override;

 private:
  std::int32_t level_;
};

// n scaled by DefFontSize / 12, rounded.
std::int32_t ScaleByFontSize(const TSectionList& doc, std::int32_t n);

}  // namespace htmlview
