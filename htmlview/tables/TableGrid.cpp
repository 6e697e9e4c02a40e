#include "TableGrid.h"

#include <algorithm>
#include <array>

namespace htmlview {

TTableGrid ExpandGrid(const std::vector<std::vector<TCellSpan>>& rows) {
  TTableGrid grid;
  grid.RowCount = static_cast<int>(rows.size());
  grid.Places.resize(rows.size());
  // The row below the last one that a cell placed so far covers, per column: rows are
  // laid in order, so this is all that is left of the cells above.
  std::array<int, kMaxTableColumns> coveredUntil{};
  for (int row = 0; row < grid.RowCount; ++row) {
    const std::vector<TCellSpan>& cells = rows[static_cast<std::size_t>(row)];
    std::vector<TGridPlace>& places = grid.Places[static_cast<std::size_t>(row)];
    places.reserve(cells.size());
    int column = 0;
    for (const TCellSpan& cell : cells) {
      while (column < kMaxTableColumns && coveredUntil[static_cast<std::size_t>(column)] > row)
        ++column;
      const std::int64_t wanted = std::max<std::int32_t>(cell.ColSpan, 1);
      if (column + wanted > kMaxTableColumns) {
        grid = TTableGrid{};
        grid.TooManyColumns = true;
        return grid;
      }
      int span = 1;
      while (span < wanted && coveredUntil[static_cast<std::size_t>(column + span)] <= row) ++span;
      const int rowSpan = static_cast<int>(
          std::min<std::int64_t>(std::max<std::int32_t>(cell.RowSpan, 1), grid.RowCount - row));
      for (int covered = column; covered < column + span; ++covered)
        coveredUntil[static_cast<std::size_t>(covered)] = row + rowSpan;
      places.push_back(TGridPlace{row, column, span, rowSpan});
      column += span;
      grid.ColumnCount = std::max(grid.ColumnCount, column);
    }
  }
  return grid;
}

}  // namespace htmlview
