#include "ModalForm.h"

namespace pavina::ui {

TModalResult TModalForm::ShowModal(HWND owner) {
  result_ = TModalResult::None;
  FormShow();
  if (owner) ::EnableWindow(owner, FALSE);
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  loop_.RunModal([this] { return result_ != TModalResult::None || !Handle(); });
  // The owner comes back before this window hides, so that the focus returns to it.
  if (owner) {
    ::EnableWindow(owner, TRUE);
    ::SetActiveWindow(owner);
  }
  if (Handle()) ::ShowWindow(Handle(), SW_HIDE);
  return result_ == TModalResult::None ? TModalResult::Cancel : result_;
}

bool TModalForm::PreTranslateMessage(MSG& message) {
  return ::IsDialogMessageA(Handle(), &message) != 0;
}

LRESULT TModalForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      EndModal(closeResult_);
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(defaultButtonId_, DC_HASDEFID);
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace pavina::ui
