// Layout and scrolling: the document laid out to the view's width, the scroll bars
// arranged around it, and the view moved by the bars, the keys, the wheel and a new size.
#include <algorithm>
#include <cstdlib>

#include "document/SectionList.h"
#include "forms/FormControlObj.h"
#include "view/HtmlView.h"
#include "view/PackedPosition.h"

namespace htmlview {

TViewFrame THtmlView::Frame() const {
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

void THtmlView::DoLayout() {
  widestLine_ = 0;
  layoutInProgress_ = true;
  // A size that came while a message box of this layout was open is taken afterwards.
  const auto endLayout = [this] {
    layoutInProgress_ = false;
    if (!resizedDuringLayout_) return;
    resizedDuringLayout_ = false;
    host_.Post(TViewTask::Resize);
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
  UpdateAnimationTimer();
  if (cursor_ == crIBeam) cursor_ = crText;
}

void THtmlView::ScrollControlIntoView(const TFormControlObj& control) {
  if (!control.Placed()) return;
  const int top = control.PlacedTop() - document_->YOff;  // placed in document pixels
  const int panelHeight = arrangement_.PaintPanel.Height;
  if (top >= 0 && top <= panelHeight - 20) return;
  ScrollVertically(document_->YOff + top - panelHeight / 2, false);
}

void THtmlView::ArrangeBars() {
  arrangement_ = ArrangeScrollBars(Frame(), documentHeight_, widestLine_);
  horizontalPosition_ = ClampHorizontalPosition(horizontalPosition_, arrangement_.HorizontalRange,
                                                arrangement_.PaintPanel.Width);
  host_.ArrangementChanged();
}

void THtmlView::RelayoutKeepingPosition() {
  const std::uint32_t packed = Position();
  DoLayout();
  SetPosition(packed);
}

std::uint32_t THtmlView::Position() const {
  const std::int32_t y = document_->YOff;
  const std::int32_t index = document_->SectionAtY(y);
  if (index < 0) return 0;
  return PackPosition(index, y - document_->Sections()[static_cast<std::size_t>(index)]->YValue);
}

void THtmlView::SetPosition(std::uint32_t packed) {
  const std::size_t index = static_cast<std::size_t>(PackedSection(packed));
  if (index >= document_->Count()) return;
  ScrollVertically(document_->Sections()[index]->YValue + PackedOffset(packed), false);
}

int THtmlView::VerticalPosition() const {
  return document_->YOff;
}

void THtmlView::SetVerticalPosition(int position) {
  ScrollVertically(position, false);
}

void THtmlView::ScrollVertically(int position, bool moveBits) {
  const int panelHeight = arrangement_.PaintPanel.Height;
  position = ClampVerticalPosition(position, documentHeight_, panelHeight);
  const int old = document_->YOff;
  document_->YOff = position;
  host_.PositionsChanged();
  if (position == old) return;
  const int delta = old - position;
  if (moveBits && std::abs(delta) < panelHeight) {
    host_.ScrollContent(delta);
  } else {
    HideFormControls();
    host_.Invalidate();
  }
}

void THtmlView::ScrollHorizontally(int position) {
  position = ClampHorizontalPosition(position, arrangement_.HorizontalRange,
                                     arrangement_.PaintPanel.Width);
  const int old = horizontalPosition_;
  horizontalPosition_ = position;
  host_.PositionsChanged();
  if (position == old) return;
  HideFormControls();
  host_.Invalidate();
}

// Form controls are placed where their lines are drawn. Before the view is drawn afresh
// at another place, those that will not be drawn must not stay where they were. While one
// has the focus they stay: the focus may move on to any of them, and a control that is
// not placed could not be scrolled into view then.
void THtmlView::HideFormControls() {
  if (document_->AnyControlHasFocus && document_->AnyControlHasFocus()) return;
  document_->HideControls(false);
}

namespace {
// Where a scroll bar's action moves a position.
int BarTarget(TScrollAction action, int position, int smallChange, int largeChange, int end,
              int trackPosition) {
  switch (action) {
    case TScrollAction::LineBack:
      return position - smallChange;
    case TScrollAction::LineOn:
      return position + smallChange;
    case TScrollAction::PageBack:
      return position - largeChange;
    case TScrollAction::PageOn:
      return position + largeChange;
    case TScrollAction::ToStart:
      return 0;
    case TScrollAction::ToEnd:
      return end;
    case TScrollAction::Track:
      return trackPosition;
  }
  return position;
}
}  // namespace

void THtmlView::VerticalBar(TScrollAction action, int trackPosition) {
  ScrollVertically(
      BarTarget(action, document_->YOff, kVerticalSmallChange, arrangement_.VerticalLargeChange,
                documentHeight_ - arrangement_.PaintPanel.Height, trackPosition),
      true);
}

void THtmlView::HorizontalBar(TScrollAction action, int trackPosition) {
  ScrollHorizontally(BarTarget(action, horizontalPosition_, kHorizontalSmallChange,
                               arrangement_.HorizontalLargeChange, arrangement_.HorizontalRange,
                               trackPosition));
}

void THtmlView::Wheel(int delta) {
  ScrollVertically(document_->YOff - delta / 2, false);
}

void THtmlView::OnKey(std::uint16_t key) {
  if (middleScroll_) {
    EndMiddleScroll();
    return;
  }
  const int old = document_->YOff;
  int position = old;
  switch (key) {
    case vkey::Prior:
      position -= arrangement_.VerticalLargeChange;
      break;
    case vkey::Next:
      position += arrangement_.VerticalLargeChange;
      break;
    case vkey::End:
      position = documentHeight_;
      break;
    case vkey::Home:
      position = 0;
      break;
    case vkey::Up:
      position -= kVerticalSmallChange;
      break;
    case vkey::Down:
      position += kVerticalSmallChange;
      break;
    case vkey::Left:
      ScrollHorizontally(horizontalPosition_ - kHorizontalSmallChange);
      return;
    case vkey::Right:
      ScrollHorizontally(horizontalPosition_ + kHorizontalSmallChange);
      return;
    default:
      return;
  }
  position = ClampVerticalPosition(position, documentHeight_, arrangement_.PaintPanel.Height);
  ScrollVertically(position, std::abs(position - old) == kVerticalSmallChange);
}

void THtmlView::SetScrollBarWidth(int width) {
  scrollBarWidth_ = width;
  ArrangeBars();
}

void THtmlView::Resize(int width, int height) {
  if (width <= 0 || height <= 0) return;  // minimised: nothing shows, the layout stays
  width_ = width;
  height_ = height;
  if (layoutInProgress_) {  // the layout is half done: it must not be entered again
    resizedDuringLayout_ = true;
    return;
  }
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
  host_.Invalidate();
}

}  // namespace htmlview
