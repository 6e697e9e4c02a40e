#include "ProgressDisplay.h"

#include <algorithm>

namespace pavina::cli {

namespace {
constexpr int kBarWidth = 30;
}

int ProgressPercent(std::int32_t maximum, std::int32_t position) {
  if (position <= 0) return 0;
  if (maximum <= 0 || position >= maximum) return 100;
  return static_cast<int>(std::int64_t{position} * 100 / maximum);
}

std::string ProgressBarText(const std::string& status, std::int32_t maximum, std::int32_t position,
                            int width) {
  const int percent = ProgressPercent(maximum, position);
  const int filled = percent * width / 100;
  std::string text = status + "  [" + std::string(static_cast<std::size_t>(filled), '#') +
                     std::string(static_cast<std::size_t>(width - filled), '-') + "]  ";
  const std::string number = std::to_string(percent) + "%";
  return text + std::string(4 - number.size(), ' ') + number;
}

void TProgressDisplay::Status(const std::string& text) {
  if (text == status_) return;
  status_ = text;
  position_ = 0;
  positioned_ = false;
  lastTenth_ = 0;
  if (style_ == TStyle::Lines) out_ << text << '\n' << std::flush;
  Draw();
}

void TProgressDisplay::Maximum(std::int32_t maximum) {
  maximum_ = maximum;
}

void TProgressDisplay::Position(std::int32_t position) {
  // Each step ends by setting the position back to 0; a finished bar stays as it was.
  if (position == 0 && position_ > 0 && style_ == TStyle::Bar) return;
  position_ = position;
  positioned_ = true;
  if (style_ == TStyle::Lines) {
    // Every tenth of the way once, however often the position is set.
    const int tenth = ProgressPercent(maximum_, position_) / 10;
    if (tenth > lastTenth_) {
      lastTenth_ = tenth;
      out_ << status_ << ' ' << tenth * 10 << "%\n" << std::flush;
    }
  }
  Draw();
}

void TProgressDisplay::Draw() {
  if (style_ != TStyle::Bar) return;
  const std::string text =
      positioned_ ? ProgressBarText(status_, maximum_, position_, kBarWidth) : status_;
  if (text == drawn_) return;  // the waits set the position thousands of times a second
  // Blanks over what a longer text left behind.
  const std::size_t clear = drawn_.size() > text.size() ? drawn_.size() - text.size() : 0;
  out_ << '\r' << text << std::string(clear, ' ') << std::string(clear, '\b') << std::flush;
  drawn_ = text;
}

void TProgressDisplay::Finish() {
  if (style_ == TStyle::Bar && !drawn_.empty()) out_ << '\n' << std::flush;
  drawn_.clear();
}

}  // namespace pavina::cli
