#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace pavina::cli {

// The status line and progress bar of the window, on a console: one line redrawn in place
// on a terminal, or plain lines (each status, then every tenth of the way) for a log.
class TProgressDisplay {
 public:
  enum class TStyle { Bar, Lines, Silent };

  TProgressDisplay(std::ostream& out, TStyle style) : out_(out), style_(style) {}

  void Status(const std::string& text);
  void Maximum(std::int32_t maximum);
  void Position(std::int32_t position);
  // Ends a bar's line, so that what follows starts on a line of its own.
  void Finish();
  // Whether the status texts reach the operator at all.
  bool ShowsStatus() const { return style_ != TStyle::Silent; }

 private:
  void Draw();

  std::ostream& out_;
  TStyle style_;
  std::string status_;
  std::int32_t maximum_ = 100;
  std::int32_t position_ = 0;
  bool positioned_ = false;  // a position came since the status text changed
  int lastTenth_ = 0;
  std::string drawn_;
};

// Percent done, 0 to 100; positions beyond the maximum count as done.
int ProgressPercent(std::int32_t maximum, std::int32_t position);

// "Sending...  [#########-----------]  45%", the bar `width` characters wide.
std::string ProgressBarText(const std::string& status, std::int32_t maximum, std::int32_t position,
                            int width);

}  // namespace pavina::cli
