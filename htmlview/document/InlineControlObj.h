#pragma once

#include <cstdint>

namespace htmlview {

// An object that sits inside a line of text the way a character does: a form control. The
// section that holds it only measures and places it; its owner (the form) creates and
// frees it.
class TInlineControlObj {
 public:
  virtual ~TInlineControlObj() = default;

  // Buffer position of its mark in its section, set when the section takes it.
  std::int32_t Pos = 0;

  virtual std::int32_t Width() const = 0;
  virtual std::int32_t Height() const = 0;
  // False for a control that takes no room in the text (hidden fields).
  virtual bool TakesPlace() const { return true; }
  // Check boxes and radio buttons sit raised by the text's descent.
  virtual bool RaisedByDescent() const { return false; }
  virtual bool HasFocus() const { return false; }

  // Shows the control with its top left at (x, y) in the coordinates of the canvas the
  // document is drawn on. Called while its line is drawn.
  virtual void PlaceAt(std::int32_t x, std::int32_t y) = 0;
  // After a layout, before anything is drawn: off-screen (x = -4000) when some control of
  // the document has the focus, so that it keeps it; otherwise hidden.
  virtual void HideAfterLayout(bool offScreen) = 0;
};

}  // namespace htmlview
