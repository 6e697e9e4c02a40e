// The control itself: its windows, scroll bars and view, made and freed in order; the
// window messages turned into the view's input; and what the view asks of its window.
#include "win32/HtmlPane.h"

#include <algorithm>

#include "win32/PaneDropTarget.h"
#include "win32/PaneMessages.h"
#include "win32/PaneWindows.h"
#include "win32/ViewerResources.h"

namespace htmlview {

namespace {
constexpr const char* kClassName = "THtmlPane";

// The shift state of a key message: the keys held as it was sent.
TShiftState KeyShift() {
  TShiftState state = 0;
  if (::GetKeyState(VK_SHIFT) < 0) state |= shift::Shift;
  if (::GetKeyState(VK_CONTROL) < 0) state |= shift::Control;
  return state;
}

// A scroll bar's notification code as the view's action; false for codes it ignores.
bool BarAction(int code, TScrollAction& action) {
  switch (code) {
    case SB_LINEUP:
      action = TScrollAction::LineBack;
      return true;
    case SB_LINEDOWN:
      action = TScrollAction::LineOn;
      return true;
    case SB_PAGEUP:
      action = TScrollAction::PageBack;
      return true;
    case SB_PAGEDOWN:
      action = TScrollAction::PageOn;
      return true;
    case SB_TOP:
      action = TScrollAction::ToStart;
      return true;
    case SB_BOTTOM:
      action = TScrollAction::ToEnd;
      return true;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      action = TScrollAction::Track;
      return true;
    default:
      return false;
  }
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
    if (!OnDragOver || view_->Processing()) return false;
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

  const TViewerResources& resources = TViewerResources::Get();
  controlHost_ = std::make_unique<TWin32ControlHost>(paintPanel_->Handle());
  TViewHost& host = *this;
  view_ = std::make_unique<THtmlView>(canvas_, host, files_, controlHost_.get(),
                                      resources.ScreenDepth(), resources.SharedPalette());
  view_->SetScrollBarWidth(vBar_->Thickness());
}

THtmlPane::~THtmlPane() {
  if (Handle()) {
    for (const TViewTimer timer :
         {TViewTimer::Leave, TViewTimer::AutoScroll, TViewTimer::Animation})
      ::KillTimer(Handle(), ViewTimerId(timer));
    ::SetWindowLongPtrA(Handle(), GWLP_USERDATA, 0);
  }
  // The view's controls are windows of the host: the view goes first.
  view_.reset();
  controlHost_.reset();
  hBar_.reset();
  vBar_.reset();
  dropTarget_.reset();
  paintPanel_.reset();
  borderPanel_.reset();
}

HWND THtmlPane::PaintPanelHandle() const {
  return paintPanel_->Handle();
}

void THtmlPane::SetBounds(int left, int top, int width, int height) {
  ::MoveWindow(Handle(), left, top, width, height, TRUE);
}

LRESULT THtmlPane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!view_) return DefaultHandling(message, wParam, lParam);
  switch (message) {
    case WM_SIZE:
      width_ = LOWORD(lParam);
      height_ = HIWORD(lParam);
      view_->Resize(width_, height_);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SETFOCUS:
      DrawBorder();
      view_->FocusEntered();
      return 0;
    case WM_KILLFOCUS:
      DrawBorder();
      return 0;
    case WM_KEYDOWN:
      view_->KeyDown(static_cast<std::uint16_t>(wParam), KeyShift());
      return 0;
    case WM_KEYUP:
      view_->KeyUp(static_cast<std::uint16_t>(wParam), KeyShift());
      return 0;
    case WM_CHAR:
      view_->KeyPress(static_cast<char>(wParam));
      return 0;
    case WM_COPY:
      view_->CopyToClipboard();
      return 0;
    case WM_MOUSEWHEEL:
      view_->Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: {
      const bool vertical = message == WM_VSCROLL;
      const T32ScrollBar& bar = vertical ? *vBar_ : *hBar_;
      TScrollAction action{};
      if (reinterpret_cast<HWND>(lParam) != bar.Handle() || !BarAction(LOWORD(wParam), action))
        return 0;
      if (vertical)
        view_->VerticalBar(action, bar.TrackPosition());
      else
        view_->HorizontalBar(action, bar.TrackPosition());
      ::SetFocus(Handle());
      return 0;
    }
    case WM_TIMER: {
      const POINT p = PointerInPanel();
      for (const TViewTimer timer :
           {TViewTimer::Leave, TViewTimer::AutoScroll, TViewTimer::Animation})
        if (wParam == ViewTimerId(timer)) view_->TimerTick(timer, p.x, p.y);
      return 0;
    }
    case kViewTaskMessage:
      view_->RunTask(static_cast<TViewTask>(wParam));
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

POINT THtmlPane::PointerInPanel() const {
  POINT p{};
  ::GetCursorPos(&p);
  ::ScreenToClient(paintPanel_->Handle(), &p);
  return p;
}

// ----- What the view asks of its window -----

void THtmlPane::Invalidate() {
  if (paintPanel_ && paintPanel_->Handle()) ::InvalidateRect(paintPanel_->Handle(), nullptr, FALSE);
}

void THtmlPane::InvalidateRect(const TPixelRect& rect) {
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  ::InvalidateRect(paintPanel_->Handle(), &r, FALSE);
}

void THtmlPane::ScrollContent(int dy) {
  ::ScrollWindowEx(paintPanel_->Handle(), 0, dy, nullptr, nullptr, nullptr, nullptr,
                   SW_INVALIDATE | SW_SCROLLCHILDREN);
  ::UpdateWindow(paintPanel_->Handle());
}

void THtmlPane::ArrangementChanged() {
  if (!view_) return;  // the view is still being made
  const TScrollBarArrangement& a = view_->Arrangement();
  ::ShowWindow(borderPanel_->Handle(), a.BorderShown ? SW_SHOWNA : SW_HIDE);
  ::SetWindowPos(borderPanel_->Handle(), HWND_BOTTOM, 0, 0, width_, height_, SWP_NOACTIVATE);
  ::MoveWindow(paintPanel_->Handle(), a.PaintPanel.Left, a.PaintPanel.Top, a.PaintPanel.Width,
               a.PaintPanel.Height, TRUE);

  hBar_->SetLargeChange(a.HorizontalLargeChange);
  hBar_->SetBounds(a.HorizontalBar.Left, a.HorizontalBar.Top, a.HorizontalBar.Width,
                   a.HorizontalBar.Height);
  hBar_->SetParams(view_->HorizontalPosition(), a.HorizontalPage, 0, a.HorizontalRange, false);
  hBar_->SetVisible(a.HorizontalShown);

  const bool showVScroll = HasOption(view_->htOptions(), htOptionEnum::htShowVScroll);
  vBar_->SetLargeChange(a.VerticalLargeChange);
  vBar_->SetBounds(a.VerticalBar.Left, a.VerticalBar.Top, a.VerticalBar.Width,
                   a.VerticalBar.Height);
  vBar_->SetParams(view_->VerticalPosition(), a.VerticalPage, 0, a.VerticalMax, showVScroll);
  vBar_->SetVisible(a.VerticalVisible);
  if (showVScroll) vBar_->SetEnabled(a.VerticalEnabled);
  DrawBorder();
}

void THtmlPane::PositionsChanged() {
  vBar_->SetPosition(view_->VerticalPosition());
  hBar_->SetPosition(view_->HorizontalPosition());
}

void THtmlPane::CursorChanged(int cursor) {
  POINT p{};
  ::GetCursorPos(&p);
  if (::WindowFromPoint(p) == paintPanel_->Handle())
    ::SetCursor(TViewerResources::Get().Cursor(cursor));
}

void THtmlPane::CaptureMouse(bool capture) {
  if (capture)
    ::SetCapture(paintPanel_->Handle());
  else if (::GetCapture() == paintPanel_->Handle())
    ::ReleaseCapture();
}

void THtmlPane::StartTimer(TViewTimer timer) {
  ::SetTimer(Handle(), ViewTimerId(timer), static_cast<UINT>(TimerMilliseconds(timer)), nullptr);
}

void THtmlPane::StopTimer(TViewTimer timer) {
  ::KillTimer(Handle(), ViewTimerId(timer));
}

void THtmlPane::Post(TViewTask task) {
  ::PostMessageA(Handle(), kViewTaskMessage, static_cast<WPARAM>(task), 0);
}

void THtmlPane::Busy(bool busy) {
  if (busy && busy_++ == 0)
    cursorBeforeBusy_ = ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
  else if (!busy && busy_ > 0 && --busy_ == 0)
    ::SetCursor(cursorBeforeBusy_);
}

void THtmlPane::CopyText(const std::string& text) {
  if (!::OpenClipboard(Handle())) return;
  ::EmptyClipboard();
  if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    if (char* target = static_cast<char*>(::GlobalLock(memory))) {
      std::copy(text.begin(), text.end(), target);
      target[text.size()] = '\0';
      ::GlobalUnlock(memory);
      if (!::SetClipboardData(CF_TEXT, memory)) ::GlobalFree(memory);
    } else {
      ::GlobalFree(memory);
    }
  }
  ::CloseClipboard();
}

void THtmlPane::ShowError(const std::string& text) {
  ::MessageBoxA(Handle(), text.c_str(), "", MB_OK | MB_ICONERROR);
}

TColor THtmlPane::SystemColor(int index) {
  return ::GetSysColor(index);
}

std::uint32_t THtmlPane::NowMilliseconds() {
  return ::GetTickCount();
}

}  // namespace htmlview
