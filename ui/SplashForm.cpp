#include "SplashForm.h"

#include <cstring>

#include "Resources.h"

namespace pavina::ui {

namespace {
constexpr const char* kClassName = "TSplashForm";
constexpr int kFrameWidth = 3;
constexpr int kDesignClientWidth = 368, kDesignClientHeight = 283;
constexpr int kLabelPoints = 10;
constexpr COLORREF kLabelColour = RGB(0, 0, 128);  // navy

struct TLabel {
  int left, top;
  const char* text;
};
constexpr TLabel kLabels[] = {{136, 8, "Pavina"}, {8, 112, "Pavina Video"}};
}  // namespace

TSplashForm::TSplashForm() : labelFont_(kWindowFontFace, kLabelPoints, true) {
  RegisterWindowClass(kClassName, COLOR_HIGHLIGHT, nullptr);
  picture_ = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                               MAKEINTRESOURCEA(kSplashBitmapId), IMAGE_BITMAP, 0,
                                               0, LR_CREATEDIBSECTION));
  BITMAP info{};
  if (picture_ && ::GetObjectA(picture_, sizeof(info), &info)) {
    pictureSize_.cx = info.bmWidth;
    pictureSize_.cy = info.bmHeight;
  }
  CreateHandle(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0,
               kDesignClientWidth + 2 * kFrameWidth, kDesignClientHeight + 2 * kFrameWidth,
               nullptr);
  FormCreate();
}

TSplashForm::~TSplashForm() {
  if (picture_) ::DeleteObject(picture_);
}

// Sizes the window to its picture.
void TSplashForm::FormCreate() {
  const POINT at = CentredOnScreen(pictureSize_);
  ::SetWindowPos(Handle(), HWND_TOP, at.x, at.y, pictureSize_.cx, pictureSize_.cy, SWP_NOACTIVATE);
}

void TSplashForm::ShowAndPaint() {
  ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  ::UpdateWindow(Handle());
  ::RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT TSplashForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCALCSIZE: {
      // The frame lies inside the outer size.
      auto* rect = reinterpret_cast<RECT*>(lParam);
      ::InflateRect(rect, -kFrameWidth, -kFrameWidth);
      return 0;
    }
    case WM_NCPAINT:
      PaintFrame();
      return 0;
    case WM_NCACTIVATE:
      return TRUE;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATEANDEAT;  // it never takes input
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

void TSplashForm::PaintFrame() {
  HDC dc = ::GetWindowDC(Handle());
  RECT outer{};
  ::GetWindowRect(Handle(), &outer);
  ::OffsetRect(&outer, -outer.left, -outer.top);
  RECT inner = outer;
  ::InflateRect(&inner, -kFrameWidth, -kFrameWidth);
  ::ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
  ::FillRect(dc, &outer, ::GetSysColorBrush(COLOR_WINDOW));
  ::ReleaseDC(Handle(), dc);
}

void TSplashForm::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(Handle(), &ps);
  if (picture_) {
    HDC pictureDc = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(pictureDc, picture_);
    ::BitBlt(dc, 0, 0, pictureSize_.cx, pictureSize_.cy, pictureDc, 0, 0, SRCCOPY);
    ::SelectObject(pictureDc, old);
    ::DeleteDC(pictureDc);
  }
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kLabelColour);
  HGDIOBJ oldFont = ::SelectObject(dc, labelFont_.Handle());
  for (const TLabel& label : kLabels)
    ::TextOutA(dc, label.left, label.top, label.text, static_cast<int>(std::strlen(label.text)));
  ::SelectObject(dc, oldFont);
  ::EndPaint(Handle(), &ps);
}

}  // namespace pavina::ui
