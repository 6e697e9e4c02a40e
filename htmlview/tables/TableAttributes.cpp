#include "TableAttributes.h"

#include <algorithm>

namespace htmlview {

namespace {

std::int32_t Clamped(std::int32_t value, std::int32_t low, std::int32_t high) {
  return std::min(std::max(value, low), high);
}

// A WIDTH or HEIGHT: "n%" as tenths of a percent up to `maxPercent`, else pixels. A
// value of 0 or less says nothing and is dropped.
TTableLength ReadLength(const TAttributeList& attributes, TAttrSymbol which,
                        std::int32_t maxPercent) {
  TTableLength length;
  const TAttribute* found = attributes.Find(which);
  if (!found || found->Value <= 0) return length;
  length.Percent = attributes.IsPercent(which);
  length.Value = length.Percent ? std::min(found->Value, maxPercent) * 10
                                : std::min(found->Value, kMaxTablePixels);
  return length;
}

void ReadColor(const TAttributeList& attributes, TAttrSymbol which, TColor& color, bool& given) {
  if (attributes.Has(which) && ColorFromText(attributes.Text(which), color)) given = true;
}

}  // namespace

TTableAttributes ReadTableAttributes(const TAttributeList& attributes, TJustify alignment,
                                     bool directlyInBody) {
  TTableAttributes table;
  const std::optional<TJustify> given = AlignmentFromText(attributes.Text(TAttrSymbol::ALIGN));
  table.Alignment = given.value_or(alignment);
  table.Floating = given && given != TJustify::Centre;
  table.Border = attributes.Number(TAttrSymbol::BORDER) > 0;
  table.CellPadding = Clamped(attributes.Number(TAttrSymbol::CELLPADDING, 1), 0, 50);
  table.CellSpacing = Clamped(attributes.Number(TAttrSymbol::CELLSPACING, 2), 0, 40);
  if (table.Border) table.CellSpacing += 2;
  table.Width = ReadLength(attributes, TAttrSymbol::WIDTH, 100);
  table.Height = ReadLength(attributes, TAttrSymbol::HEIGHT, 110);
  if (table.Height.Percent && !directlyInBody) table.Height = TTableLength{};
  table.HSpace = Clamped(attributes.Number(TAttrSymbol::HSPACE, 5), 0, 40);
  table.VSpace = Clamped(attributes.Number(TAttrSymbol::VSPACE, 0), 0, 200);
  ReadColor(attributes, TAttrSymbol::BGCOLOR, table.BgColor, table.BgColorGiven);
  ReadColor(attributes, TAttrSymbol::BORDERCOLOR, table.BorderColor, table.BorderColorGiven);
  return table;
}

TRowAttributes ReadRowAttributes(const TAttributeList& attributes) {
  TRowAttributes row;
  row.Alignment = AlignmentFromText(attributes.Text(TAttrSymbol::ALIGN));
  row.VAlign = VerticalAlignmentFromText(attributes.Text(TAttrSymbol::VALIGN)).value_or(row.VAlign);
  ReadColor(attributes, TAttrSymbol::BGCOLOR, row.BgColor, row.BgColorGiven);
  return row;
}

TCellAttributes ReadCellAttributes(const TAttributeList& attributes, TVAlign rowVAlign) {
  TCellAttributes cell;
  cell.ColSpan = std::max(attributes.Number(TAttrSymbol::COLSPAN, 1), 1);
  cell.RowSpan = std::max(attributes.Number(TAttrSymbol::ROWSPAN, 1), 1);
  cell.Width = ReadLength(attributes, TAttrSymbol::WIDTH, 100);
  cell.Height = Clamped(attributes.Number(TAttrSymbol::HEIGHT, 0), 0, kMaxTablePixels);
  if (attributes.IsPercent(TAttrSymbol::HEIGHT)) cell.Height = 0;
  cell.VAlign = VerticalAlignmentFromText(attributes.Text(TAttrSymbol::VALIGN)).value_or(rowVAlign);
  ReadColor(attributes, TAttrSymbol::BGCOLOR, cell.BgColor, cell.BgColorGiven);
  return cell;
}

}  // namespace htmlview
