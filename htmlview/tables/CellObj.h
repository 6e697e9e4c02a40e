#pragma once

#include <cstdint>

#include "TableAttributes.h"
#include "TableGrid.h"
#include "document/Cell.h"

namespace htmlview {

class TSectionList;

// One table cell (TD or TH, or the caption): what its tag said and a cell of sections
// that the parser fills. The table places it and remembers where.
class TCellObj {
 public:
  TCellObj(TSectionList& doc, const TCellAttributes& attributes);

  std::int32_t ColSpan = 1;
  std::int32_t RowSpan = 1;
  TTableLength Width;       // pixels, or tenths of a percent
  std::int32_t Height = 0;  // pixels, 0 when not given
  TVAlign VAlign = TVAlign::Middle;
  TCell Cell;  // the content; Cell.Background is the cell's colour

  // Set by the table's layout: the grid position, and the box (x local to the cell that
  // holds the table, y the document's) with the content's left edge inside it.
  TGridPlace Place;
  std::int32_t BoxX = 0;
  std::int32_t BoxY = 0;
  std::int32_t BoxWidth = 0;
  std::int32_t BoxHeight = 0;
  std::int32_t ContentX = 0;
  std::int32_t ContentWidth = 0;
  std::int32_t ContentHeight = 0;

  bool Contains(std::int32_t x, std::int32_t y) const {
    return x >= BoxX && x < BoxX + BoxWidth && y >= BoxY && y < BoxY + BoxHeight;
  }
};

}  // namespace htmlview
