#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "CellObj.h"
#include "TableAttributes.h"

namespace htmlview {

// One table row (TR): its cells in the order the page gives them, and what the TR said.
class TCellList {
 public:
  explicit TCellList(const TRowAttributes& attributes) : Attributes(attributes) {}

  TRowAttributes Attributes;  // ALIGN and VALIGN pass to the cells; BGCOLOR colours them
  std::vector<std::unique_ptr<TCellObj>> Cells;
  std::int32_t RowHeight = 0;  // set by layout, one cell spacing included
};

}  // namespace htmlview
