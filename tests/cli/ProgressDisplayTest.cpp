#include <gtest/gtest.h>

#include <sstream>

#include "ProgressDisplay.h"

namespace pavina::cli {

namespace {

TEST(ProgressDisplay, BarText) {
  EXPECT_EQ(ProgressBarText("Sending...", 10, 0, 10), "Sending...  [----------]    0%");
  EXPECT_EQ(ProgressBarText("Sending...", 10, 5, 10), "Sending...  [#####-----]   50%");
  // The blank lines after the image run past the maximum: still full, never more.
  EXPECT_EQ(ProgressBarText("Sending...", 10, 13, 10), "Sending...  [##########]  100%");
  EXPECT_EQ(ProgressBarText("Creating...", 0, 0, 4), "Creating...  [----]    0%");
  EXPECT_EQ(ProgressPercent(30000, 29999), 99);
  EXPECT_EQ(ProgressPercent(0, 1), 100);
  EXPECT_EQ(ProgressPercent(100, -5), 0);
}

// A log gets each status once and a line every tenth of the way, however often the
// position is set (a wait sets it on every pass).
TEST(ProgressDisplay, LinesForALog) {
  std::ostringstream out;
  TProgressDisplay progress(out, TProgressDisplay::TStyle::Lines);
  progress.Status("Unit Ready");
  progress.Status("Creating...");
  progress.Maximum(3);
  for (int y = 0; y <= 3; ++y) progress.Position(y);
  progress.Position(0);
  progress.Status("Sending...");
  progress.Maximum(1000);
  for (int i = 0; i < 3; ++i)
    for (int p = 0; p <= 250; ++p) progress.Position(p);
  progress.Finish();
  EXPECT_EQ(out.str(),
            "Unit Ready\nCreating...\nCreating... 30%\nCreating... 60%\nCreating... 100%\n"
            "Sending...\nSending... 10%\nSending... 20%\n");
}

// A terminal gets one line, redrawn only when it changes, blanked where a longer text was,
// and ended before anything else is printed.
TEST(ProgressDisplay, OneLineOnATerminal) {
  std::ostringstream out;
  TProgressDisplay progress(out, TProgressDisplay::TStyle::Bar);
  progress.Status("Logo Inserter Simulator Ready");
  progress.Status("Sending...");
  progress.Maximum(2);
  progress.Position(1);
  progress.Position(1);
  progress.Finish();
  const std::string bar = ProgressBarText("Sending...", 2, 1, 30);
  const std::size_t left = std::string("Logo Inserter Simulator Ready").size() - 10;
  EXPECT_EQ(out.str(), "\rLogo Inserter Simulator Ready\rSending..." + std::string(left, ' ') +
                           std::string(left, '\b') + "\r" + bar + "\n");
}

TEST(ProgressDisplay, SilentPrintsNothing) {
  std::ostringstream out;
  TProgressDisplay progress(out, TProgressDisplay::TStyle::Silent);
  progress.Status("Sending...");
  progress.Position(5);
  progress.Finish();
  EXPECT_EQ(out.str(), "");
}

}  // namespace

}  // namespace pavina::cli
