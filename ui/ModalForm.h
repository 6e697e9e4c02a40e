#pragma once

#include "MessageLoop.h"
#include "Window.h"

namespace pavina::ui {

enum class TModalResult { None, Ok, Cancel };

// A window of ours shown modally through the program's message loop, so that the
// application-wide hook sees its messages too. Its owner is disabled meanwhile; the
// owner's timers keep ticking.
class TModalForm : public TWindow {
 public:
  // defaultButtonId: the button that Enter presses; closeResult: the result of the close box.
  TModalForm(TMessageLoop& loop, int defaultButtonId, TModalResult closeResult)
      : loop_(loop), defaultButtonId_(defaultButtonId), closeResult_(closeResult) {}

  TModalResult ShowModal(HWND owner);
  bool PreTranslateMessage(MSG& message) override;

 protected:
  void EndModal(TModalResult result) { result_ = result; }
  // Called just before the window is shown.
  virtual void FormShow() {}
  // The close box and the dialog manager's question for the default button.
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TMessageLoop& loop_;
  int defaultButtonId_;
  TModalResult closeResult_;
  TModalResult result_ = TModalResult::None;
};

}  // namespace pavina::ui
