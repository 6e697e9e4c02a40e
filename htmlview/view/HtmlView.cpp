// The view itself: its document and forms, made and freed in order, and the input that is
// neither mouse nor scrolling: keys, focus, timers and the work left for later.
#include "view/HtmlView.h"

#include "document/SectionList.h"
#include "forms/DocumentForms.h"
#include "forms/FormsOfDocument.h"
#include "images/ImageCache.h"

namespace htmlview {

namespace {
// Views alive in the process: the last one gives the shared image cache's unused
// pictures back, so that nothing it loaded outlives it.
int liveViews = 0;
}  // namespace

THtmlView::THtmlView(TCanvas& canvas, TViewHost& host, TFileSource& files, TControlHost* controls,
                     int screenDepth, TPalette palette)
    : canvas_(canvas), host_(host), files_(files) {
  ++liveViews;
  pictureLoader_ =
      std::make_unique<TPictureLoader>(SharedImageCache(), screenDepth, std::move(palette));
  pictureLoader_->ExpandFileName = [this](const std::string& src) {
    return ExpandFileName(src, NameContext());
  };
  document_ = std::make_unique<TSectionList>(canvas_);
  document_->PictureLoader = pictureLoader_.get();
  document_->OnProcessingError = [this](const std::string& text) { host_.ShowError(text); };
  // Image maps and control focus are answered from the same controls that the parser made.
  forms_ = std::make_unique<TDocumentForms>();
  ConnectForms(*document_, *forms_);
  forms_->SetHost(controls);
  forms_->SubmitHandler = [this](const TFormSubmission& submission) {
    formSubmission_ = submission;
    host_.Post(TViewTask::DeliverFormSubmission);
  };
  forms_->ObjectClickHandler = [this](TFormControlObj& control, const std::string& onClick) {
    if (OnObjectClick) OnObjectClick(*this, control, onClick);
  };
  forms_->ControlFocusedHandler = [this](TFormControlObj& control) {
    ScrollControlIntoView(control);
  };

  document_->Background = ResolveColor(defBackground_);
  background_ = document_->Background;
  visited_.SetMaxCount(TVisitedList::kDefaultMaxCount);
  ApplyDefaults();
  SetImageCacheCount(TStringBitmapList::kDefaultCacheCount);
}

THtmlView::~THtmlView() {
  if (!backgroundCacheName_.empty()) SharedImageCache().Release(backgroundCacheName_);
  // The document points at its forms' controls: it goes first.
  document_.reset();
  forms_.reset();
  pictureLoader_.reset();
  if (--liveViews == 0) SharedImageCache().FreeUnused();
}

TColor THtmlView::ResolveColor(TPaneColor color) const {
  if (color == clNone) return host_.SystemColor(kSystemColorWindow);
  if (color & 0x80000000) return host_.SystemColor(static_cast<int>(color & 0xFF));
  return color & 0xFFFFFF;
}

std::uint32_t THtmlView::DocumentGeneration() const {
  return forms_->Generation();  // a new document empties its forms
}

void THtmlView::KeyDown(std::uint16_t key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(*this, key, shift);
  const bool control = (shift & shift::Control) != 0;
  if (control && (key == 'C' || key == vkey::Insert))
    CopyToClipboard();
  else if (control && key == 'A')
    SelectAll();
  else
    OnKey(key);
}

void THtmlView::KeyUp(std::uint16_t key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(*this, key, shift);
}

void THtmlView::KeyPress(char key) {
  if (OnKeyPress) OnKeyPress(*this, key);
}

void THtmlView::FocusEntered() {
  if (OnEnter) OnEnter(*this);
}

void THtmlView::TimerTick(TViewTimer timer, int pointerX, int pointerY) {
  switch (timer) {
    case TViewTimer::Leave:
      LeaveTimerTick(pointerX, pointerY);
      break;
    case TViewTimer::AutoScroll:
      AutoScrollStep(pointerX, pointerY);
      break;
    case TViewTimer::Animation:
      StepAnimations();
      break;
  }
}

void THtmlView::RunTask(TViewTask task) {
  switch (task) {
    case TViewTask::DeliverFormSubmission:
      DeliverFormSubmission();
      break;
    case TViewTask::Resize:
      Resize(width_, height_);
      break;
  }
}

void THtmlView::DeliverFormSubmission() {
  if (!formSubmission_) return;
  const TFormSubmission submission = std::move(*formSubmission_);
  formSubmission_.reset();
  if (OnFormSubmit)
    OnFormSubmit(*this, submission.Action, submission.Target, submission.EncType, submission.Method,
                 submission.Results);
}

void THtmlView::UpdateAnimationTimer() {
  const bool wanted = document_->HasAnimations();
  if (wanted == animating_) return;
  animating_ = wanted;
  if (wanted)
    host_.StartTimer(TViewTimer::Animation);
  else
    host_.StopTimer(TViewTimer::Animation);
}

void THtmlView::StepAnimations() {
  if (!document_->HasAnimations()) {
    UpdateAnimationTimer();
    return;
  }
  for (const TPixelRect& changed : document_->StepAnimations(host_.NowMilliseconds())) {
    // Left and right as drawn on the panel; top and bottom in document pixels.
    host_.InvalidateRect(TPixelRect{changed.Left, changed.Top - document_->YOff, changed.Right,
                                    changed.Bottom - document_->YOff});
  }
}

void THtmlView::DrawDocument(const TPixelRect& clip) {
  if (layoutInProgress_) return;
  const int yOff = document_->YOff;
  document_->Draw(TRect{clip.Left, clip.Top + yOff, clip.Right, clip.Bottom + yOff},
                  hMargin_ - horizontalPosition_, TSectionList::kDefaultClipWidth);
}

}  // namespace htmlview
