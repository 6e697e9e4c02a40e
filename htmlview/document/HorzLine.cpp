#include "HorzLine.h"

#include <algorithm>

#include "IndentManager.h"
#include "SectionList.h"
#include "Spaces.h"

namespace htmlview {

namespace {

constexpr TColor kSilver = MakeColor(192, 192, 192);
constexpr std::int32_t kMaxSize = 20;
constexpr std::int32_t kUnsizedInset = 10;
// As wide as the widest picture: keeps the rule's right edge and the page width in range.
constexpr std::int32_t kMaxPixelWidth = 32000;

}  // namespace

THorzLine::THorzLine(TSectionList& doc, const TAttributeList& attributes) : TSectionBase(doc) {
  const std::int32_t size = attributes.Number(TAttrSymbol::SIZE, kDefaultSize);
  if (size >= 1 && size <= kMaxSize) size_ = size;
  const std::int32_t width = attributes.Number(TAttrSymbol::WIDTH, 0);
  if (width > 0) {
    percent_ = attributes.IsPercent(TAttrSymbol::WIDTH);
    width_ = std::min(width, percent_ ? 100 : kMaxPixelWidth);
  }
  const std::string align = attributes.Text(TAttrSymbol::ALIGN);
  align_ = AlignmentFromText(align).value_or(TJustify::Centre);
  noShade_ = attributes.Has(TAttrSymbol::NOSHADE);
  TColor color = kBlack;
  if (attributes.Has(TAttrSymbol::COLOR) &&
      ColorFromText(attributes.Text(TAttrSymbol::COLOR), color))
    color_ = color;
  SetHeight();
}

void THorzLine::SetHeight() {
  SectionHeight = ScaleByFontSize(Doc, 20 + size_ - 2);
}

std::int32_t THorzLine::DrawLogic(std::int32_t y, IndentManager& imgr, std::int32_t& maxWidth,
                                  std::int32_t& curs) {
  YValue = y;
  StartCurs = curs;
  const std::int32_t left = imgr.LeftIndent(y);
  const std::int32_t right = imgr.RightSide(y);
  if (width_ > 0) {
    const std::int32_t width =
        percent_ ? static_cast<std::int32_t>(std::int64_t{right - left} * width_ / 100) : width_;
    left_ = align_ == TJustify::Left    ? left
            : align_ == TJustify::Right ? right - width
                                        : left + (right - left - width) / 2;
    left_ = std::max(left_, left);
    right_ = left_ + width;
  } else {
    left_ = left + kUnsizedInset;
    right_ = std::max(left_, right - kUnsizedInset);
  }
  maxWidth = std::max(maxWidth, right_);
  top_ = y + (SectionHeight - size_) / 2;
  DrawHeight = SectionHeight;
  return SectionHeight;
}

std::int32_t THorzLine::Draw(const TRect& clip, std::int32_t /*clipWidth*/, std::int32_t x,
                             std::int32_t /*y*/) {
  const TRect rule{x + left_, top_, x + right_, top_ + size_};
  if (rule.Bottom <= clip.Top || rule.Top >= clip.Bottom || rule.Width() <= 0)
    return YValue + SectionHeight;
  TCanvas& canvas = Doc.Canvas();
  if (color_) {
    canvas.FillRect(rule, *color_);
  } else if (noShade_ || canvas.BitsPerPixel() == 1) {
    canvas.Edge3D(rule, kBlack, kBlack);
  } else {
    const TColor highlight =
        Doc.Background == kWhite ? kSilver : canvas.SystemColor(TSystemColor::ButtonHighlight);
    canvas.Edge3D(rule, canvas.SystemColor(TSystemColor::ButtonShadow), highlight);
  }
  return YValue + SectionHeight;
}

void THorzLine::Dump(std::string& out, int indent) const {
  DumpHeader(out, indent, "THorzLine");
  out += " rule x=" + std::to_string(left_) + ".." + std::to_string(right_) +
         " top=" + std::to_string(top_) + " size=" + std::to_string(size_) + '\n';
}

}  // namespace htmlview
