#pragma once

#include <cstdint>
#include <vector>

namespace htmlview {

// The most columns a table may have; a wider one is refused before anything is sized
// by its column count, so a COLSPAN of 10000 costs nothing.
constexpr int kMaxTableColumns = 200;

// What a cell asks for, as its attributes gave it (values below 1 count as 1).
struct TCellSpan {
  std::int32_t ColSpan = 1;
  std::int32_t RowSpan = 1;
};

// Where a cell ended up: its first row and column, and the rows and columns it covers.
struct TGridPlace {
  int Row = 0;
  int Column = 0;
  int ColSpan = 1;
  int RowSpan = 1;
};

struct TTableGrid {
  int RowCount = 0;
  int ColumnCount = 0;
  // For each row, the place of each of its cells in the order they were added.
  std::vector<std::vector<TGridPlace>> Places;
  // True when the cells needed more than kMaxTableColumns columns; nothing else is set.
  bool TooManyColumns = false;
};

// Lays the cells of each row into columns: a cell takes the first column that no cell
// from a row above still covers, spans its columns and rows, and leaves those positions
// to no other cell. A ROWSPAN stops at the last row; a COLSPAN stops before a position
// that a cell from above already covers, so that cells never overlap.
TTableGrid ExpandGrid(const std::vector<std::vector<TCellSpan>>& rows);

}  // namespace htmlview
