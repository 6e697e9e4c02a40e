#pragma once

#include "win32/HtmlPane.h"

namespace htmlview {

// The control's child windows. The border panel covers the control and draws only the
// focus or single border; the paint panel shows the view and hands its paint, mouse and
// cursor messages to the control.

class THtmlPane::TBorderPanel final : public TViewerWindow {
 public:
  explicit TBorderPanel(THtmlPane& pane);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  THtmlPane& pane_;
};

class THtmlPane::TPaintPanel final : public TViewerWindow {
 public:
  explicit TPaintPanel(THtmlPane& pane);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  THtmlPane& pane_;
};

}  // namespace htmlview
