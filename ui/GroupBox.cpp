#include "GroupBox.h"

#include "ChildControl.h"

namespace pavina::ui {

namespace {
constexpr const char* kClassName = "TGroupBox";
constexpr int kCaptionIndent = 8;
}  // namespace

TGroupBox::TGroupBox(HWND parent, const char* caption, int left, int top, int width, int height,
                     int id, HFONT font) {
  RegisterWindowClass(kClassName, COLOR_BTNFACE, nullptr);
  CreateHandle(WS_EX_CONTROLPARENT, kClassName, caption, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
               left, top, width, height, parent);
  ::SetWindowLongPtrA(Handle(), GWLP_ID, id);
  ::SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

LRESULT TGroupBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      ::InvalidateRect(Handle(), nullptr, TRUE);
      return result;
    }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
      return ::SendMessageA(::GetAncestor(Handle(), GA_ROOT), message, wParam, lParam);
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

void TGroupBox::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(Handle(), &ps);
  HGDIOBJ oldFont = ::SelectObject(dc, font_);
  const std::string caption = WindowText(Handle());
  const int length = static_cast<int>(caption.size());
  SIZE text{0, 0};
  ::GetTextExtentPoint32A(dc, caption.data(), length, &text);

  RECT frame{};
  ::GetClientRect(Handle(), &frame);
  frame.top += text.cy / 2;
  ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

  if (length > 0) {
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::SetTextColor(dc,
                   ::GetSysColor(::IsWindowEnabled(Handle()) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    ::TextOutA(dc, kCaptionIndent, 0, caption.data(), length);
  }
  ::SelectObject(dc, oldFont);
  ::EndPaint(Handle(), &ps);
}

}  // namespace pavina::ui
