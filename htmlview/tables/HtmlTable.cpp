#include "HtmlTable.h"

#include <algorithm>
#include <limits>

#include "RowHeights.h"
#include "document/Cell.h"
#include "document/DocumentExtent.h"
#include "document/IndentManager.h"
#include "document/ProcessingError.h"
#include "document/SectionList.h"

namespace {

// A table's width and height stay within the document's extent however large its
// content.
constexpr TPixels kMaxTableExtent = kMaxDocumentExtent;

std::int32_t ToPixels(TPixels value) {
  return static_cast<std::int32_t>(std::clamp<TPixels>(value, 0, kMaxTableExtent));
}

// Values capped so that their running sum stays within `limit`.
std::vector<std::int32_t> CappedRun(const std::vector<TPixels>& values,
                                    TPixels limit = kMaxTableExtent) {
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

std::int32_t SumOf(const std::vector<std::int32_t>& values, std::size_t first, std::size_t count) {
  std::int32_t sum = 0;
  for (std::size_t i = first; i < first + count && i < values.size(); ++i) sum += values[i];
  return sum;
}

}  // namespace

struct ThtmlTable::TRanges {
  std::vector<TColumnRange> Columns;
  bool AnyCellPixelWidth = false;
  std::int32_t CaptionMin = 0;
  std::int32_t CaptionMax = 0;
};

ThtmlTable::ThtmlTable(TSectionList& doc, const TAttributeList& attributes, const TCell& enclosing,
                       TJustify alignment, std::int32_t listLevel)
    : TSectionBase(doc),
      attributes_(ReadTableAttributes(attributes, alignment,
                                      &enclosing == static_cast<const TCell*>(&doc))),
      listLevel_(std::max(listLevel, 0)) {
  if (attributes_.BgColorGiven)
    background_ = attributes_.BgColor;
  else
    background_ = enclosing.Background;
}

ThtmlTable::~ThtmlTable() = default;

TCellList& ThtmlTable::AddRow(const TAttributeList& attributes) {
  rows_.push_back(std::make_unique<TCellList>(ReadRowAttributes(attributes)));
  rowOpen_ = true;
  grid_.reset();
  ranges_.reset();
  cellsInOrder_.clear();
  return *rows_.back();
}

TCellObj& ThtmlTable::AddCell(const TAttributeList& attributes) {
  if (!rowOpen_) AddRow(TAttributeList{});
  TCellList& row = *rows_.back();
  auto cell =
      std::make_unique<TCellObj>(Doc, ReadCellAttributes(attributes, row.Attributes.VAlign));
  if (!cell->Cell.Background) {
    if (row.Attributes.BgColorGiven)
      cell->Cell.Background = row.Attributes.BgColor;
    else
      cell->Cell.Background = background_;
  }
  row.Cells.push_back(std::move(cell));
  grid_.reset();
  ranges_.reset();
  cellsInOrder_.clear();
  return *row.Cells.back();
}

TCellObj& ThtmlTable::SetCaption(const TAttributeList& attributes) {
  const std::string align = attributes.Text(TAttrSymbol::ALIGN);
  captionBelow_ = VerticalAlignmentFromText(align) == TVAlign::Bottom;
  if (!caption_)
    caption_ = std::make_unique<TCellObj>(Doc, ReadCellAttributes(attributes, TVAlign::Top));
  ranges_.reset();
  cellsInOrder_.clear();
  return *caption_;
}

const std::vector<TCellObj*>& ThtmlTable::CellsInOrder() const {
  if (cellsInOrder_.empty()) {
    if (caption_ && !captionBelow_) cellsInOrder_.push_back(caption_.get());
    for (const auto& row : rows_)
      for (const auto& cell : row->Cells) cellsInOrder_.push_back(cell.get());
    if (caption_ && captionBelow_) cellsInOrder_.push_back(caption_.get());
  }
  return cellsInOrder_;
}

const TCellObj* ThtmlTable::CellHolding(std::int32_t pos) const {
  // Cells hold ascending runs of the document's indexes, as sections do.
  const std::vector<TCellObj*>& cells = CellsInOrder();
  const auto after = std::upper_bound(
      cells.begin(), cells.end(), pos,
      [](std::int32_t p, const TCellObj* cell) { return p < cell->Cell.FirstCurs(); });
  return after == cells.begin() ? nullptr : *(after - 1);
}

std::size_t ThtmlTable::FirstRowReaching(std::int32_t y) const {
  return static_cast<std::size_t>(std::upper_bound(rowReach_.begin(), rowReach_.end(), y) -
                                  rowReach_.begin());
}

const TTableGrid& ThtmlTable::Grid() const {
  if (!grid_) {
    std::vector<std::vector<TCellSpan>> spans;
    spans.reserve(rows_.size());
    for (const auto& row : rows_) {
      std::vector<TCellSpan>& line = spans.emplace_back();
      line.reserve(row->Cells.size());
      for (const auto& cell : row->Cells) line.push_back(TCellSpan{cell->ColSpan, cell->RowSpan});
    }
    grid_ = ExpandGrid(spans);
    if (!grid_->TooManyColumns) {
      for (std::size_t r = 0; r < rows_.size(); ++r)
        for (std::size_t i = 0; i < rows_[r]->Cells.size(); ++i)
          rows_[r]->Cells[i]->Place = grid_->Places[r][i];
    }
  }
  return *grid_;
}

const ThtmlTable::TRanges& ThtmlTable::Ranges() const {
  if (ranges_) return *ranges_;
  auto ranges = std::make_unique<TRanges>();
  const TTableGrid& grid = Grid();
  if (!grid.TooManyColumns) {
    const TPixels around = 2 * TPixels{attributes_.CellPadding} + attributes_.CellSpacing;
    std::vector<TColumnClaim> claims;
    for (const auto& row : rows_) {
      for (const auto& cell : row->Cells) {
        std::int32_t min = 0;
        std::int32_t max = 0;
        cell->Cell.MinMaxWidth(min, max);
        TColumnClaim claim;
        claim.Column = cell->Place.Column;
        claim.ColSpan = cell->Place.ColSpan;
        claim.Min = TPixels{min} + around;
        claim.Max = TPixels{max} + around;
        if (cell->Width.Given()) {
          if (cell->Width.Percent) {
            claim.Percent = cell->Width.Value;
          } else {
            claim.PixelWidth = TPixels{cell->Width.Value} + around;
            ranges->AnyCellPixelWidth = true;
          }
        }
        claims.push_back(claim);
      }
    }
    ranges->Columns = ColumnRanges(grid.ColumnCount, claims);
  }
  if (caption_) caption_->Cell.MinMaxWidth(ranges->CaptionMin, ranges->CaptionMax);
  ranges_ = std::move(ranges);
  return *ranges_;
}

TPixels ThtmlTable::RowsTarget() const {
  const TTableLength& height = attributes_.Height;
  if (!height.Given()) return 0;
  if (!height.Percent) return TPixels{height.Value} - attributes_.CellSpacing;
  const TPixels view = Doc.ViewHeight;
  return view * height.Value / 1000 - attributes_.CellSpacing - 3;
}

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

  const std::int32_t spacing = attributes_.CellSpacing;
  const std::int32_t padding = attributes_.CellPadding;
  const std::int32_t left = imgr.LeftIndent(y);
  const std::int32_t right = imgr.RightSide(y);
  const std::int32_t available = right - left;

  columnCount_ = grid.ColumnCount;
  TColumnWidthRequest request;
  request.Columns = ranges->Columns;
  request.AnyCellPixelWidth = ranges->AnyCellPixelWidth;
  request.TableWidth = attributes_.Width;
  request.Available = available;
  request.Spacing = spacing;
  std::vector<TPixels> widths = ::ColumnWidths(request);
  // Each column within its share of the largest extent, so that positions stay in range.
  for (TPixels& width : widths)
    width = std::min<TPixels>(width, kMaxTableExtent / (TPixels{columnCount_} + 2));
  columnWidths_ = CappedRun(widths);

  // Rows without a single cell take no room; nor does a table with nothing at all.
  const bool hasCells = columnCount_ > 0;
  rowsWidth_ = hasCells ? SumOf(columnWidths_, 0, columnWidths_.size()) + spacing : 0;
  tableWidth_ = std::max(rowsWidth_, ranges->CaptionMin);
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
  tableY_ = y + (attributes_.Floating ? attributes_.VSpace : 0);

  // The right edge of the widest content: a cell whose content cannot wrap (a long
  // preformatted line) may reach past the table.
  std::int32_t reach = tableX_ + tableWidth_;
  std::int32_t captionHeight = 0;
  auto layoutCaption = [&](std::int32_t top) {
    caption_->BoxX = caption_->ContentX = tableX_;
    caption_->BoxY = top;
    caption_->BoxWidth = caption_->ContentWidth = tableWidth_;
    std::int32_t widest = 0;
    captionHeight = caption_->Cell.DoLogic(top, tableWidth_, widest, curs);
    reach = std::max(reach, tableX_ + widest);
    caption_->BoxHeight = caption_->ContentHeight = captionHeight;
  };
  if (caption_ && !captionBelow_) layoutCaption(tableY_);
  rowsY_ = tableY_ + captionHeight;

  // Every cell is laid out once, at the top of the rows; once the row heights are known
  // the cells are moved down into place.
  std::vector<TRowClaim> claims;
  std::vector<std::int32_t> columnLeft(columnWidths_.size() + 1, 0);
  for (std::size_t c = 0; c < columnWidths_.size(); ++c)
    columnLeft[c + 1] = columnLeft[c] + columnWidths_[c];
  const std::int32_t provisionalY = rowsY_ + spacing + padding;
  for (const auto& row : rows_) {
    for (const auto& cell : row->Cells) {
      const TGridPlace& place = cell->Place;
      const auto first = static_cast<std::size_t>(place.Column);
      const auto last = static_cast<std::size_t>(place.Column + place.ColSpan);
      cell->BoxX = rowsX_ + spacing + columnLeft[first];
      cell->BoxWidth = std::max(columnLeft[last] - columnLeft[first] - spacing, 0);
      cell->ContentX = cell->BoxX + padding;
      cell->ContentWidth = std::max(cell->BoxWidth - 2 * padding, 0);
      std::int32_t widest = 0;
      cell->ContentHeight = cell->Cell.DoLogic(provisionalY, cell->ContentWidth, widest, curs);
      reach = std::max(reach, cell->ContentX + widest);
      claims.push_back(TRowClaim{
          place.Row, place.RowSpan,
          TPixels{std::max(cell->ContentHeight, cell->Height)} + 2 * TPixels{padding} + spacing});
    }
  }
  // The rows end within the document's extent.
  const std::vector<std::int32_t> rowHeights =
      CappedRun(RowHeights(grid.RowCount, claims, RowsTarget()),
                std::min<TPixels>(kMaxTableExtent, TPixels{kMaxDocumentExtent} - rowsY_ - spacing));
  std::vector<std::int32_t> rowTop(rowHeights.size() + 1, 0);
  for (std::size_t r = 0; r < rowHeights.size(); ++r) {
    rowTop[r + 1] = rowTop[r] + rowHeights[r];
    rows_[r]->RowHeight = rowHeights[r];
  }
  for (const auto& row : rows_) {
    for (const auto& cell : row->Cells) {
      const TGridPlace& place = cell->Place;
      cell->BoxY = rowsY_ + spacing + rowTop[static_cast<std::size_t>(place.Row)];
      cell->BoxHeight = std::max(rowTop[static_cast<std::size_t>(place.Row + place.RowSpan)] -
                                     rowTop[static_cast<std::size_t>(place.Row)] - spacing,
                                 0);
      const std::int32_t room = std::max(cell->BoxHeight - 2 * padding - cell->ContentHeight, 0);
      const std::int32_t offset = cell->VAlign == TVAlign::Top      ? 0
                                  : cell->VAlign == TVAlign::Middle ? room / 2
                                                                    : room;
      const std::int32_t dy = cell->BoxY + padding + offset - provisionalY;
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
  rowsHeight_ = hasCells ? rowTop.back() + spacing : 0;
  if (caption_ && captionBelow_) layoutCaption(rowsY_ + rowsHeight_);
  tableHeight_ = captionHeight + rowsHeight_;

  maxWidth = std::max(maxWidth, reach);
  Len = curs - StartCurs;
  if (attributes_.Floating) {
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

// The table was placed by layout; `y` adds nothing to that.
std::int32_t ThtmlTable::Draw(const TRect& clip, std::int32_t clipWidth, std::int32_t x,
                              std::int32_t /*y*/) {
  const std::int32_t next = YValue + SectionHeight;
  if (tableY_ + tableHeight_ <= clip.Top || tableY_ >= clip.Bottom) return next;
  TCanvas& canvas = Doc.Canvas();
  // Light edges vanish on a white page: silver stands in for the highlight there.
  const TColor shadow = canvas.SystemColor(TSystemColor::ButtonShadow);
  const TColor light = Doc.Background == kWhite ? MakeColor(192, 192, 192)
                                                : canvas.SystemColor(TSystemColor::ButtonHighlight);
  auto edge = [&](const TRect& rect, bool raised) {
    if (attributes_.BorderColorGiven)
      canvas.FrameRect(rect, attributes_.BorderColor);
    else if (raised)
      canvas.Edge3D(rect, light, shadow);
    else
      canvas.Edge3D(rect, shadow, light);
  };
  if (rowsWidth_ > 0) {
    const TRect rows{x + rowsX_, rowsY_, x + rowsX_ + rowsWidth_, rowsY_ + rowsHeight_};
    if (attributes_.BgColorGiven) canvas.FillRect(rows, attributes_.BgColor);
    if (attributes_.Border) edge(rows, true);
  }
  const std::int32_t padding = attributes_.CellPadding;
  // Rows above and below the clip are not visited.
  for (std::size_t r = FirstRowReaching(clip.Top); r < rows_.size() && rowTops_[r] < clip.Bottom;
       ++r) {
    for (const auto& cell : rows_[r]->Cells) {
      if (cell->BoxY + cell->BoxHeight <= clip.Top || cell->BoxY >= clip.Bottom) continue;
      const TRect box{x + cell->BoxX, cell->BoxY, x + cell->BoxX + cell->BoxWidth,
                      cell->BoxY + cell->BoxHeight};
      if (cell->Cell.Background) canvas.FillRect(box, *cell->Cell.Background);
      if (attributes_.Border) edge(box, false);
      cell->Cell.Draw(clip, clipWidth, x + cell->ContentX, cell->BoxY + padding);
    }
  }
  if (caption_) {
    if (caption_->Cell.Background) {
      canvas.FillRect(
          TRect{x + caption_->BoxX, caption_->BoxY, x + caption_->BoxX + caption_->BoxWidth,
                caption_->BoxY + caption_->BoxHeight},
          *caption_->Cell.Background);
    }
    caption_->Cell.Draw(clip, clipWidth, x + caption_->ContentX, caption_->BoxY);
  }
  return next;
}

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

void ThtmlTable::UpdateFonts() {
  for (TCellObj* cell : CellsInOrder()) cell->Cell.UpdateFonts();
  ranges_.reset();
}

void ThtmlTable::MinMaxWidth(std::int32_t& min, std::int32_t& max) const {
  min = max = 0;
  if (Grid().TooManyColumns) return;
  const TRanges& ranges = Ranges();
  const bool hasCells = !ranges.Columns.empty();
  TPixels low = hasCells ? attributes_.CellSpacing : 0;
  TPixels high = low;
  for (const TColumnRange& column : ranges.Columns) {
    low += column.Min;
    high += column.Max;
  }
  low = std::max<TPixels>(low, ranges.CaptionMin);
  high = std::max<TPixels>(high, ranges.CaptionMax);
  // A table with a WIDTH in pixels takes that width wherever it stands.
  if (attributes_.Width.Given() && !attributes_.Width.Percent) {
    low = std::max<TPixels>(low, attributes_.Width.Value);
    high = low;
  }
  high = std::max(high, low);
  TPixels around =
      TPixels{std::min(listLevel_, IndentManager::kMaxListLevel)} * IndentManager::kListIndent;
  if (attributes_.Floating) around += attributes_.HSpace + 1;
  min = ToPixels(low + around);
  max = ToPixels(high + around);
}

void ThtmlTable::ShiftY(std::int32_t dy) {
  TSectionBase::ShiftY(dy);
  tableY_ += dy;
  rowsY_ += dy;
  for (std::int32_t& top : rowTops_) top += dy;
  for (std::int32_t& reach : rowReach_) reach += dy;
  for (TCellObj* cell : CellsInOrder()) {
    cell->BoxY += dy;
    cell->Cell.ShiftY(dy);
  }
}

void ThtmlTable::HideControls(bool offScreen) {
  for (TCellObj* cell : CellsInOrder()) cell->Cell.HideControls(offScreen);
}

void ThtmlTable::Dump(std::string& out, int indent) const {
  const std::string pad(static_cast<std::size_t>(std::max(indent, 0)), ' ');
  out += pad + "table y=" + std::to_string(YValue) + " h=" + std::to_string(SectionHeight);
  if (DrawHeight != SectionHeight) out += " drawn=" + std::to_string(DrawHeight);
  out += " x=" + std::to_string(tableX_) + " top=" + std::to_string(tableY_) +
         " w=" + std::to_string(tableWidth_) + " th=" + std::to_string(tableHeight_);
  if (attributes_.Floating)
    out += attributes_.Alignment == TJustify::Right ? " float=right" : " float=left";
  out += " cols=";
  for (std::size_t c = 0; c < columnWidths_.size(); ++c)
    out += (c ? "," : "") + std::to_string(columnWidths_[c]);
  out += "\n";
  auto dumpCell = [&](const TCellObj& cell, const std::string& what, int at) {
    out += std::string(static_cast<std::size_t>(std::max(at, 0)), ' ') + what +
           " box=" + std::to_string(cell.BoxX) + "," + std::to_string(cell.BoxY) + " " +
           std::to_string(cell.BoxWidth) + "x" + std::to_string(cell.BoxHeight) +
           " content=" + std::to_string(cell.ContentX) + " " + std::to_string(cell.ContentWidth) +
           "x" + std::to_string(cell.ContentHeight) + "\n";
    cell.Cell.Dump(out, at + 2);
  };
  if (caption_ && !captionBelow_) dumpCell(*caption_, "caption", indent + 2);
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    out += pad + "  row " + std::to_string(r) + " h=" + std::to_string(rows_[r]->RowHeight) + "\n";
    for (const auto& cell : rows_[r]->Cells) {
      const TGridPlace& place = cell->Place;
      dumpCell(*cell,
               "cell r" + std::to_string(place.Row) + "c" + std::to_string(place.Column) +
                   " span=" + std::to_string(place.ColSpan) + "x" + std::to_string(place.RowSpan),
               indent + 4);
    }
  }
  if (caption_ && captionBelow_) dumpCell(*caption_, "caption", indent + 2);
}
