#include "Spaces.h"

#include "SectionList.h"

namespace htmlview {

std::int32_t ScaleByFontSize(const TSectionList& doc, std::int32_t n) {
  return static_cast<std::int32_t>((std::int64_t{n} * doc.FontSize + 6) / 12);
}

TParagraphSpace::TParagraphSpace(TSectionList& doc) : TSectionBase(doc) {
  SetHeight();
}

void TParagraphSpace::SetHeight() {
  SectionHeight = ScaleByFontSize(Doc, 14);
}

void TParagraphSpace::Dump(std::string& out, int indent) const {
  DumpHeader(out, indent, "TParagraphSpace");
  out += '\n';
}

THeadingSpace::THeadingSpace(TSectionList& doc, std::int32_t level)
    : TSectionBase(doc), level_(level) {
  SetHeight();
}

void THeadingSpace::SetHeight() {
  static constexpr std::int32_t kHeights[] = {8, 16, 12, 10, 8, 6, 4};
  const std::int32_t level = level_ >= 0 && level_ <= 6 ? level_ : 0;
  SectionHeight = ScaleByFontSize(Doc, kHeights[level]);
}

void THeadingSpace::Dump(std::string& out, int indent) const {
  DumpHeader(out, indent, "THeadingSpace");
  out += " level=" + std::to_string(level_) + '\n';
}

}  // namespace htmlview
