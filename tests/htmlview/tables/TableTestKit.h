#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "DocBuilder.h"
#include "GoldenFile.h"
#include "document/Attributes.h"
#include "document/IndentManager.h"
#include "document/SectionList.h"
#include "tables/HtmlTable.h"

namespace htmlview {

// A section of fixed needs: it cannot be narrower than `min`, shows on one line at `max`,
// and wraps into more 10-pixel lines the narrower it is laid out. It draws one filled
// rectangle where it stands, so that placement shows in the draw calls.
class TBlock : public TSectionBase {
 public:
  TBlock(TSectionList& doc, std::string name, std::int32_t min, std::int32_t max,
         int* measured = nullptr)
      : TSectionBase(doc), name_(std::move(name)), min_(min), max_(max), measured_(measured) {}

  std::int32_t DrawLogic(std::int32_t y, IndentManager& imgr, std::int32_t& maxWidth,
                         std::int32_t& curs) override {
    YValue = y;
    StartCurs = curs;
    Len = 1;
    ++curs;
    left_ = imgr.LeftIndent(y);
    const std::int32_t room = std::max(imgr.RightSide(y) - left_, min_);
    width_ = std::min(max_, room);
    const std::int32_t lines = room > 0 ? std::max((max_ + room - 1) / room, 1) : 1;
    SectionHeight = DrawHeight = 10 * lines;
    maxWidth = std::max(maxWidth, left_ + width_);
    return SectionHeight;
  }
  std::int32_t Draw(const TRect& clip, std::int32_t, std::int32_t x, std::int32_t) override {
    if (YValue < clip.Bottom && YValue + SectionHeight > clip.Top)
      Doc.Canvas().FillRect(TRect{x + left_, YValue, x + left_ + width_, YValue + SectionHeight},
                            MakeColor(1, 2, 3));
    return YValue + SectionHeight;
  }
  void MinMaxWidth(std::int32_t& min, std::int32_t& max) const override {
    if (measured_) ++*measured_;
    min = min_;
    max = max_;
  }
  std::int32_t FindCursor(std::int32_t x, std::int32_t y, TCursorHit& hit) const override {
    if (x < left_ || x >= left_ + width_ || y < YValue || y >= YValue + SectionHeight) return -1;
    hit.Index = StartCurs;
    hit.X = left_;
    hit.Y = YValue;
    return StartCurs;
  }
  bool CursorToXY(std::int32_t cursor, std::int32_t& x, std::int32_t& y) const override {
    if (cursor != StartCurs) return false;
    x = left_;
    y = YValue;
    return true;
  }
  // Every question for a character is counted, to show that a search does not scan.
  bool GetChAtPos(std::int32_t pos, char& ch) const override {
    ++charQueries;
    if (pos != StartCurs) return false;
    ch = name_[0];
    return true;
  }
  static inline int charQueries = 0;

  void Dump(std::string& out, int indent) const override {
    out += std::string(static_cast<std::size_t>(indent), ' ') + "block " + name_ +
           " x=" + std::to_string(left_) + " y=" + std::to_string(YValue) +
           " w=" + std::to_string(width_) + " h=" + std::to_string(SectionHeight) + "\n";
  }

 private:
  std::string name_;
  std::int32_t min_;
  std::int32_t max_;
  int* measured_;
  std::int32_t left_ = 0;
  std::int32_t width_ = 0;
};

}  // namespace htmlview
