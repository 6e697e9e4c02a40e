#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CellList.h"
#include "CellObj.h"
#include "ColumnWidths.h"
#include "RowHeights.h"
#include "TableAttributes.h"
#include "TableGrid.h"
#include "document/Attributes.h"
#include "document/SectionBase.h"

namespace htmlview {

class TCell;

// A table: a section whose rows hold cells, each cell a list of sections of its own.
//
// Building (the parser): create it from the TABLE attributes in the cell that will hold
// it, add rows and cells in page order and fill each cell's Cell, set the caption, then
// append the table to the enclosing cell. Layout expands spans into a grid, chooses the
// column widths for the width available where the table stands, lays every cell out once,
// and places the table (centred, at the right, or floating with text beside it). More
// than 200 columns is a processing error: the enclosing cell reports it and drops the
// table.
class ThtmlTable : public TSectionBase {
 public:
  static constexpr const char* kTooManyColumns = "Table has too many Columns";

  // `enclosing` is the cell the table stands in (the document itself, a table cell or a
  // caption): a table without BGCOLOR takes its background, and a percent HEIGHT counts
  // only directly in the document. `alignment` is the text's
  // where the table starts; `listLevel` the list level it stands at.
  ThtmlTable(TSectionList& doc, const TAttributeList& attributes, const TCell& enclosing,
             TJustify alignment, std::int32_t listLevel);
  ~ThtmlTable() override;

  // A new row from TR attributes.
  TCellList& AddRow(const TAttributeList& attributes);
  // Ends the open row (a /TR): the next cell starts a row of its own.
  void CloseRow() { rowOpen_ = false; }
  // A new cell from TD or TH attributes at the end of the open row (a row is started when
  // none is open). Its vertical alignment falls back to the row's; its background to the
  // row's, then the table's.
  TCellObj& AddCell(const TAttributeList& attributes);
  // The caption cell, made on first use; ALIGN "bottom" puts it below the rows.
  TCellObj& SetCaption(const TAttributeList& attributes);
  // The row cells are being added to, or null before the first row and after CloseRow.
  TCellList* OpenRow() { return rowOpen_ ? rows_.back().get() : nullptr; }

  const TTableAttributes& Attributes() const { return attributes_; }
  const std::vector<std::unique_ptr<TCellList>>& Rows() const { return rows_; }
  const TCellObj* Caption() const { return caption_.get(); }
  bool CaptionBelow() const { return captionBelow_; }
  std::int32_t ListLevel() const { return listLevel_; }
  std::optional<TColor> Background() const { return background_; }
  // After layout: the columns (each with one spacing), the table's box (x local to the
  // enclosing cell) and the rows' top.
  int ColumnCount() const { return columnCount_; }
  const std::vector<std::int32_t>& ColumnWidths() const { return columnWidths_; }
  std::int32_t TableX() const { return tableX_; }
  std::int32_t TableY() const { return tableY_; }
  std::int32_t TableWidth() const { return tableWidth_; }
  std::int32_t TableHeight() const { return tableHeight_; }

  void CopyToClipboard(std::string& text) const override;
  std::int32_t DrawLogic(std::int32_t y, IndentManager& imgr, std::int32_t& maxWidth,
                         std::int32_t& curs) override;
  std::int32_t Draw(const TRect& clip, std::int32_t clipWidth, std::int32_t x,
                    std::int32_t y) override;
  bool GetURL(std::int32_t x, std::int32_t y, TLinkHit& hit) const override;
  bool PtInObject(std::int32_t x, std::int32_t y, TImageHit& hit) const override;
  std::int32_t FindCursor(std::int32_t x, std::int32_t y, TCursorHit& hit) const override;
  std::int32_t FindString(std::int32_t from, const std::string& text,
                          bool matchCase) const override;
  std::int32_t FindSourcePos(std::int32_t docPos) const override;
  std::int32_t FindDocPos(std::int32_t sourcePos, bool prev) const override;
  bool CursorToXY(std::int32_t cursor, std::int32_t& x, std::int32_t& y) const override;
  bool GetChAtPos(std::int32_t pos, char& ch) const override;
  void UpdateFonts() override;
  void MinMaxWidth(std::int32_t& min, std::int32_t& max) const override;
  void ShiftY(std::int32_t dy) override;
  void HideControls(bool offScreen) override;
  void Dump(std::string& out, int indent) const override;

 private:
  // The columns' ranges and the caption's widths, as measured for a layout.
  struct TRanges {
    std::vector<TColumnRange> Columns;
    bool AnyCellPixelWidth = false;
    std::int32_t CaptionMin = 0;
    std::int32_t CaptionMax = 0;
  };

  // Every cell in document order: caption above, the rows' cells, caption below; made
  // again after cells were added.
  const std::vector<TCellObj*>& CellsInOrder() const;
  // The cell whose document indexes hold pos (after layout), or null.
  const TCellObj* CellHolding(std::int32_t pos) const;
  // The first row whose cells may reach down to y (after layout).
  std::size_t FirstRowReaching(std::int32_t y) const;
  // The grid, built again whenever cells were added since.
  const TTableGrid& Grid() const;
  // The columns' ranges and the caption's widths, measured once per layout pass: layout
  // takes (and so forgets) what a min/max query of the enclosing table measured just
  // before, so nested tables are measured once per pass however deep they are.
  const TRanges& Ranges() const;
  TPixels RowsTarget() const;
  // Layout, step by step: the columns' widths and the table's place in the room where it
  // stands; the caption at `top`, returning its height; every cell once at the rows' top,
  // returning what each claims of the rows; the rows' heights, with the cells moved down
  // into them. `reach` grows to the right edge of the widest content.
  void PlaceColumns(const TRanges& ranges, std::int32_t left, std::int32_t available);
  std::int32_t LayOutCaption(std::int32_t top, std::int32_t& curs, std::int32_t& reach);
  std::vector<TRowClaim> LayOutCells(std::int32_t& curs, std::int32_t& reach);
  void PlaceRows(int rowCount, const std::vector<TRowClaim>& claims);
  // Where cells are laid out before their rows' heights are known.
  std::int32_t ProvisionalCellTop() const;
  // The cell (caption included) whose box holds the point, or null.
  const TCellObj* CellAt(std::int32_t x, std::int32_t y) const;

  TTableAttributes attributes_;
  std::optional<TColor> background_;  // own BGCOLOR, or the enclosing cell's
  std::int32_t listLevel_ = 0;
  std::vector<std::unique_ptr<TCellList>> rows_;
  bool rowOpen_ = false;
  std::unique_ptr<TCellObj> caption_;
  bool captionBelow_ = false;

  mutable std::optional<TTableGrid> grid_;
  mutable std::unique_ptr<TRanges> ranges_;
  mutable std::vector<TCellObj*> cellsInOrder_;

  int columnCount_ = 0;
  std::vector<std::int32_t> columnWidths_;
  std::vector<std::int32_t> columnLeft_;  // each column's left from the rows' left, and the end
  std::int32_t tableX_ = 0;
  std::int32_t tableY_ = 0;  // top of the table, caption included
  std::int32_t tableWidth_ = 0;
  std::int32_t tableHeight_ = 0;  // caption included, VSPACE not
  std::int32_t rowsX_ = 0;        // left of the rows, centred under a wider caption
  std::int32_t rowsY_ = 0;
  std::int32_t rowsWidth_ = 0;
  std::int32_t rowsHeight_ = 0;
  std::vector<std::int32_t> rowTops_;   // each row's top
  std::vector<std::int32_t> rowReach_;  // lowest cell bottom of the rows up to each
};

}  // namespace htmlview
