#include "FailingAllocator.h"
#include "PictureFixture.h"
#include "SimulatedInserter.h"

namespace {

// Sizes chosen so that one refusal threshold hits exactly one allocation: a 200 x 100
// picture has a 60000-byte raster, a 60054-byte bitmap file and an 80000-byte frame.
constexpr std::int32_t kWidth = 200, kHeight = 100;
constexpr std::size_t kRasterBytes = kWidth * kHeight * 3;
constexpr std::size_t kFrameBytes = kWidth * kHeight * 4;

class OutOfMemory : public PictureFixture {
 protected:
  OutOfMemory() : inserter(serial, clock) {}
  void SetUp() override { OpenPort(); }

  void ExpectSendGaveEverythingBack() {
    EXPECT_FALSE(core.FBusy);
    EXPECT_FALSE(core.FCancel);
    EXPECT_TRUE(view.taggedEnabled);
    EXPECT_FALSE(view.cancelEnabled);
  }

  TSimulatedInserter inserter;
};

TEST_F(OutOfMemory, AFrameThatCannotBeHeldEndsTheSendAndGivesTheControlsBack) {
  LoadImage(Filled(kWidth, kHeight, 0x336699));
  core.FDeviceReady = true;
  {
    const TRefusedAllocations refused(kRasterBytes + 1);  // the automatic key still fits
    EXPECT_THROW(core.btSaveClick(), std::bad_alloc);
  }
  ExpectSendGaveEverythingBack();
  EXPECT_TRUE(serial.writes.empty()) << "nothing was sent";

  // The program goes on: the poll runs again and the next Send goes through.
  core.tmReadyTimer();
  EXPECT_EQ(view.status, "Logo Inserter Simulator Ready");
  core.btSaveClick();
  ASSERT_TRUE(inserter.Logo());
  EXPECT_EQ(inserter.Logo()->width, kWidth);
  ExpectSendGaveEverythingBack();
}

}  // namespace
