#pragma once

#include "view/HtmlView.h"

namespace htmlview {

// Processing is on while it lives, and the host shows that it is busy; both end however
// the work ends.
class THtmlView::TProcessingScope {
 public:
  explicit TProcessingScope(THtmlView& view) : view_(view) {
    view_.host_.Busy(true);
    view_.SetProcessing(true);
  }
  ~TProcessingScope() {
    view_.SetProcessing(false);
    view_.host_.Busy(false);
  }
  TProcessingScope(const TProcessingScope&) = delete;
  TProcessingScope& operator=(const TProcessingScope&) = delete;

 private:
  THtmlView& view_;
};

}  // namespace htmlview
