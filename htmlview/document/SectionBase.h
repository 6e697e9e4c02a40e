#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "FontObj.h"
#include "canvas/Canvas.h"

namespace htmlview {

class TSectionList;
class IndentManager;
class TImageObj;
class TInlineControlObj;

// What lies under a point.
struct TLinkHit {
  std::shared_ptr<TUrlTarget> Link;          // a map area or ISMAP link is a new target
  TInlineControlObj* FormControl = nullptr;  // an image button: a click submits its form
};
struct TImageHit {
  TImageObj* Image = nullptr;
  std::int32_t X = 0;  // the point within the image
  std::int32_t Y = 0;
};
struct TCursorHit {
  std::int32_t Index = -1;  // document character index, -1 for none
  bool InText = false;      // the point lies on a character rather than beside the text
  std::int32_t X = 0;       // the caret's left x (cell-local) and top y
  std::int32_t Y = 0;
  std::int32_t Height = 0;  // the height of the character's font
};

// One block of a cell, stacked from top to bottom. X coordinates are local to the cell
// that holds the section (the cell's left edge is 0); Y coordinates are the document's.
class TSectionBase {
 public:
  explicit TSectionBase(TSectionList& doc) : Doc(doc) {}
  virtual ~TSectionBase() = default;
  TSectionBase(const TSectionBase&) = delete;
  TSectionBase& operator=(const TSectionBase&) = delete;

  TSectionList& Doc;
  std::int32_t YValue = 0;         // top
  std::int32_t SectionHeight = 0;  // height taken in the cell
  std::int32_t DrawHeight = 0;     // height plus floats that hang below
  std::int32_t StartCurs = 0;      // document index of its first character
  std::int32_t Len = 0;            // its characters in the document's index

  // Appends the selected part as plain text.
  virtual void CopyToClipboard(std::string& /*text*/) const {}
  // Lays the section out at y; returns its height. `maxWidth` grows to the widest line,
  // `curs` is the running character index (the section takes its StartCurs from it).
  virtual std::int32_t DrawLogic(std::int32_t y, IndentManager& imgr, std::int32_t& maxWidth,
                                 std::int32_t& curs);
  // Draws into `clip` with the cell's left at x; returns the next y.
  virtual std::int32_t Draw(const TRect& clip, std::int32_t clipWidth, std::int32_t x,
                            std::int32_t y);
  virtual bool GetURL(std::int32_t /*x*/, std::int32_t /*y*/, TLinkHit& /*hit*/) const {
    return false;
  }
  virtual bool PtInObject(std::int32_t /*x*/, std::int32_t /*y*/, TImageHit& /*hit*/) const {
    return false;
  }
  // The character at the point, -1 for none.
  virtual std::int32_t FindCursor(std::int32_t /*x*/, std::int32_t /*y*/,
                                  TCursorHit& /*hit*/) const {
    return -1;
  }
  // The document index at which `text` is found from `from` on, -1 for none.
  virtual std::int32_t FindString(std::int32_t /*from*/, const std::string& /*text*/,
                                  bool /*matchCase*/) const {
    return -1;
  }
  virtual std::int32_t FindSourcePos(std::int32_t /*docPos*/) const { return -1; }
  // The document index of a source position; with `prev` the last one before it when
  // none is equal, otherwise the first after it.
  virtual std::int32_t FindDocPos(std::int32_t /*sourcePos*/, bool /*prev*/) const { return -1; }
  // The caret position of a document index: its left x (cell-local) and top y.
  virtual bool CursorToXY(std::int32_t /*cursor*/, std::int32_t& /*x*/, std::int32_t& /*y*/) const {
    return false;
  }
  virtual bool GetChAtPos(std::int32_t /*pos*/, char& /*ch*/) const { return false; }
  // The document's defaults changed: fonts and preset heights follow them.
  virtual void UpdateFonts() { SetHeight(); }
  virtual void SetHeight() {}
  virtual void MinMaxWidth(std::int32_t& min, std::int32_t& max) const {
    min = 0;
    max = 0;
  }

  // Moves the laid-out section down by dy without laying it out again (tables align
  // their cells this way).
  virtual void ShiftY(std::int32_t dy) { YValue += dy; }
  // Called once when the section is appended to its cell; false asks the cell to drop it
  // (an empty text section with nothing to keep).
  virtual bool Finish() { return true; }
  // Hides the form controls of the section (after a layout).
  virtual void HideControls(bool /*offScreen*/) {}
  // A compact text dump of the layout: one line per section, line and object, indented.
  virtual void Dump(std::string& out, int indent) const;

 protected:
  // The first line of a dump: the kind, top and heights.
  void DumpHeader(std::string& out, int indent, const char* kind) const;
};

}  // namespace htmlview
