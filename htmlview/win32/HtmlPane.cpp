// The control itself: its windows, scroll bars, document and forms, made and freed in
// order, and the window messages that it handles.
#include "win32/HtmlPane.h"

#include "document/SectionList.h"
#include "forms/FormsOfDocument.h"
#include "images/ImageCache.h"
#include "win32/PaneDropTarget.h"
#include "win32/PaneMessages.h"
#include "win32/PaneWindows.h"
#include "win32/ViewerResources.h"

namespace htmlview {

namespace {
constexpr const char* kClassName = "THtmlPane";

// Viewers alive in the process: the last one gives the shared image cache's unused
// pictures back, so that nothing it loaded outlives it.
int liveViewers = 0;

// The shift state of a key message: the keys held as it was sent.
TShiftState KeyShift() {
  TShiftState shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= MK_SHIFT;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= MK_CONTROL;
  return shift;
}
}  // namespace

THtmlPane::THtmlPane(HWND parent, int left, int top) {
  RegisterViewerClass(kClassName, 0, nullptr);
  CreateHandle(WS_EX_CONTROLPARENT, kClassName,
               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, left, top, width_, height_,
               parent);
  borderPanel_ = std::make_unique<TBorderPanel>(*this);
  paintPanel_ = std::make_unique<TPaintPanel>(*this);
  dropTarget_ = std::make_unique<TPaneDropTarget>(paintPanel_->Handle());
  dropTarget_->Welcome = [this](POINT point, const std::vector<std::string>& files) {
    if (!OnDragOver || processing_) return false;
    bool accept = true;
    OnDragOver(*this, point.x, point.y, files, accept);
    return accept;
  };
  dropTarget_->Dropped = [this](POINT point, const std::vector<std::string>& files) {
    if (OnDragDrop) OnDragDrop(*this, point.x, point.y, files);
  };
  dropTarget_->Register();
  vBar_ = std::make_unique<T32ScrollBar>(Handle(), true, kVerticalSmallChange);
  hBar_ = std::make_unique<T32ScrollBar>(Handle(), false, kHorizontalSmallChange);
  scrollBarWidth_ = vBar_->Thickness();

  ++liveViewers;
  const TViewerResources& resources = TViewerResources::Get();
  controlHost_ = std::make_unique<TWin32ControlHost>(paintPanel_->Handle());
  pictureLoader_ = std::make_unique<TPictureLoader>(SharedImageCache(), resources.ScreenDepth(),
                                                    resources.SharedPalette());
  pictureLoader_->ExpandFileName = [this](const std::string& src) {
    return ExpandFileName(src, NameContext());
  };
  document_ = std::make_unique<TSectionList>(canvas_);
  document_->PictureLoader = pictureLoader_.get();
  document_->OnProcessingError = [this](const std::string& text) {
    ::MessageBoxA(Handle(), text.c_str(), "", MB_OK | MB_ICONERROR);
  };
  // Image maps and control focus are answered from the same controls that the parser made.
  forms_ = std::make_unique<TDocumentForms>();
  ConnectForms(*document_, *forms_);
  TDocumentForms& forms = *forms_;
  forms.SetHost(controlHost_.get());
  forms.SubmitHandler = [this](const TFormSubmission& submission) {
    formSubmission_ = submission;
    ::PostMessageA(Handle(), kFormSubmitMessage, 0, 0);
  };
  forms.ObjectClickHandler = [this](TFormControlObj& control, const std::string& onClick) {
    if (OnObjectClick) OnObjectClick(*this, control, onClick);
  };
  forms.ControlFocusedHandler = [this](TFormControlObj& control) {
    ScrollControlIntoView(control);
  };

  SetDefBackground(clBtnFace);
  SetDefFontColor(clBtnText);
  SetDefHotSpotColor(0xFF0000);
  SetDefOverLinkColor(0xFF0000);
  SetDefVisitedLinkColor(0x800080);
  SetVisitedMaxCount(TVisitedList::kDefaultMaxCount);
  SetDefFontSize(12);
  ApplyDefaults();
  SetImageCacheCount(TStringBitmapList::kDefaultCacheCount);
  ArrangeBars();
}

THtmlPane::~THtmlPane() {
  if (Handle()) {
    ::KillTimer(Handle(), kLeaveTimerId);
    ::KillTimer(Handle(), kAutoScrollTimerId);
    ::SetWindowLongPtrA(Handle(), GWLP_USERDATA, 0);
  }
  if (!backgroundCacheName_.empty()) SharedImageCache().Release(backgroundCacheName_);
  // The document's controls are windows of the host: the document and its forms go first.
  document_.reset();
  forms_.reset();
  pictureLoader_.reset();
  controlHost_.reset();
  hBar_.reset();
  vBar_.reset();
  dropTarget_.reset();
  paintPanel_.reset();
  borderPanel_.reset();
  if (--liveViewers == 0) SharedImageCache().FreeUnused();
}

HWND THtmlPane::PaintPanelHandle() const {
  return paintPanel_->Handle();
}

void THtmlPane::SetBounds(int left, int top, int width, int height) {
  ::MoveWindow(Handle(), left, top, width, height, TRUE);
}

LRESULT THtmlPane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      width_ = LOWORD(lParam);
      height_ = HIWORD(lParam);
      if (paintPanel_) OnResize();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SETFOCUS:
      DrawBorder();
      if (OnEnter) OnEnter(*this);
      return 0;
    case WM_KILLFOCUS:
      DrawBorder();
      return 0;
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(wParam);
      if (OnKeyDown) OnKeyDown(*this, key, KeyShift());
      const bool control = ::GetKeyState(VK_CONTROL) < 0;
      if (control && (key == 'C' || key == VK_INSERT))
        CopyToClipboard();
      else if (control && key == 'A')
        SelectAll();
      else
        OnKey(key);
      return 0;
    }
    case WM_COPY:
      CopyToClipboard();
      return 0;
    case WM_KEYUP: {
      WORD key = static_cast<WORD>(wParam);
      if (OnKeyUp) OnKeyUp(*this, key, KeyShift());
      return 0;
    }
    case WM_CHAR: {
      char key = static_cast<char>(wParam);
      if (OnKeyPress) OnKeyPress(*this, key);
      return 0;
    }
    case WM_MOUSEWHEEL:
      ScrollVertically(document_->YOff - GET_WHEEL_DELTA_WPARAM(wParam) / 2, false);
      return 0;
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lParam) == vBar_->Handle()) OnVerticalBar(LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == hBar_->Handle()) OnHorizontalBar(LOWORD(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == kLeaveTimerId) LeaveTimerTick();
      if (wParam == kAutoScrollTimerId) AutoScrollStep();
      return 0;
    case kFormSubmitMessage:
      DeliverFormSubmission();
      return 0;
    case kAutoScrollMessage:
      StartAutoScroll();
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

void THtmlPane::DeliverFormSubmission() {
  if (!formSubmission_) return;
  const TFormSubmission submission = std::move(*formSubmission_);
  formSubmission_.reset();
  if (OnFormSubmit)
    OnFormSubmit(*this, submission.Action, submission.Target, submission.EncType, submission.Method,
                 submission.Results);
}

}  // namespace htmlview
