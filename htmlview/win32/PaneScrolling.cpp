// Layout and scrolling: the document laid out to the control's width, the scroll bars
// arranged around it, and the view moved by the bars, the keys and a new size.
#include <algorithm>
#include <cstdlib>

#include "document/SectionList.h"
#include "forms/FormControlObj.h"
#include "navigation/PackedPosition.h"
#include "win32/PaneWindows.h"

namespace htmlview {

TViewFrame THtmlPane::Frame() const {
  TViewFrame frame;
  frame.Width = width_;
  frame.Height = height_;
  frame.ScrollBarWidth = scrollBarWidth_;
  frame.BorderStyle = borderStyle_;
  frame.ScrollBars = scrollBars_;
  frame.MarginWidth = hMargin_;
  frame.MarginHeight = vMargin_;
  frame.ShowVScroll = HasOption(options_, htOptionEnum::htShowVScroll);
  return frame;
}

void THtmlPane::DoLayout() {
  widestLine_ = 0;
  layoutInProgress_ = true;
  // A size that came while a message box of this layout was open is taken afterwards.
  const auto endLayout = [this] {
    layoutInProgress_ = false;
    if (!resizedDuringLayout_ || !Handle()) return;
    resizedDuringLayout_ = false;
    ::PostMessageA(Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(width_, height_));
  };
  try {
    const TViewFrame frame = Frame();
    document_->ViewHeight = height_ - 2 * vMargin_;
    std::int32_t widest = 0;
    const std::int32_t height =
        document_->DoLogic(vMargin_, std::max(LayoutWidth(frame), 0), widest);
    widestLine_ = widest;
    documentHeight_ = htmlview::DocumentHeight(frame, height);
  } catch (...) {
    endLayout();
    throw;
  }
  endLayout();
  ArrangeBars();
  paintPanel_->UpdateAnimationTimer(document_->HasAnimations());
  if (cursor_ == crIBeam) cursor_ = 2;
}

std::uint32_t THtmlPane::DocumentGeneration() const {
  return forms_->Generation();  // a new document empties its forms
}

void THtmlPane::ScrollControlIntoView(const TFormControlObj& control) {
  if (!control.Placed()) return;
  const int top = control.PlacedTop() - document_->YOff;  // placed in document pixels
  const int panelHeight = arrangement_.PaintPanel.Height;
  if (top >= 0 && top <= panelHeight - 20) return;
  ScrollVertically(document_->YOff + top - panelHeight / 2, false);
}

void THtmlPane::ArrangeBars() {
  if (!paintPanel_) return;
  arrangement_ = ArrangeScrollBars(Frame(), documentHeight_, widestLine_);
  const TScrollBarArrangement& a = arrangement_;
  ::ShowWindow(borderPanel_->Handle(), a.BorderShown ? SW_SHOWNA : SW_HIDE);
  ::SetWindowPos(borderPanel_->Handle(), HWND_BOTTOM, 0, 0, width_, height_, SWP_NOACTIVATE);
  ::MoveWindow(paintPanel_->Handle(), a.PaintPanel.Left, a.PaintPanel.Top, a.PaintPanel.Width,
               a.PaintPanel.Height, TRUE);

  hBar_->SetLargeChange(a.HorizontalLargeChange);
  hBar_->SetBounds(a.HorizontalBar.Left, a.HorizontalBar.Top, a.HorizontalBar.Width,
                   a.HorizontalBar.Height);
  horizontalPosition_ =
      ClampHorizontalPosition(horizontalPosition_, a.HorizontalRange, a.PaintPanel.Width);
  hBar_->SetParams(horizontalPosition_, a.HorizontalPage, 0, a.HorizontalRange, false);
  hBar_->SetVisible(a.HorizontalShown);

  const bool showVScroll = HasOption(options_, htOptionEnum::htShowVScroll);
  vBar_->SetLargeChange(a.VerticalLargeChange);
  vBar_->SetBounds(a.VerticalBar.Left, a.VerticalBar.Top, a.VerticalBar.Width,
                   a.VerticalBar.Height);
  vBar_->SetParams(document_->YOff, a.VerticalPage, 0, a.VerticalMax, showVScroll);
  vBar_->SetVisible(a.VerticalVisible);
  if (showVScroll) vBar_->SetEnabled(a.VerticalEnabled);
}

void THtmlPane::RelayoutKeepingPosition() {
  const std::uint32_t packed = Position();
  DoLayout();
  SetPosition(packed);
}

std::uint32_t THtmlPane::Position() const {
  const std::int32_t y = document_->YOff;
  const std::int32_t index = document_->SectionAtY(y);
  if (index < 0) return 0;
  return PackPosition(index, y - document_->Sections()[static_cast<std::size_t>(index)]->YValue);
}

void THtmlPane::SetPosition(std::uint32_t packed) {
  const std::size_t index = static_cast<std::size_t>(PackedSection(packed));
  if (index >= document_->Count()) return;
  ScrollVertically(document_->Sections()[index]->YValue + PackedOffset(packed), false);
}

int THtmlPane::VerticalPosition() const {
  return document_->YOff;
}

void THtmlPane::SetVerticalPosition(int position) {
  ScrollVertically(position, false);
}

void THtmlPane::ScrollVertically(int position, bool moveBits) {
  const int panelHeight = arrangement_.PaintPanel.Height;
  position = ClampVerticalPosition(position, documentHeight_, panelHeight);
  const int old = document_->YOff;
  vBar_->SetPosition(position);
  if (position == old) return;
  document_->YOff = position;
  const int delta = old - position;
  if (moveBits && std::abs(delta) < panelHeight) {
    ::ScrollWindowEx(paintPanel_->Handle(), 0, delta, nullptr, nullptr, nullptr, nullptr,
                     SW_INVALIDATE | SW_SCROLLCHILDREN);
    ::UpdateWindow(paintPanel_->Handle());
  } else {
    HideFormControls();
    InvalidatePanel();
  }
}

void THtmlPane::ScrollHorizontally(int position) {
  position = ClampHorizontalPosition(position, arrangement_.HorizontalRange,
                                     arrangement_.PaintPanel.Width);
  hBar_->SetPosition(position);
  if (position == horizontalPosition_) return;
  horizontalPosition_ = position;
  HideFormControls();
  InvalidatePanel();
}

// Form controls are placed where their lines are drawn. Before the view is drawn afresh
// at another place, those that will not be drawn must not stay where they were. While one
// has the focus they stay: the focus may move on to any of them, and a control that is
// not placed could not be scrolled into view then.
void THtmlPane::HideFormControls() {
  if (document_->AnyControlHasFocus && document_->AnyControlHasFocus()) return;
  document_->HideControls(false);
}

void THtmlPane::OnVerticalBar(int code) {
  int position = document_->YOff;
  switch (code) {
    case SB_LINEUP:
      position -= vBar_->SmallChange();
      break;
    case SB_LINEDOWN:
      position += vBar_->SmallChange();
      break;
    case SB_PAGEUP:
      position -= vBar_->LargeChange();
      break;
    case SB_PAGEDOWN:
      position += vBar_->LargeChange();
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = documentHeight_ - arrangement_.PaintPanel.Height;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = vBar_->TrackPosition();
      break;
    default:
      return;
  }
  ScrollVertically(position, true);
  ::SetFocus(Handle());
}

void THtmlPane::OnHorizontalBar(int code) {
  ::SetFocus(Handle());
  int position = horizontalPosition_;
  switch (code) {
    case SB_LINELEFT:
      position -= hBar_->SmallChange();
      break;
    case SB_LINERIGHT:
      position += hBar_->SmallChange();
      break;
    case SB_PAGELEFT:
      position -= hBar_->LargeChange();
      break;
    case SB_PAGERIGHT:
      position += hBar_->LargeChange();
      break;
    case SB_LEFT:
      position = 0;
      break;
    case SB_RIGHT:
      position = arrangement_.HorizontalRange;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = hBar_->TrackPosition();
      break;
    default:
      return;
  }
  ScrollHorizontally(position);
}

void THtmlPane::OnKey(WORD key) {
  if (middleScroll_) {
    middleScroll_ = false;
    SetPanelCursor(crDefault);
    return;
  }
  const int old = document_->YOff;
  int position = old;
  switch (key) {
    case VK_PRIOR:
      position -= vBar_->LargeChange();
      break;
    case VK_NEXT:
      position += vBar_->LargeChange();
      break;
    case VK_END:
      position = documentHeight_;
      break;
    case VK_HOME:
      position = 0;
      break;
    case VK_UP:
      position -= vBar_->SmallChange();
      break;
    case VK_DOWN:
      position += vBar_->SmallChange();
      break;
    case VK_LEFT:
      ScrollHorizontally(horizontalPosition_ - hBar_->SmallChange());
      return;
    case VK_RIGHT:
      ScrollHorizontally(horizontalPosition_ + hBar_->SmallChange());
      return;
    default:
      return;
  }
  position = ClampVerticalPosition(position, documentHeight_, arrangement_.PaintPanel.Height);
  ScrollVertically(position, std::abs(position - old) == vBar_->SmallChange());
}

void THtmlPane::OnResize() {
  if (layoutInProgress_) {  // the layout is half done: it must not be entered again
    resizedDuringLayout_ = true;
    return;
  }
  if (width_ <= 0 || height_ <= 0) return;  // minimised: nothing shows, the layout stays
  if (processing_) {
    ArrangeBars();
    return;
  }
  DoLayout();
  if (documentHeight_ < arrangement_.PaintPanel.Height)
    ScrollVertically(0, false);
  else
    ScrollVertically(document_->YOff, false);
  ScrollHorizontally(horizontalPosition_);
  InvalidatePanel();
}

}  // namespace htmlview
