#include "UpDownPair.h"

#include <commctrl.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "ChildControl.h"

namespace pavina::ui {

bool ParseWholeNumber(const char* text, int& value) {
  errno = 0;
  char* end = nullptr;
  const long parsed = std::strtol(text, &end, 10);
  if (end == text || errno == ERANGE) return false;
  while (*end == ' ') ++end;
  if (*end != '\0') return false;
  // strtol skips any white space in front; only blanks are allowed there.
  const char* first = text;
  while (*first == ' ') ++first;
  if (*first != '+' && *first != '-' && (*first < '0' || *first > '9')) return false;
  if (parsed < -32768 || parsed > 32767) return false;
  value = static_cast<int>(parsed);
  return true;
}

TUpDownPair::TUpDownPair(HWND edit, HWND upDown, int minimum, int maximum, int position)
    : edit_(edit),
      upDown_(upDown),
      low_(std::min(minimum, maximum)),
      high_(std::max(minimum, maximum)),
      position_(static_cast<std::int16_t>(std::clamp(position, low_, high_))) {
  // The control keeps its own position in mid-range so that both arrows always notify;
  // the real value is ours.
  ::SendMessageA(upDown_, UDM_SETRANGE32, static_cast<WPARAM>(minimum),
                 static_cast<LPARAM>(maximum));
  ::SendMessageA(upDown_, UDM_SETPOS32, 0, (low_ + high_) / 2);
}

std::int16_t TUpDownPair::Position() {
  int typed = 0;
  if (ParseWholeNumber(WindowText(edit_).c_str(), typed) && typed >= low_ && typed <= high_)
    position_ = static_cast<std::int16_t>(typed);
  return position_;
}

void TUpDownPair::SetPosition(int position) {
  position_ = static_cast<std::int16_t>(std::clamp(position, low_, high_));
  const std::string text = std::to_string(position_);
  if (WindowText(edit_) != text) ::SetWindowTextA(edit_, text.c_str());
}

LRESULT TUpDownPair::OnDeltaPosition(const NMUPDOWN& change) {
  Step(change.iDelta);
  return TRUE;
}

void TUpDownPair::Enable(bool enabled) {
  EnableControl(edit_, enabled);
  EnableControl(upDown_, enabled);
}

}  // namespace pavina::ui
