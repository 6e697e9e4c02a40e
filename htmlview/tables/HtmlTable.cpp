#include "HtmlTable.h"

#include <algorithm>

#include "document/Cell.h"
#include "document/DocumentExtent.h"
#include "document/IndentManager.h"
#include "document/SectionList.h"

namespace htmlview {

namespace {

// A table's width and height stay within the document's extent however large its
// content.
constexpr TPixels kMaxTableExtent = kMaxDocumentExtent;

std::int32_t ToPixels(TPixels value) {
  return static_cast<std::int32_t>(std::clamp<TPixels>(value, 0, kMaxTableExtent));
}

}  // namespace

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
    claims.reserve(CellsInOrder().size());
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

}  // namespace htmlview
