#include "PlainMessage.h"

#include <algorithm>

#include "ChildControl.h"
#include "GeneralErrorReport.h"

namespace pavina::ui {

namespace {
constexpr const char* kClassName = "TMessageForm";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kMargin = 8, kGap = 25, kButtonWidth = 75, kButtonHeight = 25;
constexpr int kMinTextWidth = 150, kMaxTextWidth = 400;
constexpr int kIdText = 100;

SIZE TextSize(HFONT font, const std::string& text) {
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, font);
  RECT bounds{0, 0, kMaxTextWidth, 0};
  ::DrawTextA(dc, text.c_str(), -1, &bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}
}  // namespace

TPlainMessage::TPlainMessage(TMessageLoop& loop, HFONT font, const std::string& text)
    : TModalForm(loop, IDOK, TModalResult::Ok) {
  RegisterWindowClass(kClassName, COLOR_BTNFACE, nullptr);
  const SIZE textSize = TextSize(font, text);
  const int clientWidth = std::max<int>(textSize.cx, kMinTextWidth) + 2 * kMargin;
  const int clientHeight = kMargin + textSize.cy + kGap + kButtonHeight + kMargin;
  const SIZE outer = OuterSizeForClient(clientWidth, clientHeight, kStyle, kExStyle);
  const POINT at = CentredOnScreen(outer);
  CreateHandle(kExStyle, kClassName, ProgramTitle().c_str(), kStyle, at.x, at.y, outer.cx, outer.cy,
               nullptr);
  CreateChildControl(Handle(), "STATIC", text.c_str(), WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                     kMargin, kMargin, textSize.cx, textSize.cy, kIdText, font);
  HWND ok =
      CreateChildControl(Handle(), "BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
                         (clientWidth - kButtonWidth) / 2, clientHeight - kMargin - kButtonHeight,
                         kButtonWidth, kButtonHeight, IDOK, font);
  ::SetFocus(ok);
}

LRESULT TPlainMessage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND) return TModalForm::HandleMessage(message, wParam, lParam);
  // OK, Enter and Escape all close it.
  if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndModal(TModalResult::Ok);
  return 0;
}

}  // namespace pavina::ui
