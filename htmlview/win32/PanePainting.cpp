// The control's child panels, their messages, and the painting: one off-screen bitmap
// per paint, the size of the clip rectangle, so that the page never flickers.
#include <algorithm>

#include "document/SectionList.h"
#include "images/Dib.h"
#include "win32/DibBlit.h"
#include "win32/GdiObjects.h"
#include "win32/PaneDropTarget.h"
#include "win32/PaneMessages.h"
#include "win32/PaneWindows.h"
#include "win32/ViewerResources.h"

namespace htmlview {

namespace {
constexpr const char* kBorderClass = "THtmlBorderPanel";
constexpr const char* kPaintClass = "TPaintPanel";
constexpr int kTileBlockSide = 128;  // background tiles are blitted in blocks this large

void FillPlain(HDC dc, const RECT& rect, TColor color) {
  ::SetBkColor(dc, color & 0xFFFFFF);
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

int PositiveModulo(int value, int modulus) {
  const int remainder = value % modulus;
  return remainder < 0 ? remainder + modulus : remainder;
}
}  // namespace

// ----- The border panel -----

THtmlPane::TBorderPanel::TBorderPanel(THtmlPane& pane) : pane_(pane) {
  RegisterViewerClass(kBorderClass, 0, ::GetSysColorBrush(COLOR_BTNFACE));
  CreateHandle(0, kBorderClass, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, pane.Width(),
               pane.Height(), pane.Handle());
  // Beneath its siblings, so that it paints only the frame and corners they leave.
  ::SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT THtmlPane::TBorderPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(Handle(), &paint);
    RECT r{};
    ::GetClientRect(Handle(), &r);
    const bool single =
        pane_.View().BorderStyle() == THTMLBorderStyle::htSingle ||
        (pane_.View().BorderStyle() == THTMLBorderStyle::htFocused && pane_.HasFocusInside());
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    if (single) ::FrameRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::EndPaint(Handle(), &paint);
    return 0;
  }
  if (message == WM_LBUTTONDOWN) ::SetFocus(pane_.Handle());
  return DefaultHandling(message, wParam, lParam);
}

bool THtmlPane::HasFocusInside() const {
  HWND focus = ::GetFocus();
  return focus && (focus == Handle() || ::IsChild(Handle(), focus));
}

void THtmlPane::DrawBorder() {
  if (borderPanel_ && borderPanel_->Handle())
    ::InvalidateRect(borderPanel_->Handle(), nullptr, FALSE);
}

// ----- The paint panel -----

THtmlPane::TPaintPanel::TPaintPanel(THtmlPane& pane) : pane_(pane) {
  RegisterViewerClass(kPaintClass, CS_DBLCLKS, nullptr);
  CreateHandle(0, kPaintClass, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 1, 1,
               pane.Width() - 2, pane.Height() - 2, pane.Handle());
  ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT THtmlPane::TPaintPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Until the control has its view, the panel is still being made.
  const LRESULT handled = pane_.view_ ? pane_.PanelMessage(message, wParam, lParam) : -1;
  return handled >= 0 ? handled : DefaultHandling(message, wParam, lParam);
}

// The paint panel's messages: -1 for those it leaves to the default handling.
LRESULT THtmlPane::PanelMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  const TShiftState keys = static_cast<TShiftState>(wParam);
  HWND panel = paintPanel_->Handle();
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = ::BeginPaint(panel, &paint);
      try {
        PaintPanel(dc, paint.rcPaint);
      } catch (...) {
        ::EndPaint(panel, &paint);
        throw;
      }
      ::EndPaint(panel, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      ::SetFocus(Handle());
      view_->MouseDown(message == WM_LBUTTONDOWN   ? TMouseButton::mbLeft
                       : message == WM_RBUTTONDOWN ? TMouseButton::mbRight
                                                   : TMouseButton::mbMiddle,
                       keys, x, y);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      view_->MouseUp(message == WM_LBUTTONUP   ? TMouseButton::mbLeft
                     : message == WM_RBUTTONUP ? TMouseButton::mbRight
                                               : TMouseButton::mbMiddle,
                     keys, x, y);
      return 0;
    case WM_MOUSEMOVE:
      view_->MouseMove(keys, x, y);
      return 0;
    case WM_LBUTTONDBLCLK:
      view_->DoubleClick(keys, x, y);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != panel) view_->CaptureLost();
      return 0;
    case WM_DESTROY:
      // OLE lets go of the window while it still exists.
      if (dropTarget_) dropTarget_->Revoke();
      return -1;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) return -1;
      ::SetCursor(TViewerResources::Get().Cursor(view_->PanelCursor()));
      return TRUE;
    case WM_COMMAND:
      return TWin32ControlHost::HandleCommand(wParam, lParam) ? 0 : -1;
    default:
      return -1;
  }
}

// ----- Painting -----

void THtmlPane::PaintPanel(HDC dc, const RECT& clip) {
  if (!view_ || !view_->CanPaint()) return;
  DrawBorder();
  const int width = clip.right - clip.left, height = clip.bottom - clip.top;
  if (width <= 0 || height <= 0) return;
  TOffscreen offscreen(dc, width, height);
  if (!offscreen.Ready()) throw EOutOfResources();
  HDC mem = offscreen.DC();
  HPALETTE palette = TViewerResources::Get().Palette();
  HPALETTE memPaletteBefore = nullptr, screenPaletteBefore = nullptr;
  if (palette) {
    memPaletteBefore = ::SelectPalette(mem, palette, FALSE);
    ::RealizePalette(mem);
    screenPaletteBefore = ::SelectPalette(dc, palette, FALSE);
    ::RealizePalette(dc);
  }

  // The background in panel pixels, then the document in its own: its top at the scroll
  // position.
  ::SetViewportOrgEx(mem, -clip.left, -clip.top, nullptr);
  PaintBackground(mem, clip);
  const int yOff = view_->VerticalPosition();
  ::SetViewportOrgEx(mem, -clip.left, -clip.top - yOff, nullptr);
  canvas_.Attach(mem);
  controlHost_->SetScrollOffset(yOff);
  try {
    view_->DrawDocument(TPixelRect{clip.left, clip.top, clip.right, clip.bottom});
  } catch (...) {
    canvas_.Detach();
    throw;
  }
  canvas_.Detach();
  ::SetViewportOrgEx(mem, 0, 0, nullptr);
  ::BitBlt(dc, clip.left, clip.top, width, height, mem, 0, 0, SRCCOPY);

  if (palette) {
    ::SelectPalette(mem, memPaletteBefore, FALSE);
    ::SelectPalette(dc, screenPaletteBefore, FALSE);
  }
}

void THtmlPane::PaintBackground(HDC dc, const RECT& clip) {
  const TSectionList& document = view_->Document();
  const TColor background = view_->BackgroundColor();
  const TDIB* image = document.BackgroundBitmap.get();
  const TDIB* mask = document.BackgroundMask.get();
  if (!view_->ViewImages() || !image || image->Empty()) {
    FillPlain(dc, clip, background);
    return;
  }
  // Tiles from an origin that moves with the view, blitted in blocks of several tiles
  // made once for this paint.
  const int w = image->Width(), h = image->Height();
  SIZE block{}, maskBlock{};
  TOwnedBitmap tile(MakeTileBlock(dc, *image, kTileBlockSide, block, background));
  TOwnedBitmap tileMask(mask ? MakeTileBlock(dc, *mask, kTileBlockSide, maskBlock) : nullptr);
  if (!tile.Get() || (mask && !tileMask.Get())) {
    FillPlain(dc, clip, background);
    return;
  }
  if (mask) FillPlain(dc, clip, background);
  const int x0 = clip.left - PositiveModulo(clip.left + view_->HorizontalPosition(), w);
  const int y0 = clip.top - PositiveModulo(clip.top + view_->VerticalPosition(), h);
  for (int y = y0; y < clip.bottom; y += block.cy)
    for (int x = x0; x < clip.right; x += block.cx)
      DrawBitmap(dc, x, y, tile.Get(), tileMask.Get());
}

}  // namespace htmlview
