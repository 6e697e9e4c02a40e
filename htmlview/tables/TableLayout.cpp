#include "HtmlTable.h"

#include <algorithm>

#include "RowHeights.h"
#include "document/Cell.h"
#include "document/DocumentExtent.h"
#include "document/IndentManager.h"
#include "document/ProcessingError.h"

namespace htmlview {

namespace {

// Values capped so that their running sum stays within `limit`.
std::vector<std::int32_t> CappedRun(const std::vector<TPixels>& values, TPixels limit) {
  std::vector<std::int32_t> capped;
  capped.reserve(values.size());
  TPixels sum = 0;
  for (TPixels value : values) {
    const TPixels taken = std::clamp<TPixels>(value, 0, std::max<TPixels>(limit - sum, 0));
    capped.push_back(static_cast<std::int32_t>(taken));
    sum += taken;
  }
  return capped;
}

}  // namespace

std::int32_t ThtmlTable::DrawLogic(std::int32_t y, IndentManager& imgr, std::int32_t& maxWidth,
                                   std::int32_t& curs) {
  YValue = y;
  StartCurs = curs;
  imgr.SetLevel(y, listLevel_);
  const TTableGrid& grid = Grid();
  if (grid.TooManyColumns) {
    ranges_.reset();
    throw EProcessingError(kTooManyColumns);
  }
  // Layout takes the measured ranges: the next pass measures again, since pictures may
  // have arrived and changed the cells' widths.
  Ranges();
  const std::unique_ptr<TRanges> ranges = std::move(ranges_);
  const std::int32_t left = imgr.LeftIndent(y);
  PlaceColumns(*ranges, left, imgr.RightSide(y) - left);
  tableY_ = y + (attributes_.Floating ? attributes_.VSpace : 0);

  // The right edge of the widest content: a cell whose content cannot wrap (a long
  // preformatted line) may reach past the table.
  std::int32_t reach = tableX_ + tableWidth_;
  std::int32_t captionHeight = 0;
  if (caption_ && !captionBelow_) captionHeight = LayOutCaption(tableY_, curs, reach);
  rowsY_ = tableY_ + captionHeight;
  PlaceRows(grid.RowCount, LayOutCells(curs, reach));
  if (caption_ && captionBelow_) captionHeight = LayOutCaption(rowsY_ + rowsHeight_, curs, reach);
  tableHeight_ = captionHeight + rowsHeight_;

  maxWidth = std::max(maxWidth, reach);
  Len = curs - StartCurs;
  if (attributes_.Floating) {
    // The text that follows flows beside the table: it takes its room as a float.
    const std::int32_t height = tableHeight_ + 2 * attributes_.VSpace;
    const std::int32_t width = tableWidth_ + attributes_.HSpace + 1;
    if (attributes_.Alignment == TJustify::Right)
      imgr.AddRight(y, height, width);
    else
      imgr.AddLeft(y, height, width);
    SectionHeight = 0;
    DrawHeight = height;
    return 0;
  }
  SectionHeight = DrawHeight = tableHeight_;
  return SectionHeight;
}

void ThtmlTable::PlaceColumns(const TRanges& ranges, std::int32_t left, std::int32_t available) {
  const std::int32_t spacing = attributes_.CellSpacing;
  columnCount_ = Grid().ColumnCount;
  TColumnWidthRequest request;
  request.Columns = ranges.Columns;
  request.AnyCellPixelWidth = ranges.AnyCellPixelWidth;
  request.TableWidth = attributes_.Width;
  request.Available = available;
  request.Spacing = spacing;
  std::vector<TPixels> widths = htmlview::ColumnWidths(request);
  // Each column within its share of the largest extent, so that positions stay in range.
  for (TPixels& width : widths)
    width = std::min<TPixels>(width, kMaxDocumentExtent / (TPixels{columnCount_} + 2));
  columnWidths_ = CappedRun(widths, kMaxDocumentExtent);
  columnLeft_.assign(columnWidths_.size() + 1, 0);
  for (std::size_t c = 0; c < columnWidths_.size(); ++c)
    columnLeft_[c + 1] = columnLeft_[c] + columnWidths_[c];

  // Rows without a single cell take no room; nor does a table with nothing at all.
  rowsWidth_ = columnCount_ > 0 ? columnLeft_.back() + spacing : 0;
  tableWidth_ = std::max(rowsWidth_, ranges.CaptionMin);
  // Only room to spare moves a table off the left indent: one wider than the room,
  // floating or not, stays reachable there.
  tableX_ = left;
  if (available > tableWidth_) {
    if (attributes_.Alignment == TJustify::Centre && !attributes_.Floating)
      tableX_ = left + (available - tableWidth_) / 2;
    else if (attributes_.Alignment == TJustify::Right)
      tableX_ = left + available - tableWidth_;
  }
  rowsX_ = tableX_ + (tableWidth_ - rowsWidth_) / 2;
}

std::int32_t ThtmlTable::LayOutCaption(std::int32_t top, std::int32_t& curs, std::int32_t& reach) {
  caption_->BoxX = caption_->ContentX = tableX_;
  caption_->BoxY = top;
  caption_->BoxWidth = caption_->ContentWidth = tableWidth_;
  std::int32_t widest = 0;
  const std::int32_t height = caption_->Cell.DoLogic(top, tableWidth_, widest, curs);
  reach = std::max(reach, tableX_ + widest);
  caption_->BoxHeight = caption_->ContentHeight = height;
  return height;
}

std::int32_t ThtmlTable::ProvisionalCellTop() const {
  return rowsY_ + attributes_.CellSpacing + attributes_.CellPadding;
}

// Every cell is laid out once, at the top of the rows: how tall the rows are follows
// from what the cells need.
std::vector<TRowClaim> ThtmlTable::LayOutCells(std::int32_t& curs, std::int32_t& reach) {
  const std::int32_t spacing = attributes_.CellSpacing;
  const std::int32_t padding = attributes_.CellPadding;
  std::vector<TRowClaim> claims;
  claims.reserve(CellsInOrder().size());
  for (const auto& row : rows_) {
    for (const auto& cell : row->Cells) {
      const TGridPlace& place = cell->Place;
      const auto first = static_cast<std::size_t>(place.Column);
      const auto last = static_cast<std::size_t>(place.Column + place.ColSpan);
      cell->BoxX = rowsX_ + spacing + columnLeft_[first];
      cell->BoxWidth = std::max(columnLeft_[last] - columnLeft_[first] - spacing, 0);
      cell->ContentX = cell->BoxX + padding;
      cell->ContentWidth = std::max(cell->BoxWidth - 2 * padding, 0);
      std::int32_t widest = 0;
      cell->ContentHeight =
          cell->Cell.DoLogic(ProvisionalCellTop(), cell->ContentWidth, widest, curs);
      reach = std::max(reach, cell->ContentX + widest);
      claims.push_back(TRowClaim{
          place.Row, place.RowSpan,
          TPixels{std::max(cell->ContentHeight, cell->Height)} + 2 * TPixels{padding} + spacing});
    }
  }
  return claims;
}

// The rows' heights, and the cells moved down from the rows' top into their rows by
// their vertical alignment.
void ThtmlTable::PlaceRows(int rowCount, const std::vector<TRowClaim>& claims) {
  const std::int32_t spacing = attributes_.CellSpacing;
  const std::int32_t padding = attributes_.CellPadding;
  // The rows end within the document's extent.
  const std::vector<std::int32_t> rowHeights = CappedRun(
      RowHeights(rowCount, claims, RowsTarget()),
      std::min<TPixels>(kMaxDocumentExtent, TPixels{kMaxDocumentExtent} - rowsY_ - spacing));
  std::vector<std::int32_t> rowTop(rowHeights.size() + 1, 0);
  for (std::size_t r = 0; r < rowHeights.size(); ++r) {
    rowTop[r + 1] = rowTop[r] + rowHeights[r];
    rows_[r]->RowHeight = rowHeights[r];
  }
  for (const auto& row : rows_) {
    for (const auto& cell : row->Cells) {
      const auto first = static_cast<std::size_t>(cell->Place.Row);
      const auto last = static_cast<std::size_t>(cell->Place.Row + cell->Place.RowSpan);
      cell->BoxY = rowsY_ + spacing + rowTop[first];
      cell->BoxHeight = std::max(rowTop[last] - rowTop[first] - spacing, 0);
      const std::int32_t room = std::max(cell->BoxHeight - 2 * padding - cell->ContentHeight, 0);
      const std::int32_t offset = cell->VAlign == TVAlign::Top      ? 0
                                  : cell->VAlign == TVAlign::Middle ? room / 2
                                                                    : room;
      const std::int32_t dy = cell->BoxY + padding + offset - ProvisionalCellTop();
      if (dy != 0) cell->Cell.ShiftY(dy);
    }
  }
  // Rows by position, for drawing and hit-tests: a row's top, and the lowest bottom of
  // the cells of the rows up to it (a cell spanning rows starts in the first of them).
  rowTops_.assign(rows_.size(), 0);
  rowReach_.assign(rows_.size(), 0);
  std::int32_t reachSoFar = rowsY_;
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    rowTops_[r] = rowsY_ + spacing + rowTop[r];
    for (const auto& cell : rows_[r]->Cells)
      reachSoFar = std::max(reachSoFar, cell->BoxY + cell->BoxHeight);
    rowReach_[r] = reachSoFar;
  }
  rowsHeight_ = columnCount_ > 0 ? rowTop.back() + spacing : 0;
}

}  // namespace htmlview
