#pragma once

#include <cstdint>
#include <optional>

#include "document/Attributes.h"
#include "images/Color.h"

namespace htmlview {

// A WIDTH or HEIGHT: pixels, or tenths of a percent; 0 when not given.
struct TTableLength {
  std::int32_t Value = 0;
  bool Percent = false;
  bool Given() const { return Value > 0; }
};

// The largest pixel WIDTH or HEIGHT taken from a page; larger values are cut to it.
constexpr std::int32_t kMaxTablePixels = 32000;

// What a TABLE tag says, with its values clamped to what the table can show.
struct TTableAttributes {
  TJustify Alignment = TJustify::Left;
  bool Floating = false;  // ALIGN "left" or "right": text flows beside it
  bool Border = false;
  std::int32_t CellPadding = 1;
  std::int32_t CellSpacing = 2;  // with a border, 2 more
  TTableLength Width;            // percent 1..100
  TTableLength Height;           // percent 1..110, only for a table directly in the body
  std::int32_t HSpace = 5;
  std::int32_t VSpace = 0;
  TColor BgColor = 0;
  bool BgColorGiven = false;
  TColor BorderColor = 0;
  bool BorderColorGiven = false;
};

// `alignment` is the text's alignment where the table starts, taken when ALIGN names no
// side; `directlyInBody` is false inside a table cell or caption.
TTableAttributes ReadTableAttributes(const TAttributeList& attributes, TJustify alignment,
                                     bool directlyInBody);

// What a TR tag says.
struct TRowAttributes {
  std::optional<TJustify> Alignment;
  TVAlign VAlign = TVAlign::Middle;
  TColor BgColor = 0;
  bool BgColorGiven = false;
};

TRowAttributes ReadRowAttributes(const TAttributeList& attributes);

// What a TD or TH tag says, with the vertical alignment that its row passes on.
struct TCellAttributes {
  std::int32_t ColSpan = 1;
  std::int32_t RowSpan = 1;
  TTableLength Width;       // percent 1..100
  std::int32_t Height = 0;  // pixels, 0 when not given
  TVAlign VAlign = TVAlign::Middle;
  TColor BgColor = 0;
  bool BgColorGiven = false;
};

TCellAttributes ReadCellAttributes(const TAttributeList& attributes, TVAlign rowVAlign);

}  // namespace htmlview
