#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "document/Attributes.h"
#include "document/IndentManager.h"
#include "document/SectionList.h"
#include "tables/HtmlTable.h"

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

// Attributes written as in a tag, "WIDTH=50% BORDER": the number is the value's integer
// part, as the parser gives it; a name without a value has the number BORDER would get.
inline TAttributeList Attrs(const std::string& text) {
  static const std::pair<const char*, TAttrSymbol> kNames[] = {
      {"ALIGN", TAttrSymbol::ALIGN},
      {"BGCOLOR", TAttrSymbol::BGCOLOR},
      {"BORDER", TAttrSymbol::BORDER},
      {"BORDERCOLOR", TAttrSymbol::BORDERCOLOR},
      {"CELLPADDING", TAttrSymbol::CELLPADDING},
      {"CELLSPACING", TAttrSymbol::CELLSPACING},
      {"COLSPAN", TAttrSymbol::COLSPAN},
      {"ROWSPAN", TAttrSymbol::ROWSPAN},
      {"HEIGHT", TAttrSymbol::HEIGHT},
      {"WIDTH", TAttrSymbol::WIDTH},
      {"VALIGN", TAttrSymbol::VALIGN},
      {"HSPACE", TAttrSymbol::HSPACE},
      {"VSPACE", TAttrSymbol::VSPACE},
  };
  TAttributeList list;
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    const std::size_t equals = word.find('=');
    const std::string name = word.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : word.substr(equals + 1);
    TAttribute attribute;
    for (const auto& [known, symbol] : kNames)
      if (name == known) attribute.Which = symbol;
    attribute.Name = value;
    attribute.Value = equals == std::string::npos ? 1 : std::atoi(value.c_str());
    list.Add(attribute);
  }
  return list;
}

// Compares `actual` with the file golden/<name>.txt beside the tests; with
// PAVINA_UPDATE_GOLDEN set the file is written instead (read it before committing).
inline void ExpectGolden(const std::string& name, const std::string& actual) {
  const std::string path = std::string(PAVINA_TABLES_GOLDEN_DIR) + "/" + name + ".txt";
  if (std::getenv("PAVINA_UPDATE_GOLDEN")) {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << "no golden file " << path;
  const std::string expected{std::istreambuf_iterator<char>(file), {}};
  if (expected == actual) return;
  // The first lines that differ, with their numbers, are what a reader needs.
  std::istringstream want(expected), got(actual);
  std::string wantLine, gotLine, diff;
  int shown = 0;
  for (int line = 1; shown < 8; ++line) {
    const bool moreWanted = static_cast<bool>(std::getline(want, wantLine));
    const bool moreGot = static_cast<bool>(std::getline(got, gotLine));
    if (!moreWanted && !moreGot) break;
    if (moreWanted && moreGot && wantLine == gotLine) continue;
    diff += "line " + std::to_string(line) + ":\n-" + (moreWanted ? wantLine : "<end>") + "\n+" +
            (moreGot ? gotLine : "<end>") + "\n";
    ++shown;
  }
  ADD_FAILURE() << name << " differs from " << path << "\n" << diff;
}
