// The viewer's mouse: hot spots and cursors, selection by dragging with auto-scroll,
// middle-button scrolling, double-click words, right clicks, and following links.
#include <algorithm>
#include <cstdlib>

#include "document/ImageObj.h"
#include "document/SectionList.h"
#include "forms/ImageFormControlObj.h"
#include "navigation/LinkFollowing.h"
#include "view/HtmlView.h"

namespace htmlview {

namespace {
constexpr int kMiddleDeadZone = 20;  // pixels from the remembered y
constexpr int kMiddleFastDistance = 60;
constexpr int kMiddleSlowStep = 8, kMiddleFastStep = 32;
constexpr int kSelectionFastBeyond = 15;  // pixels beyond the edge
constexpr int kSelectionFastSteps = 8;    // small changes a step
constexpr int kSelectionSearchUp = 40;    // pixels above the mouse searched for a character

bool IsWordCharacter(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u >= 192;
}
}  // namespace

int THtmlView::DocumentX(int panelX) const {
  return panelX - (hMargin_ - horizontalPosition_);
}

int THtmlView::DocumentY(int panelY) const {
  return panelY + document_->YOff;
}

void THtmlView::SetPanelCursor(int number) {
  if (panelCursor_ == number) return;
  panelCursor_ = number;
  host_.CursorChanged(number);
}

void THtmlView::SetSelection(int begin, int end) {
  document_->SelB = begin;
  document_->SelE = end;
}

std::string THtmlView::SelectedText() const {
  return document_->SelectedText();
}

void THtmlView::SelectAll() {
  if (noSelect_ || document_->Empty()) return;
  const TSectionBase& last = *document_->Sections().back();
  selectionAnchor_ = 0;
  caret_ = last.StartCurs + last.Len;
  SetSelection(0, caret_);
  host_.Invalidate();
}

void THtmlView::CopyToClipboard() {
  std::string text;
  for (const char c : document_->SelectedText()) {
    if (c == '\n' && (text.empty() || text.back() != '\r')) text.push_back('\r');
    text.push_back(c);
  }
  if (!text.empty()) host_.CopyText(text);
}

void THtmlView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  linkActivated_ = false;
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
  if (middleScroll_) {
    EndMiddleScroll();
    return;
  }
  if (button == TMouseButton::mbMiddle) {
    middleScroll_ = true;
    middleY_ = y;
    SetPanelCursor(crScrollBoth);
    return;
  }
  if (button != TMouseButton::mbLeft) return;
  leftButtonDown_ = true;
  host_.CaptureMouse(true);
  const TCursorHit hit = document_->CursorAt(DocumentX(x), DocumentY(y));
  if (hit.Index < 0) return;
  const bool hadSelection = document_->SelB < document_->SelE;
  selectionAnchor_ = caret_ = hit.Index;
  document_->CaretPos = caret_;
  SetSelection(hit.Index, hit.Index);
  if (hadSelection || HasOption(options_, htOptionEnum::htShowDummyCaret)) host_.Invalidate();
}

void THtmlView::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
  if (middleScroll_) {
    if (std::abs(y - middleY_) > kMiddleDeadZone && !autoScrolling_) StartAutoScroll(x, y);
    return;
  }
  TrackHotSpot(shift, x, y);
  if (leftButtonDown_ && !noSelect_) {
    if ((y < 0 || y >= arrangement_.PaintPanel.Height) && !autoScrolling_) StartAutoScroll(x, y);
    ExtendSelection(x, y);
  }
}

void THtmlView::TrackHotSpot(TShiftState shift, int x, int y) {
  const int dx = DocumentX(x), dy = DocumentY(y);
  const TLinkHit link = document_->LinkAt(dx, dy);
  const TImageHit image = document_->ImageAt(dx, dy);
  if (image.Image && OnImageOver) {
    const std::uint32_t generation = DocumentGeneration();
    OnImageOver(*this, *image.Image, shift, image.X, image.Y);
    if (DocumentGeneration() != generation) return;
  }

  int cursor = crDefault;
  if (link.Link) {
    cursor = crHand;
  } else if (!noSelect_ && document_->CursorAt(dx, dy).InText) {
    cursor = cursor_;
  }
  SetPanelCursor(cursor);

  bool repaint = document_->SetActiveLink(link.Link.get());
  if (document_->SetActiveImage(image.Image)) repaint = true;
  if (repaint) host_.Invalidate();
  if ((cursor == crHand || document_->ActiveImage()) && !leaveTimerOn_) {
    leaveTimerOn_ = true;
    host_.StartTimer(TViewTimer::Leave);
  }

  const std::string url = link.Link ? link.Link->Url : std::string();
  const std::string target = link.Link ? link.Link->Target : std::string();
  if (url != urlUnderMouse_ || target != targetUnderMouse_) {
    urlUnderMouse_ = url;
    targetUnderMouse_ = target;
    if (OnHotSpotCovered) OnHotSpotCovered(*this, url);
  }
}

void THtmlView::LeaveTimerTick(int x, int y) {
  const TBounds& panel = arrangement_.PaintPanel;
  if (x >= 0 && y >= 0 && x < panel.Width && y < panel.Height) return;
  host_.StopTimer(TViewTimer::Leave);
  leaveTimerOn_ = false;
  bool repaint = document_->SetActiveLink(nullptr);
  if (document_->SetActiveImage(nullptr)) repaint = true;
  if (repaint) host_.Invalidate();
  SetPanelCursor(crDefault);
  if (!urlUnderMouse_.empty() || !targetUnderMouse_.empty()) {
    urlUnderMouse_.clear();
    targetUnderMouse_.clear();
    if (OnHotSpotCovered) OnHotSpotCovered(*this, "");
  }
}

void THtmlView::ExtendSelection(int x, int y) {
  if (selectionAnchor_ < 0) return;
  // Beyond the panel the nearest character inside it counts.
  x = std::clamp(x, 0, std::max(0, arrangement_.PaintPanel.Width - 1));
  y = std::clamp(y, 0, std::max(0, arrangement_.PaintPanel.Height - 1));
  // Between paragraphs the selection reaches to the last character above the mouse.
  TCursorHit hit = document_->CursorAt(DocumentX(x), DocumentY(y));
  for (int up = 2; hit.Index < 0 && up <= kSelectionSearchUp; up += 2)
    hit = document_->CursorAt(DocumentX(x), DocumentY(y - up));
  if (hit.Index < 0) return;
  caret_ = hit.Index;
  document_->CaretPos = caret_;
  const int begin = std::min(selectionAnchor_, caret_), end = std::max(selectionAnchor_, caret_);
  if (begin == document_->SelB && end == document_->SelE) return;
  SetSelection(begin, end);
  host_.Invalidate();
}

void THtmlView::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
  if (middleScroll_) {
    if (!(button == TMouseButton::mbMiddle && y == middleY_)) EndMiddleScroll();
    return;
  }
  const int dx = DocumentX(x), dy = DocumentY(y);
  const TImageHit image = document_->ImageAt(dx, dy);
  if (image.Image && OnImageClick) {
    const std::uint32_t generation = DocumentGeneration();
    OnImageClick(*this, *image.Image, button, shift, image.X, image.Y);
    if (DocumentGeneration() != generation) {  // the click was on a page no longer shown
      if (button == TMouseButton::mbLeft) EndDrag();
      return;
    }
  }
  if (button == TMouseButton::mbRight && OnRightClick) {
    TRightClickParameters parameters;
    parameters.Image = image.Image;
    parameters.ImageX = image.X;
    parameters.ImageY = image.Y;
    const TLinkHit link = document_->LinkAt(dx, dy);
    if (link.Link) {
      parameters.URL = link.Link->Url;
      parameters.Target = link.Link->Target;
    }
    const TCursorHit hit = document_->CursorAt(dx, dy);
    if (hit.Index >= 0) parameters.ClickWord = WordAt(hit.Index, nullptr, nullptr);
    OnRightClick(*this, parameters);
  }
  if (button != TMouseButton::mbLeft) return;
  const bool wasDown = leftButtonDown_;
  EndDrag();
  if (!wasDown || document_->SelB < document_->SelE) return;  // a drag selects, it does not click
  const TLinkHit link = document_->LinkAt(dx, dy);
  if (link.FormControl) {
    linkActivated_ = true;
    ImageControlClicked(link.FormControl, image.X, image.Y);
    return;
  }
  if (!link.Link) return;
  linkActivated_ = true;
  const TUrlTarget followed = *link.Link;  // the document may be replaced while following
  FollowLink(followed);
}

void THtmlView::FollowLink(const TUrlTarget& link) {
  urlUnderMouse_ = link.Url;
  targetUnderMouse_ = link.Target;
  if (OnHotSpotClick) {
    bool handled = false;
    OnHotSpotClick(*this, link.Url, handled);
    if (handled) return;
  }
  const TLinkAction action = DecideLinkAction(link.Url, NameContext());
  switch (action.Kind) {
    case TLinkAction::TKind::ScrollToAnchor: {
      const THistoryPlace left = CurrentPlace();
      if (ScrollToAnchor(action.Anchor)) {
        RecordHistory(left);
        AddVisited(action.Target);
      }
      break;
    }
    case TLinkAction::TKind::OpenDocument:
      OpenDocumentFile(action.Target);
      AddVisited(action.Target);
      break;
    case TLinkAction::TKind::OpenImage:
      OpenImageDocument(action.FileName);
      break;
    case TLinkAction::TKind::Nothing:
      break;
  }
}

void THtmlView::DoubleClick(TShiftState shift, int x, int y) {
  if (!processing_ && !linkActivated_ && !noSelect_) {
    const TCursorHit hit = document_->CursorAt(DocumentX(x), DocumentY(y));
    int begin = 0, end = 0;
    if (hit.Index >= 0 && !WordAt(hit.Index, &begin, &end).empty()) {
      selectionAnchor_ = begin;
      caret_ = end;
      SetSelection(begin, end);
      host_.Invalidate();
    }
  }
  if (OnMouseDouble) OnMouseDouble(*this, TMouseButton::mbLeft, shift, x, y);
}

std::string THtmlView::WordAt(int index, int* begin, int* end) const {
  char c = 0;
  if (!document_->GetChAtPos(index, c) || !IsWordCharacter(c)) return {};
  int first = index, last = index + 1;
  while (first > 0 && document_->GetChAtPos(first - 1, c) && IsWordCharacter(c)) --first;
  std::string word;
  for (int i = first; i < last; ++i) {
    document_->GetChAtPos(i, c);
    word.push_back(c);
  }
  while (document_->GetChAtPos(last, c) && IsWordCharacter(c)) {
    word.push_back(c);
    ++last;
  }
  if (begin) *begin = first;
  if (end) *end = last;
  return word;
}

void THtmlView::EndDrag() {
  const bool wasDown = leftButtonDown_;
  leftButtonDown_ = false;
  if (autoScrolling_ && !middleScroll_) {
    host_.StopTimer(TViewTimer::AutoScroll);
    autoScrolling_ = false;
  }
  if (wasDown) host_.CaptureMouse(false);
}

void THtmlView::CaptureLost() {
  if (leftButtonDown_) EndDrag();
}

void THtmlView::EndMiddleScroll() {
  middleScroll_ = false;
  if (autoScrolling_) {
    host_.StopTimer(TViewTimer::AutoScroll);
    autoScrolling_ = false;
  }
  SetPanelCursor(crDefault);
}

// Scrolls while a selection is dragged beyond the panel, or in middle-button mode while
// the mouse is away from where the mode began. The host's timer takes the steps: a loop of
// our own would take keys and clicks past the application's message loop and its hook.
void THtmlView::StartAutoScroll(int x, int y) {
  if (autoScrolling_) return;
  autoScrolling_ = true;
  host_.StartTimer(TViewTimer::AutoScroll);
  AutoScrollStep(x, y);
}

void THtmlView::AutoScrollStep(int x, int y) {
  if (!autoScrolling_) return;
  const int panelHeight = arrangement_.PaintPanel.Height;
  const bool selecting = leftButtonDown_ && !noSelect_ && (y < 0 || y >= panelHeight);
  const bool middle = middleScroll_ && std::abs(y - middleY_) > kMiddleDeadZone;
  if (!selecting && !middle) {
    host_.StopTimer(TViewTimer::AutoScroll);
    autoScrolling_ = false;
    if (middleScroll_) SetPanelCursor(crScrollBoth);
    return;
  }
  int step = 0;
  if (selecting) {
    const int beyond = y < 0 ? -y : y - panelHeight + 1;
    step = (beyond > kSelectionFastBeyond ? kSelectionFastSteps : 1) * kVerticalSmallChange;
    if (y < 0) step = -step;
  } else {
    const int distance = y - middleY_;
    step = std::abs(distance) > kMiddleFastDistance ? kMiddleFastStep : kMiddleSlowStep;
    if (distance < 0) step = -step;
    SetPanelCursor(distance < 0 ? crScrollUp : crScrollDown);
  }
  ScrollVertically(document_->YOff + step, false);
  if (selecting) ExtendSelection(x, y);
}

}  // namespace htmlview
