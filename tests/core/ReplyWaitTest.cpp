#include "CoreFixture.h"

namespace pavina::core {

namespace {

class ReplyWait : public CoreFixture {
 protected:
  void SetUp() override { OpenPort(); }
};

TEST_F(ReplyWait, TheExpectedFirstByteSucceedsAndTheRestIsDropped) {
  serial.Deliver({0x26, 0x41, 0x42});
  EXPECT_TRUE(core.WaitReply(0x26, 30000, false, false));
  TBytes rest;
  core.ReadAvailable(rest);
  EXPECT_TRUE(rest.empty());
}

TEST_F(ReplyWait, AZeroByteIsAReply) {
  serial.Deliver({0x00});
  EXPECT_TRUE(core.WaitReply(0x00, 1000, false, false));
  serial.Deliver({0x00});
  EXPECT_FALSE(core.WaitReply(0x27, 1000, false, false));
}

TEST_F(ReplyWait, AWrongFirstByteEndsTheWaitAtOnce) {
  const std::uint32_t start = clock.Now();
  serial.Deliver({0x27, 0x26}, start + 5);
  EXPECT_FALSE(core.WaitReply(0x26, 30000, false, false));
  EXPECT_LT(clock.Now() - start, 20u);
}

TEST_F(ReplyWait, AByteThatComesLateButInTimeIsTaken) {
  serial.Deliver({0x13}, clock.Now() + 999);
  EXPECT_TRUE(core.WaitReply(0x13, 1000, false, false));
  serial.Deliver({0x13}, clock.Now() + 1500);
  EXPECT_FALSE(core.WaitReply(0x13, 1000, false, false));
  // The late byte stays in the port for the next read.
  clock.Advance(1000);
  TBytes late;
  core.ReadAvailable(late);
  EXPECT_EQ(late, TBytes{0x13});
}

TEST_F(ReplyWait, TheTimeoutIsStrictAndMeasuredFromTheStart) {
  // One tick read per pass without progress: the pass whose elapsed time equals the
  // time-out runs, the next one (elapsed > time-out) leaves.
  const std::uint32_t start = clock.Now();
  EXPECT_FALSE(core.WaitReply(0x26, 100, false, false));
  const std::uint32_t waited = clock.Now() - start;
  EXPECT_GE(waited, 101u);
  EXPECT_LE(waited, 103u);
}

TEST_F(ReplyWait, TimeoutZeroPollsUntilTheCounterMovesOn) {
  clock.SetStep(0);
  int passes = 0;
  serial.onWrite = nullptr;
  view.onProcessEvents = [&] {
    if (++passes == 5) clock.Advance(1);
  };
  EXPECT_FALSE(core.WaitReply(0x26, 0, false, true));
  EXPECT_EQ(passes, 5);

  // A byte that arrives while the counter has not moved still counts.
  passes = 0;
  view.onProcessEvents = [&] {
    if (++passes == 3) serial.Deliver({0x26});
  };
  EXPECT_TRUE(core.WaitReply(0x26, 0, false, true));
}

TEST_F(ReplyWait, ANegativeTimeoutMakesExactlyOnePass) {
  view.onProcessEvents = [&] { serial.Deliver({0x26}, clock.Now() + 1000); };
  EXPECT_FALSE(core.WaitReply(0x26, -1, false, true));
  EXPECT_EQ(view.eventsProcessed, 1);
  EXPECT_FALSE(core.WaitReply(0x26, INT32_MIN, false, true));
  EXPECT_EQ(view.eventsProcessed, 2);
  serial.Deliver({0x26});
  clock.Advance(1000);
  EXPECT_TRUE(core.WaitReply(0x26, -5, false, false));
}

TEST_F(ReplyWait, CancelBeforeTheWaitEndsItAfterOnePassUnlessAByteIsWaiting) {
  core.FCancel = true;
  const std::uint32_t start = clock.Now();
  EXPECT_FALSE(core.WaitReply(0x26, 30000, false, false));
  EXPECT_LT(clock.Now() - start, 5u);
  EXPECT_TRUE(core.FCancel);  // the wait does not clear it

  serial.Deliver({0x26});
  EXPECT_TRUE(core.WaitReply(0x26, 30000, false, false));
}

TEST_F(ReplyWait, CancelDuringTheWaitIsSeenAfterTheEventsAreProcessed) {
  int passes = 0;
  view.onProcessEvents = [&] {
    if (++passes == 50) core.btCancelClick();
  };
  EXPECT_FALSE(core.WaitReply(0x26, 30000, true, true));
  EXPECT_EQ(passes, 50);
  EXPECT_TRUE(core.FCancel);

  // A byte already in decides, even with Cancel pressed in the same pass.
  passes = 0;
  core.FCancel = false;
  view.onProcessEvents = [&] {
    if (++passes == 10) {
      core.btCancelClick();
      serial.Deliver({0x26});
    }
  };
  // The byte arrives after this pass's read: Cancel ends the wait first.
  EXPECT_FALSE(core.WaitReply(0x26, 30000, false, true));
  core.FCancel = true;
  EXPECT_TRUE(core.WaitReply(0x26, 30000, false, true));
}

TEST_F(ReplyWait, ProgressShowsTheTimeoutAndTheElapsedTimeAndEndsAtZero) {
  serial.Deliver({0x26}, clock.Now() + 300);
  EXPECT_TRUE(core.WaitReply(0x26, 30000, true, true));
  EXPECT_EQ(view.progressMax, 30000);
  ASSERT_GE(view.progressPositions.size(), 3u);
  EXPECT_EQ(view.progressPositions.front(), 0);
  EXPECT_EQ(view.progressPositions.back(), 0);
  const auto peak = *std::max_element(view.progressPositions.begin(), view.progressPositions.end());
  EXPECT_GE(peak, 299);
  EXPECT_LE(peak, 302);
  EXPECT_TRUE(std::is_sorted(view.progressPositions.begin() + 1, view.progressPositions.end() - 1));

  // Without an indicator nothing of the progress is touched.
  view.progressPositions.clear();
  view.log.clear();
  EXPECT_FALSE(core.WaitReply(0x26, 10, false, false));
  EXPECT_TRUE(view.progressPositions.empty());
  EXPECT_TRUE(view.log.empty());
}

TEST_F(ReplyWait, EventsAreProcessedOnlyWhenAskedAndOncePerPass) {
  EXPECT_FALSE(core.WaitReply(0x26, 50, false, false));
  EXPECT_EQ(view.eventsProcessed, 0);
  clock.SetStep(1);
  EXPECT_FALSE(core.WaitReply(0x26, 50, false, true));
  EXPECT_GE(view.eventsProcessed, 50);
  EXPECT_LE(view.eventsProcessed, 53);
}

TEST_F(ReplyWait, AWrapOfTheTickCounterDoesNoHarm) {
  TVirtualClock wrapping(0xFFFFFF00u);
  TFakeSerial port(wrapping);
  THeadlessView v;
  TLogoCore k(v, port, wrapping);
  k.OpenPort(1);
  const std::uint32_t start = wrapping.Now();
  EXPECT_FALSE(k.WaitReply(0x26, 1000, false, false));
  EXPECT_GE(wrapping.Now() - start, 1001u);
  EXPECT_LE(wrapping.Now() - start, 1003u);
  EXPECT_LT(wrapping.Now(), 0x1000u);  // it did wrap

  port.Deliver({0x26}, wrapping.Now() + 200);
  EXPECT_TRUE(k.WaitReply(0x26, 1000, false, false));
}

TEST_F(ReplyWait, AClosedPortWaitsTheFullTimeAndFails) {
  core.ClosePort();
  const std::uint32_t start = clock.Now();
  EXPECT_FALSE(core.WaitReply(0x26, 30000, true, true));
  EXPECT_GT(clock.Now() - start, 30000u);
}

}  // namespace

}  // namespace pavina::core
