#include "win32/ScrollBar32.h"

namespace htmlview {

T32ScrollBar::T32ScrollBar(HWND parent, bool vertical, int smallChange)
    : vertical_(vertical), smallChange_(smallChange) {
  handle_ = ::CreateWindowExA(0, "SCROLLBAR", "",
                              WS_CHILD | WS_CLIPSIBLINGS | (vertical ? SBS_VERT : SBS_HORZ), 0, 0,
                              0, 0, parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

T32ScrollBar::~T32ScrollBar() {
  if (handle_ && ::IsWindow(handle_)) ::DestroyWindow(handle_);
}

int T32ScrollBar::Thickness() const {
  return ::GetSystemMetrics(vertical_ ? SM_CXVSCROLL : SM_CYHSCROLL);
}

void T32ScrollBar::SetParams(int position, int page, int minimum, int maximum,
                             bool disableNoScroll) {
  if (set_ && position == position_ && page == page_ && minimum == min_ && maximum == max_ &&
      disableNoScroll == disableNoScroll_)
    return;
  set_ = true;
  position_ = position;
  page_ = page;
  min_ = minimum;
  max_ = maximum;
  disableNoScroll_ = disableNoScroll;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_POS | SIF_PAGE | SIF_RANGE | (disableNoScroll ? SIF_DISABLENOSCROLL : 0);
  info.nMin = minimum;
  info.nMax = maximum;
  info.nPage = static_cast<UINT>(page < 0 ? 0 : page);
  info.nPos = position;
  ::SetScrollInfo(handle_, SB_CTL, &info, TRUE);
}

void T32ScrollBar::SetPosition(int position) {
  SetParams(position, page_, min_, max_, disableNoScroll_);
}

int T32ScrollBar::TrackPosition() const {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_TRACKPOS;
  ::GetScrollInfo(handle_, SB_CTL, &info);
  return info.nTrackPos;
}

void T32ScrollBar::SetBounds(int left, int top, int width, int height) {
  ::MoveWindow(handle_, left, top, width, height, TRUE);
}

void T32ScrollBar::SetVisible(bool visible) {
  if (Visible() != visible) ::ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

bool T32ScrollBar::Visible() const {
  return (::GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void T32ScrollBar::SetEnabled(bool enabled) {
  ::EnableWindow(handle_, enabled ? TRUE : FALSE);
}

}  // namespace htmlview
