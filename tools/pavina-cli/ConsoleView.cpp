#include "ConsoleView.h"

namespace pavina::cli {

void TConsoleView::SetStatusText(const std::string& text) {
  status_ = text;
  progress_.Status(text);
}

std::optional<std::string> TConsoleView::AskForPictureFile() {
  std::optional<std::string> path;
  path.swap(picture_);
  return path;
}

void TConsoleView::Show(const std::string& text) {
  progress_.Finish();
  messages_ << text << '\n' << std::flush;
  shown_.push_back(text);
}

}  // namespace pavina::cli
