#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

namespace pavina::ui {

// An up-down control with its buddy edit. The edit's text is the value: typing changes it
// directly, the arrows and Step set a new text. A text that is no whole number within the
// range leaves the position as it was. The range may be given reversed (minimum above
// maximum): the up arrow then lowers the number.
class TUpDownPair {
 public:
  TUpDownPair(HWND edit, HWND upDown, int minimum, int maximum, int position);

  HWND Edit() const { return edit_; }
  HWND UpDown() const { return upDown_; }

  std::int16_t Position();
  // Kept within the range; the edit's text is rewritten only when it changes, which
  // fires the edit's change event.
  void SetPosition(int position);
  void Step(int step) { SetPosition(Position() + step); }
  // The arrows' notification: applies its step itself and returns the value that tells
  // the control to leave its own position alone.
  LRESULT OnDeltaPosition(const NMUPDOWN& change);
  void Enable(bool enabled);

 private:
  HWND edit_;
  HWND upDown_;
  int low_;
  int high_;
  std::int16_t position_;
};

// A whole number in decimal, blanks around it allowed.
bool ParseWholeNumber(const char* text, int& value);

}  // namespace pavina::ui
