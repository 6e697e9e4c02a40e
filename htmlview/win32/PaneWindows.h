#pragma once

#include "win32/HtmlPane.h"

namespace htmlview {

// The control's child windows. The border panel covers the control and draws only the
// focus or single border; the paint panel shows the document and hands its paint, mouse
// and timer messages to the control.

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
  THtmlPane& Pane() const { return pane_; }
  // Runs the 50 ms animation timer exactly while the document has animated images.
  void UpdateAnimationTimer(bool wanted);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  THtmlPane& pane_;
  bool animating_ = false;
};

}  // namespace htmlview
