#include "PictureFixture.h"
#include "SimulatedInserter.h"

namespace pavina::core {

namespace {

// Send from the buttons' point of view: pictures loaded from files, the frame encoded,
// uploaded to the simulated inserter, and the window's controls given back.
class SendAction : public PictureFixture {
 protected:
  SendAction() : inserter(serial, clock) {}
  void SetUp() override { OpenPort(); }

  // A picture in which every pixel differs from its neighbours.
  static pictures::TRaster Pattern(std::int32_t width, std::int32_t height, int seed) {
    pictures::TRaster picture(width, height);
    for (std::int32_t y = 0; y < height; ++y)
      for (std::int32_t x = 0; x < width; ++x)
        picture.WritePixel(x, y, static_cast<std::uint8_t>(x * 37 + y * 11 + seed),
                           static_cast<std::uint8_t>(x * 5 + y * 73 + seed * 3),
                           static_cast<std::uint8_t>(x * 101 + y * 7 + seed * 5));
    return picture;
  }
  static std::uint32_t SixBitColor(std::uint32_t c) { return c & 0xFCFCFC; }

  void ExpectControlsGivenBack() {
    EXPECT_FALSE(core.FBusy);
    EXPECT_FALSE(core.FCancel);
    EXPECT_FALSE(view.cancelEnabled);
    EXPECT_TRUE(view.taggedEnabled);
    EXPECT_EQ(view.log.back(), "cancel:off");
  }

  TSimulatedInserter inserter;
};

TEST_F(SendAction, TheInserterReceivesTheImageAndTheKeyDelayedByTheOffset) {
  const pictures::TRaster image = Pattern(13, 6, 1);
  const pictures::TRaster key = Pattern(13, 6, 2);
  LoadImage(image);
  LoadKey(key);
  for (int offset : {0, 5}) {
    view.keyOffset = offset;
    core.btSaveClick();
    ASSERT_TRUE(view.retryMessages.empty());
    ASSERT_TRUE(inserter.Logo());
    const sim::TReceivedLogo& logo = *inserter.Logo();
    ASSERT_EQ(logo.width, 13);
    ASSERT_EQ(logo.height, 6);
    EXPECT_TRUE(logo.sizeMatches);
    for (std::int32_t y = 0; y < 6; ++y) {
      for (std::int32_t x = 0; x < 13; ++x) {
        EXPECT_EQ(logo.colour.ReadPixel(x, y), SixBitColor(image.ReadPixel(x, y)));
        const std::uint32_t k = x < offset ? 0 : (key.ReadPixel(x - offset, y) >> 8) & 0xFC;
        EXPECT_EQ(logo.key.ReadPixel(x, y) & 0xFF, k) << x << "," << y << " offset " << offset;
      }
    }
    ExpectControlsGivenBack();
  }
}

TEST_F(SendAction, WithoutAKeyTheAutomaticKeyIsMadeFirstAndKept) {
  pictures::TRaster image = Pattern(4, 2, 3);
  image.WritePixel(1, 0, 0, 0, 0);
  LoadImage(image);
  view.keyOffset = 0;
  core.btSaveClick();
  EXPECT_TRUE(core.FKeyLoaded);
  EXPECT_EQ(view.keyCaption, "  Auto  ");
  ASSERT_TRUE(inserter.Logo());
  for (std::int32_t x = 0; x < 4; ++x)
    EXPECT_EQ(inserter.Logo()->key.ReadPixel(x, 0) & 0xFF, x == 1 ? 0u : 252u);
  // The order of the first steps, as the operator sees them.
  const auto first = std::find(view.log.begin(), view.log.end(), "tagged:off");
  ASSERT_LE(first + 5, view.log.end());
  const std::vector<std::string> start(first, first + 5);
  EXPECT_EQ(start, (std::vector<std::string>{"tagged:off", "cancel:on", "status:Creating...",
                                             "progressMax:1", "keyCaption:  Auto  "}));
}

TEST_F(SendAction, NothingHappensWithoutAnImage) {
  EXPECT_EQ(core.Send(nullptr).outcome, TDeviceOutcome::Skipped);
  EXPECT_TRUE(serial.writes.empty());
  EXPECT_TRUE(view.log.empty());
}

TEST_F(SendAction, EveryEndingGivesTheControlsBack) {
  LoadImage(Pattern(3, 2, 4));
  struct Ending {
    const char* name;
    std::function<void(sim::TInserterFaults&)> fault;
    TDeviceResult result;
  };
  using O = TDeviceOutcome;
  const Ending endings[] = {
      {"success", [](sim::TInserterFaults&) {}, {O::Done}},
      {"clear",
       [](sim::TInserterFaults& f) {
         f.SetAckFault({sim::TCommandKind::Clear, {}}, sim::TAckFault::Wrong);
       },
       {O::ClearFailed}},
      {"header",
       [](sim::TInserterFaults& f) {
         f.SetAckFault({sim::TCommandKind::LineHeader, 2}, sim::TAckFault::Missing);
       },
       {O::HeaderFailed, 2}},
      {"data",
       [](sim::TInserterFaults& f) {
         f.SetAckFault({sim::TCommandKind::LineData, 4}, sim::TAckFault::Wrong);
       },
       {O::DataFailed, 4}},
      {"size",
       [](sim::TInserterFaults& f) {
         f.SetAckFault({sim::TCommandKind::SizeAndPosition, {}}, sim::TAckFault::Missing);
       },
       {O::SizeAndPositionFailed}},
  };
  for (const auto& ending : endings) {
    SCOPED_TRACE(ending.name);
    inserter.Faults() = sim::TInserterFaults{};
    ending.fault(inserter.Faults());
    EXPECT_EQ(core.Send(nullptr), ending.result);
    ExpectControlsGivenBack();
  }
}

TEST_F(SendAction, CancelWhileCreatingHasNoEffectButDuringClearingEndsTheUpload) {
  LoadImage(Pattern(5, 3, 5));
  view.onProcessEvents = [&] {
    if (view.status == "Creating...") core.btCancelClick();
  };
  core.btSaveClick();
  ASSERT_TRUE(inserter.Logo());
  EXPECT_EQ(inserter.Model().UploadsCompleted(), 1u);
  ExpectControlsGivenBack();

  view.onProcessEvents = [&] {
    if (view.status == "Clearing...") core.btCancelClick();
  };
  core.btSaveClick();
  EXPECT_EQ(inserter.Model().UploadsCompleted(), 1u);
  EXPECT_TRUE(view.retryMessages.empty());
  ExpectControlsGivenBack();
}

TEST_F(SendAction, EncodingShowsOneProgressStepARow) {
  LoadImage(Pattern(2, 5, 6));
  core.btSaveClick();
  // "Creating...": maximum FMaxY, positions 0..4 one a row, then 0 before "Clearing...".
  const std::vector<std::int32_t> first(view.progressPositions.begin(),
                                        view.progressPositions.begin() + 6);
  EXPECT_EQ(first, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 0}));
  EXPECT_TRUE(view.Logged("progressMax:4"));
}

TEST_F(SendAction, NeitherThePollNorTheArrowKeysCutIntoAnUpload) {
  LoadImage(Pattern(3, 3, 7));
  core.FDeviceReady = true;
  int ticks = 0;
  view.onProcessEvents = [&] {
    // A timer tick and an arrow key arrive with every batch of events.
    ++ticks;
    core.tmReadyTimer();
    core.ArrowKeyDown(TArrowKey::Right);
  };
  core.btSaveClick();
  EXPECT_GT(ticks, 10);
  EXPECT_TRUE(view.retryMessages.empty());
  EXPECT_EQ(view.x, 50);
  EXPECT_TRUE(inserter.Positions().empty());
  EXPECT_EQ(inserter.Model().UploadsCompleted(), 1u);
  for (const auto& w : serial.writes) EXPECT_NE(w, (TBytes{0xF1, 0xF3}));
}

}  // namespace

}  // namespace pavina::core
