#pragma once

#include <cstdint>

#include "document/Attributes.h"
#include "images/Color.h"

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
  int Alignment = 1;  // 1 left, 2 centre, 3 right
  bool Floating = false;
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
TTableAttributes ReadTableAttributes(const TAttributeList& attributes, int alignment,
                                     bool directlyInBody);

// What a TR tag says.
struct TRowAttributes {
  int Alignment = 0;  // 0 when not given
  int VAlign = 1;     // 0 top, 1 middle, 2 bottom
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
  int VAlign = 1;           // 0 top, 1 middle, 2 bottom
  TColor BgColor = 0;
  bool BgColorGiven = false;
};

TCellAttributes ReadCellAttributes(const TAttributeList& attributes, int rowVAlign);
