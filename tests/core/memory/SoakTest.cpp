#include <random>
#include <type_traits>

#include "PictureFixture.h"
#include "SimulatedInserter.h"
#include "TestAllocator.h"

namespace pavina::core {

namespace {

// Uploads, one after another, to an inserter that misbehaves at random: silent, wrong or
// late answers, stray bytes before its answers, a line cut in the middle of an upload,
// Cancel pressed, polls and arrow keys arriving while events are processed. After each
// the program must be sound: nothing busy, Cancel forgotten, the controls given back, the
// upload over in bounded time, and the memory it holds no larger than after the first.
class Soak : public PictureFixture {
 protected:
  Soak() : inserter(serial, clock) {}
  void SetUp() override { OpenPort(); }

  // Forgets what the test doubles recorded, so that only the program's memory is measured.
  // Swapped with empty ones: assigning {} would keep their capacity.
  void ForgetRecordings() {
    const auto forget = [](auto& recording) {
      std::remove_reference_t<decltype(recording)>().swap(recording);
    };
    forget(view.log);
    forget(view.progressPositions);
    forget(view.retryMessages);
    forget(view.plainMessages);
    forget(serial.writes);
    forget(serial.calls);
    inserter.Model().TakeTranscript();
  }

  TSimulatedInserter inserter;
};

TEST_F(Soak, UploadsWithRandomFaultsAlwaysLeaveTheProgramSound) {
  constexpr int kUploads = 240;
  constexpr std::int32_t kWidth = 100, kHeight = 12;
  const std::uint32_t seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  const auto chance = [&](int percent) {
    return std::uniform_int_distribution<int>(0, 99)(random) < percent;
  };
  const auto between = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };

  pictures::TRaster logo(kWidth, kHeight);
  for (std::int32_t y = 0; y < kHeight; ++y)
    for (std::int32_t x = 0; x < kWidth; ++x)
      logo.WritePixel(x, y, static_cast<std::uint8_t>(x * 3), static_cast<std::uint8_t>(y * 20),
                      static_cast<std::uint8_t>(x ^ y));
  LoadImage(logo);
  const int lines = kHeight + 3;
  // The longest an upload may take: the clear's wait, two waits a line and the size's.
  const std::uint32_t longestMs = 30000 + static_cast<std::uint32_t>(lines) * 2100 + 2000 + 1000;

  int events = 0, cancelAt = -1;
  view.onProcessEvents = [&] {
    ++events;
    if (events == cancelAt) core.btCancelClick();
    if (chance(20)) core.tmReadyTimer();
    if (chance(20)) core.ArrowKeyDown(static_cast<TArrowKey>(between(0, 3)));
  };

  std::int64_t settledBytes = 0;
  int faultFree = 0, succeeded = 0;
  for (int upload = 0; upload < kUploads; ++upload) {
    SCOPED_TRACE("upload " + std::to_string(upload));
    sim::TInserterFaults faults;
    const auto target = [&] {
      const auto kind = static_cast<sim::TCommandKind>(between(0, 3));
      sim::TFaultTarget t{kind, {}};
      if (kind == sim::TCommandKind::LineHeader || kind == sim::TCommandKind::LineData)
        t.line = between(0, lines - 1);
      return t;
    };
    const int kind = between(0, 6);
    switch (kind) {
      case 0:
        break;
      case 1:
        faults.silent = true;
        break;
      case 2:
        faults.SetAckFault(target(), chance(50) ? sim::TAckFault::Missing : sim::TAckFault::Wrong);
        break;
      case 3:
        for (int i = between(1, 3); i > 0; --i)
          faults.strayBytes.push_back(static_cast<std::uint8_t>(between(0, 255)));
        break;
      case 4:
        faults.silenceAfterLines = between(0, lines - 1);  // the line is cut
        break;
      case 5:
        faults.SetDelay(target(), static_cast<std::uint32_t>(between(900, 1200)));
        break;
      case 6:
        cancelAt = between(1, 3 * lines);
        break;
    }
    const bool clean = faults.silent == false && faults.ackFaults.empty() &&
                       faults.strayBytes.empty() && !faults.silenceAfterLines &&
                       faults.delays.empty() && cancelAt < 0;
    inserter.Faults() = faults;
    events = 0;
    const std::uint32_t uploadsBefore = inserter.Model().UploadsCompleted();
    const std::uint32_t start = clock.Now();

    core.btSaveClick();

    ASSERT_FALSE(core.FBusy);
    ASSERT_FALSE(core.FCancel);
    ASSERT_FALSE(core.FPositioning);
    ASSERT_TRUE(view.taggedEnabled);
    ASSERT_FALSE(view.cancelEnabled);
    ASSERT_LE(clock.Now() - start, longestMs);
    if (clean) {
      ++faultFree;
      EXPECT_EQ(view.retryMessages, std::vector<std::string>{});
      EXPECT_EQ(inserter.Model().UploadsCompleted(), uploadsBefore + 1);
    }
    if (inserter.Model().UploadsCompleted() > uploadsBefore) ++succeeded;

    // The operator reads the outcome before pressing Send again; meanwhile the timer ticks.
    cancelAt = -1;
    clock.Advance(static_cast<std::uint32_t>(between(1000, 3000)));
    inserter.Faults() = sim::TInserterFaults{};
    core.tmReadyTimer();
    ForgetRecordings();
    if (upload == 20) settledBytes = LiveAllocatedBytes();
  }
  EXPECT_GT(faultFree, 0);
  EXPECT_GT(succeeded, faultFree / 2);
  // The model keeps one position record an upload; everything else must be as it was.
  EXPECT_LE(LiveAllocatedBytes() - settledBytes, 16 * 1024);
}

}  // namespace

}  // namespace pavina::core
