#include <gtest/gtest.h>

#include "HeadlessView.h"
#include "InserterTraffic.h"
#include "LogoCore.h"
#include "SimulatedInserter.h"
#include "WirePacing.h"

namespace pavina::sim {

namespace {

using core::inserter_traffic::PatternFrame;
using core::inserter_traffic::PatternPixel;
using core::inserter_traffic::Rgb;

// The core and the simulated inserter together, in virtual time.
class SimulatedInserterTest : public ::testing::Test {
 protected:
  SimulatedInserterTest() : serial(clock), core(view, serial, clock), inserter(serial, clock) {
    view.core = &core;
    core.OpenPort(2);
  }

  void LoadPattern(std::int32_t width, std::int32_t height) {
    core.FMaxX = width - 1;
    core.FMaxY = height - 1;
    core.FFrame = PatternFrame(width, height);
    core.FImageLoaded = true;
  }

  core::TVirtualClock clock;
  core::THeadlessView view;
  core::TFakeSerial serial;
  core::TLogoCore core;
  core::TSimulatedInserter inserter;
};

TEST_F(SimulatedInserterTest, AWholeUploadArrivesAsTheFrameWithSizeAndPosition) {
  LoadPattern(5, 4);
  view.x = 77;
  view.y = 88;
  core.UploadLogo();
  EXPECT_TRUE(view.retryMessages.empty());
  ASSERT_TRUE(inserter.Logo());
  const TReceivedLogo& logo = *inserter.Logo();
  EXPECT_EQ(logo.width, 5);
  EXPECT_EQ(logo.height, 4);
  EXPECT_TRUE(logo.sizeMatches);
  EXPECT_EQ(logo.x, 77);
  EXPECT_EQ(logo.y, 88);
  for (std::int32_t y = 0; y < 4; ++y) {
    for (std::int32_t x = 0; x < 5; ++x) {
      const auto p = PatternPixel(x, y);
      EXPECT_EQ(logo.key.ReadPixel(x, y) & 0xFF, p.k);
      EXPECT_EQ(logo.colour.ReadPixel(x, y), Rgb(p.r, p.g, p.b));
    }
  }
}

TEST_F(SimulatedInserterTest, InjectedFaultsReachTheOperatorAsTheirMessages) {
  LoadPattern(2, 5);
  inserter.Faults().SetAckFault({TCommandKind::LineHeader, 3}, TAckFault::Missing);
  core.UploadLogo();
  EXPECT_EQ(view.retryMessages, std::vector<std::string>{"Header Error, Line 3 ,Try Again"});
  EXPECT_FALSE(inserter.Logo());

  view.retryMessages.clear();
  inserter.Faults() = TInserterFaults{};
  inserter.Faults().SetDelay({TCommandKind::LineData, 6}, 1200);  // a blank line's data
  core.UploadLogo();
  EXPECT_EQ(view.retryMessages.front(), "Data Error, Line 6 ,Try Again");

  view.retryMessages.clear();
  inserter.Faults() = TInserterFaults{};
  inserter.Faults().SetAckFault({TCommandKind::Clear, {}}, TAckFault::Wrong);
  core.UploadLogo();
  EXPECT_EQ(view.retryMessages, std::vector<std::string>{"Clear Error ,Try Again"});
}

TEST_F(SimulatedInserterTest, StatusPollAndPositionMoves) {
  inserter.Model().SetStatusText("LI-100");
  core.tmReadyTimer();
  EXPECT_EQ(view.status, "LI-100 Ready");
  ASSERT_TRUE(core.FDeviceReady);
  view.x = 100;
  core.UpdatePosition();
  view.y = 21;
  core.UpdatePosition();
  EXPECT_EQ(inserter.Positions(), (std::vector<TReceivedPosition>{{100, 50}, {100, 21}}));

  inserter.Faults().statusLength = TStatusLength::Long;
  core.tmReadyTimer();
  EXPECT_EQ(view.status, "Logo Inserter Not Found");
  inserter.Faults().statusLength = TStatusLength::Normal;
  inserter.Faults().silent = true;
  core.tmReadyTimer();
  EXPECT_EQ(view.status, "Logo Inserter Not Found");
}

TEST_F(SimulatedInserterTest, APacedUploadTakesAtLeastItsTimeOnTheWire) {
  LoadPattern(16, 3);
  inserter.Faults().pacing = true;
  const std::uint32_t start = clock.Now();
  core.UploadLogo();
  EXPECT_TRUE(view.retryMessages.empty());
  ASSERT_TRUE(inserter.Logo());
  EXPECT_TRUE(inserter.Logo()->sizeMatches);
  // Every acknowledgement waits for the bytes before it: the upload cannot be over before
  // all that the core wrote has crossed the line.
  const std::uint64_t wireMs = wire_pacing::WireTimeUs(serial.AllWritten().size()) / 1000;
  EXPECT_GE(clock.Now() - start, wireMs);
}

}  // namespace

}  // namespace pavina::sim
