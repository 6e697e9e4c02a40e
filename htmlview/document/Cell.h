#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "IndentManager.h"
#include "SectionBase.h"

namespace htmlview {

class TSectionList;

// A list of sections stacked from top to bottom, with its own indent manager: the body of
// the document, a table cell or a caption. X coordinates given to and returned by a cell
// are local to it (its left edge is 0); Y coordinates are the document's.
class TCell {
 public:
  explicit TCell(TSectionList& doc);
  virtual ~TCell();
  TCell(const TCell&) = delete;
  TCell& operator=(const TCell&) = delete;

  TSectionList& Document() const { return doc_; }
  // Finishes the section and appends it; an empty text section without an anchor or
  // CLEAR is dropped.
  void Add(std::unique_ptr<TSectionBase> section);
  const std::vector<std::unique_ptr<TSectionBase>>& Sections() const { return sections_; }
  std::size_t Count() const { return sections_.size(); }
  bool Empty() const { return sections_.empty(); }

  // The background of a table cell; none in the body.
  std::optional<TColor> Background;

  // Lays out at y for `width`; returns the height. `widest` grows to the widest line,
  // `curs` is the running document index. A section that raises a processing error is
  // reported to the document and removed.
  std::int32_t DoLogic(std::int32_t y, std::int32_t width, std::int32_t& widest,
                       std::int32_t& curs);
  // The same with the indent manager to lay out with: layout needs one only while it runs,
  // and a page has thousands of table cells.
  std::int32_t DoLogic(std::int32_t y, std::int32_t width, std::int32_t& widest, std::int32_t& curs,
                       IndentManager& imgr);
  // The height of the last layout (sections and floats below them).
  std::int32_t CellHeight() const { return cellHeight_; }
  // The first document index of the last layout.
  std::int32_t FirstCurs() const { return firstCurs_; }
  // Draws the sections that meet `clip`, the cell's left at x; returns the bottom.
  std::int32_t Draw(const TRect& clip, std::int32_t clipWidth, std::int32_t x, std::int32_t y);

  bool GetURL(std::int32_t x, std::int32_t y, TLinkHit& hit) const;
  bool PtInObject(std::int32_t x, std::int32_t y, TImageHit& hit) const;
  std::int32_t FindCursor(std::int32_t x, std::int32_t y, TCursorHit& hit) const;
  std::int32_t FindString(std::int32_t from, const std::string& text, bool matchCase) const;
  std::int32_t FindSourcePos(std::int32_t docPos) const;
  std::int32_t FindDocPos(std::int32_t sourcePos, bool prev) const;
  bool CursorToXY(std::int32_t cursor, std::int32_t& x, std::int32_t& y) const;
  bool GetChAtPos(std::int32_t pos, char& ch) const;
  void CopyToClipboard(std::string& text) const;
  void UpdateFonts();
  // The largest minimum and maximum widths of the sections.
  void MinMaxWidth(std::int32_t& min, std::int32_t& max) const;
  void ShiftY(std::int32_t dy);
  void HideControls(bool offScreen);
  void Dump(std::string& out, int indent) const;

  // The section whose [top, top + height) holds y (searched in order), or -1.
  std::int32_t SectionAtY(std::int32_t y) const;
  // The sum of the heights of the sections before section n.
  std::int32_t SectionTop(std::size_t n) const;

 protected:
  void ClearSections();

 private:
  // The first section whose drawing may reach down to y (floats hang below sections),
  // found by bisection over the running lowest bottom.
  std::size_t FirstSectionReaching(std::int32_t y) const;
  void ComputeReach();
  // The section whose indexes hold pos (by bisection after layout), or null.
  const TSectionBase* SectionHolding(std::int32_t pos) const;
  // The sections in turn that may hold y, in order, until one answers.
  template <typename TTest>
  bool AnySectionAt(std::int32_t y, TTest test) const;

  TSectionList& doc_;
  std::vector<std::unique_ptr<TSectionBase>> sections_;
  // The lowest bottom of sections 0..n, drawn heights included, for the first
  // reachSections_ sections (those of the last layout). A cell of a few sections, as most
  // table cells are, keeps none and works it out when asked.
  std::vector<std::int32_t> reach_;
  std::uint32_t reachSections_ = 0;
  std::int32_t top_ = 0;
  std::int32_t cellHeight_ = 0;
  std::int32_t firstCurs_ = 0;
};

}  // namespace htmlview
