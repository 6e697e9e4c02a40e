#include "ChildControl.h"

#include <string>

namespace pavina::ui {

HWND CreateChildControl(HWND parent, const char* className, const char* text, DWORD style,
                        DWORD exStyle, int left, int top, int width, int height, int id,
                        HFONT font) {
  HWND control = ::CreateWindowExA(
      exStyle, className, text, WS_CHILD | style, left, top, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
  if (control && font) ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void SetAutoSizedText(HWND staticText, const char* text) {
  ::SetWindowTextA(staticText, text);
  HDC dc = ::GetDC(staticText);
  HGDIOBJ old =
      ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(staticText, WM_GETFONT, 0, 0)));
  RECT bounds{0, 0, 0, 0};
  ::DrawTextA(dc, text, -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
  ::SelectObject(dc, old);
  ::ReleaseDC(staticText, dc);
  RECT current{};
  ::GetWindowRect(staticText, &current);
  // A little room beyond the measured text: the control clips its last glyph otherwise.
  constexpr int kSlack = 2;
  ::SetWindowPos(staticText, nullptr, 0, 0, bounds.right - bounds.left + kSlack,
                 current.bottom - current.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(staticText, nullptr, TRUE);
}

void EnableControl(HWND control, bool enabled) {
  if (!enabled && ::GetFocus() == control) {
    HWND root = ::GetAncestor(control, GA_ROOT);
    HWND next = ::GetNextDlgTabItem(root, control, FALSE);
    ::SetFocus(next && next != control ? next : root);
  }
  ::EnableWindow(control, enabled ? TRUE : FALSE);
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  const int length = ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return text;
}

}  // namespace pavina::ui
