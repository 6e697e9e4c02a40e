#include "HtmlTable.h"

#include "document/Cell.h"

namespace htmlview {

// What lies at a point, and the document's indexes and text in the cells: each cell is
// asked with its own coordinates.

const TCellObj* ThtmlTable::CellAt(std::int32_t x, std::int32_t y) const {
  if (y < tableY_ || y >= tableY_ + tableHeight_) return nullptr;
  if (caption_ && caption_->Contains(x, y)) return caption_.get();
  for (std::size_t r = FirstRowReaching(y); r < rows_.size() && rowTops_[r] <= y; ++r) {
    for (const auto& cell : rows_[r]->Cells)
      if (cell->Contains(x, y)) return cell.get();
  }
  return nullptr;
}

bool ThtmlTable::GetURL(std::int32_t x, std::int32_t y, TLinkHit& hit) const {
  const TCellObj* cell = CellAt(x, y);
  return cell && cell->Cell.GetURL(x - cell->ContentX, y, hit);
}

bool ThtmlTable::PtInObject(std::int32_t x, std::int32_t y, TImageHit& hit) const {
  const TCellObj* cell = CellAt(x, y);
  return cell && cell->Cell.PtInObject(x - cell->ContentX, y, hit);
}

std::int32_t ThtmlTable::FindCursor(std::int32_t x, std::int32_t y, TCursorHit& hit) const {
  const TCellObj* cell = CellAt(x, y);
  if (!cell) return -1;
  const std::int32_t index = cell->Cell.FindCursor(x - cell->ContentX, y, hit);
  if (index >= 0) hit.X += cell->ContentX;
  return index;
}

bool ThtmlTable::CursorToXY(std::int32_t cursor, std::int32_t& x, std::int32_t& y) const {
  if (cursor < StartCurs || cursor > StartCurs + Len) return false;
  for (const TCellObj* cell : CellsInOrder()) {
    if (cell->Cell.CursorToXY(cursor, x, y)) {
      x += cell->ContentX;
      return true;
    }
  }
  return false;
}

std::int32_t ThtmlTable::FindString(std::int32_t from, const std::string& text,
                                    bool matchCase) const {
  for (const TCellObj* cell : CellsInOrder()) {
    const std::int32_t found = cell->Cell.FindString(from, text, matchCase);
    if (found >= 0) return found;
  }
  return -1;
}

std::int32_t ThtmlTable::FindSourcePos(std::int32_t docPos) const {
  if (docPos < StartCurs || docPos >= StartCurs + Len) return -1;
  const TCellObj* cell = CellHolding(docPos);
  return cell ? cell->Cell.FindSourcePos(docPos) : -1;
}

std::int32_t ThtmlTable::FindDocPos(std::int32_t sourcePos, bool prev) const {
  // Cells hold ascending source positions in document order, as sections do.
  std::int32_t result = -1;
  for (const TCellObj* cell : CellsInOrder()) {
    const std::int32_t found = cell->Cell.FindDocPos(sourcePos, prev);
    if (found < 0) continue;
    if (!prev) return found;
    result = found;
  }
  return result;
}

bool ThtmlTable::GetChAtPos(std::int32_t pos, char& ch) const {
  if (pos < StartCurs || pos >= StartCurs + Len) return false;
  const TCellObj* cell = CellHolding(pos);
  return cell && cell->Cell.GetChAtPos(pos, ch);
}

void ThtmlTable::CopyToClipboard(std::string& text) const {
  for (const TCellObj* cell : CellsInOrder()) cell->Cell.CopyToClipboard(text);
}

}  // namespace htmlview
