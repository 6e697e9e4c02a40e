#include "ConsoleView.h"

namespace pavina::cli {

void TConsoleView::SetStatusText(const std::string& text) {
  status_ = text;
  progress_.Status(text);
}

void TConsoleView::Show(const std::string& text) {
  progress_.Finish();
  messages_ << text << '\n' << std::flush;
}

}  // namespace pavina::cli
