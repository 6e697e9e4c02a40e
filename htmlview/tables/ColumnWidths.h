#pragma once

#include <cstdint>
#include <vector>

#include "TableArithmetic.h"
#include "TableAttributes.h"

namespace htmlview {

// One cell's claim on the columns it spans. Min and Max are its content's widths plus
// twice the padding and the spacing; PixelWidth is its WIDTH plus the same, 0 when it
// has no WIDTH in pixels; Percent is its percent WIDTH in tenths, 0 when none.
struct TColumnClaim {
  int Column = 0;
  int ColSpan = 1;
  TPixels Min = 0;
  TPixels Max = 0;
  TPixels PixelWidth = 0;
  std::int32_t Percent = 0;
};

// What a column needs: at least Min, Max to show everything unwrapped (never below Min),
// and the percentage of the table it asks for in tenths (0 for none).
struct TColumnRange {
  TPixels Min = 0;
  TPixels Max = 0;
  std::int32_t Percent = 0;
};

// The columns' ranges from the cells' claims: cells spanning one column first, then
// those spanning two, and so on, so that a spanning cell sees what the narrower cells
// already give it.
std::vector<TColumnRange> ColumnRanges(int columnCount, const std::vector<TColumnClaim>& claims);

struct TColumnWidthRequest {
  std::vector<TColumnRange> Columns;
  bool AnyCellPixelWidth = false;  // some cell has a WIDTH in pixels
  TTableLength TableWidth;         // the table's own WIDTH
  TPixels Available = 0;           // between the indentations where the table stands
  TPixels Spacing = 0;             // the cell spacing
};

// The target the columns share: the table's WIDTH (pixels, or its percentage of the
// available width) or else the available width, less the spacing, at least 20.
TPixels TargetWidth(const TColumnWidthRequest& request);

// The width of each column. Each includes one cell spacing, so the table is their sum
// plus one more spacing.
std::vector<TPixels> ColumnWidths(const TColumnWidthRequest& request);

}  // namespace htmlview
