#pragma once

#include "MessageLoop.h"
#include "Window.h"

enum class TModalResult { None, Ok, Cancel };

// A window of ours shown modally through the program's message loop, so that the
// application-wide hook sees its messages too. Its owner is disabled meanwhile; the
// owner's timers keep ticking.
class TModalForm : public TWindow {
public:
  explicit TModalForm(TMessageLoop& loop) : loop_(loop) {}

  TModalResult ShowModal(HWND owner);
  bool PreTranslateMessage(MSG& message) override;

protected:
  void EndModal(TModalResult result) { result_ = result; }
  // Called just before the window is shown.
  virtual void FormShow() {}

private:
  TMessageLoop& loop_;
  TModalResult result_ = TModalResult::None;
};
