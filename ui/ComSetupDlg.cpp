#include "ComSetupDlg.h"

#include <vector>

#include "ChildControl.h"
#include "ComPortList.h"

namespace pavina::ui {

namespace {
constexpr const char* kClassName = "TComSetupDlg";
constexpr const char* kCaption = "Com Port Setup";
constexpr int kClientWidth = 252, kClientHeight = 140;
constexpr int kScreenLeft = 274, kScreenTop = 276;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// Enter presses OK (the dialog manager asks for IDOK); Escape's IDCANCEL is bound to no
// button, so btCancel has an id of its own.
constexpr int kIdOk = IDOK, kIdCancel = 3, kIdPort = 4, kIdMessage = 5;
constexpr int kDropDownHeight = 160;
}  // namespace

TComSetupDlg::TComSetupDlg(TMessageLoop& loop, core::TSerialApi& serial, HWND owner, HFONT font)
    : TModalForm(loop, kIdOk, TModalResult::Cancel), serial_(serial) {
  RegisterWindowClass(kClassName, COLOR_BTNFACE, nullptr);
  const SIZE outer = OuterSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle);
  CreateHandle(kExStyle, kClassName, kCaption, kStyle, kScreenLeft, kScreenTop, outer.cx, outer.cy,
               owner);
  cbPort_ =
      CreateChildControl(Handle(), "COMBOBOX", "",
                         WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
                         16, 56, 97, 21 + kDropDownHeight, kIdPort, font);
  btOK_ = CreateChildControl(Handle(), "BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                             0, 168, 56, 75, 25, kIdOk, font);
  btCancel_ =
      CreateChildControl(Handle(), "BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                         168, 88, 75, 25, kIdCancel, font);
  paMsg_ = CreateChildControl(Handle(), "STATIC", "", WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE,
                              WS_EX_STATICEDGE, 16, 8, 217, 33, kIdMessage, font);
}

void TComSetupDlg::SetMessage(const std::string& text) {
  ::SetWindowTextA(paMsg_, text.c_str());
}

void TComSetupDlg::FormShow() {
  ::SendMessageA(cbPort_, CB_RESETCONTENT, 0, 0);
  ::SetWindowTextA(cbPort_, "");
  const std::vector<std::string> entries =
      FreePortEntries([this](std::uint16_t port) { return ProbeComPort(serial_, port); });
  for (const std::string& entry : entries)
    ::SendMessageA(cbPort_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  if (!entries.empty()) ::SendMessageA(cbPort_, CB_SETCURSEL, 0, 0);
  ::SetFocus(cbPort_);
}

std::int32_t TComSetupDlg::GetSelectedPort() const {
  const LRESULT selected = ::SendMessageA(cbPort_, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) return 0;
  const LRESULT length = ::SendMessageA(cbPort_, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
  if (length == CB_ERR) return 0;
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  ::SendMessageA(cbPort_, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                 reinterpret_cast<LPARAM>(text.data()));
  return PortFromListEntry(text.data());
}

LRESULT TComSetupDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND) return TModalForm::HandleMessage(message, wParam, lParam);
  if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdOk) EndModal(TModalResult::Ok);
  if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdCancel) EndModal(TModalResult::Cancel);
  return 0;
}

}  // namespace pavina::ui
