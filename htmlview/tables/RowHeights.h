#pragma once

#include <vector>

#include "TableArithmetic.h"

namespace htmlview {

// One cell's claim on the rows it spans: its content height, or its HEIGHT when larger,
// plus twice the padding and the spacing.
struct TRowClaim {
  int Row = 0;
  int RowSpan = 1;
  TPixels Height = 0;
};

// The height of each row (each includes one cell spacing). Cells spanning one row first:
// a row is as tall as its tallest cell; then, from the narrowest span up, a cell that
// needs more than its rows give adds the excess to them in equal parts, the remainder to
// the last. `rowsTarget` (0 for none) is what the table's HEIGHT leaves for the rows:
// when the rows are shorter, each grows by an equal part of the difference.
std::vector<TPixels> RowHeights(int rowCount, const std::vector<TRowClaim>& claims,
                                TPixels rowsTarget);

}  // namespace htmlview
