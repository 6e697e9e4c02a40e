#include "CoreFixture.h"
#include "ScriptedInserter.h"

namespace pavina::core {

namespace {

using Step = TScriptedInserter::Step;

class StatusPolling : public CoreFixture {
 protected:
  StatusPolling() : inserter(serial, clock) {}
  void SetUp() override { OpenPort(); }

  void Answer(TBytes reply) {
    inserter.answer = [reply](Step s, int) -> std::optional<TBytes> {
      if (s == Step::Status) return reply;
      return std::nullopt;
    };
  }

  std::vector<std::string> Tail(std::size_t n) const {
    return {view.log.end() - static_cast<std::ptrdiff_t>(n), view.log.end()};
  }

  TScriptedInserter inserter;
};

TEST_F(StatusPolling, ACompleteReplyShowsItsTextAndEnablesInOrder) {
  inserter.statusText = "LI-200 v2";
  core.tmReadyTimer();
  EXPECT_TRUE(core.FDeviceReady);
  EXPECT_EQ(serial.writes, std::vector<TBytes>{TBytes({0xF1, 0xF3})});
  EXPECT_EQ(Tail(4), (std::vector<std::string>{"status:LI-200 v2 Ready", "port:hidden", "send:off",
                                               "xy:on"}));
  core.FImageLoaded = true;
  core.tmReadyTimer();
  EXPECT_TRUE(view.sendEnabled);
}

// Only a reply of exactly its length byte + 1 bytes is an answer; an empty text is one.
TEST_F(StatusPolling, TheQueryGivesTheTextOfACompleteReplyOnly) {
  const struct {
    TBytes reply;
    std::optional<std::string> text;
  } cases[] = {
      {{0x00}, ""},
      {{0x03, 'a', 'b', 'c'}, "abc"},
      {{}, std::nullopt},
      {{0x03, 'a', 'b'}, std::nullopt},
      {{0x02, 'a', 'b', 'c'}, std::nullopt},
      {{0x00, 0x00}, std::nullopt},
  };
  for (const auto& c : cases) {
    Answer(c.reply);
    const std::uint32_t start = clock.Now();
    EXPECT_EQ(core.QueryStatus(), c.text);
    EXPECT_EQ(core.FDeviceReady, c.text.has_value());
    // Not found after 500 ms, no more.
    if (!c.text) EXPECT_GT(clock.Now() - start, 500u);
    EXPECT_LT(clock.Now() - start, 510u);
  }
  EXPECT_EQ(TLogoCore::StatusLine(std::string()), " Ready");
}

TEST_F(StatusPolling, NotFoundShowsThePortButtonAndDisablesInOrder) {
  Answer({});
  core.FImageLoaded = true;
  core.tmReadyTimer();
  EXPECT_EQ(Tail(4), (std::vector<std::string>{"status:Logo Inserter Not Found", "port:shown",
                                               "send:off", "xy:off"}));
}

TEST_F(StatusPolling, StaleBytesAreDrainedBeforeTheQuery) {
  serial.Deliver({0x05, 'x', 'y'});
  core.tmReadyTimer();
  EXPECT_TRUE(core.FDeviceReady);
  EXPECT_EQ(view.status, "SIM Ready");
}

TEST_F(StatusPolling, AReplyCompletedLateButWithin500MsIsFound) {
  inserter.delayMs = 450;
  core.tmReadyTimer();
  EXPECT_TRUE(core.FDeviceReady);
  inserter.delayMs = 600;
  core.tmReadyTimer();
  EXPECT_FALSE(core.FDeviceReady);
}

TEST_F(StatusPolling, NothingHappensWhileBusy) {
  core.FBusy = true;
  serial.Deliver({0x42});
  core.tmReadyTimer();
  EXPECT_TRUE(serial.writes.empty());
  EXPECT_TRUE(view.log.empty());
  EXPECT_EQ(serial.PendingInput(), 1u);  // not even drained
}

TEST_F(StatusPolling, ABabblingLineCountsAsNotFoundWithoutGrowingWithoutBound) {
  inserter.answer = [](Step s, int) -> std::optional<TBytes> {
    if (s == Step::Status) return TBytes(300000, 0x10);
    return std::nullopt;
  };
  core.tmReadyTimer();
  EXPECT_FALSE(core.FDeviceReady);
  EXPECT_EQ(view.status, "Logo Inserter Not Found");
}

class Positioning : public StatusPolling {
 protected:
  void SetUp() override {
    OpenPort();
    core.FDeviceReady = true;
    core.FImageLoaded = true;
  }
  void Press(TArrowKey key) { core.ArrowKeyDown(key); }
  static TBytes Position(int x, int y) {
    return {0xF1, 0xF2, 0x00, 0x00, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
  }
};

TEST_F(Positioning, ArrowKeysStepTheControlsAndEachStepIsSent) {
  Press(TArrowKey::Right);
  Press(TArrowKey::Left);
  Press(TArrowKey::Left);
  Press(TArrowKey::Down);
  Press(TArrowKey::Up);
  Press(TArrowKey::Up);
  EXPECT_EQ(serial.writes,
            (std::vector<TBytes>{Position(51, 50), Position(50, 50), Position(49, 50),
                                 Position(49, 51), Position(49, 50), Position(49, 49)}));
  EXPECT_TRUE(view.retryMessages.empty());
  EXPECT_FALSE(core.FBusy || core.FPositioning);
}

TEST_F(Positioning, AHeldKeyStopsAtTheLimit) {
  view.x = 223;
  for (int i = 0; i < 5; ++i) Press(TArrowKey::Right);
  EXPECT_EQ(view.x, 225);
  EXPECT_EQ(serial.writes, (std::vector<TBytes>{Position(224, 50), Position(225, 50)}));
  view.y = 21;
  for (int i = 0; i < 3; ++i) Press(TArrowKey::Up);
  EXPECT_EQ(view.y, 20);
}

TEST_F(Positioning, ArrowKeysMoveNothingWithoutAnImageOrWhileThePortIsHeld) {
  core.FImageLoaded = false;
  Press(TArrowKey::Right);
  core.FImageLoaded = true;
  core.FPositioning = true;
  Press(TArrowKey::Right);
  core.FPositioning = false;
  core.FBusy = true;  // an upload holds the port
  Press(TArrowKey::Right);
  EXPECT_EQ(view.x, 50);
  EXPECT_TRUE(serial.writes.empty());
}

TEST_F(Positioning, WithoutTheDeviceTheControlMovesButNothingIsSent) {
  core.FDeviceReady = false;
  Press(TArrowKey::Right);
  EXPECT_EQ(view.x, 51);
  EXPECT_TRUE(serial.writes.empty());
}

TEST_F(Positioning, AMissingAnswerShowsTheErrorAndSendsTheLongFiller) {
  inserter.answer = [](Step s, int) -> std::optional<TBytes> {
    if (s == Step::SizeAndPosition) return TBytes{};
    return std::nullopt;
  };
  core.UpdatePosition();
  EXPECT_EQ(view.retryMessages, std::vector<std::string>{"Size And Position Error ,Try Again"});
  EXPECT_EQ(serial.writes, (std::vector<TBytes>{Position(50, 50), Repeat(0x37, 30)}));
  EXPECT_FALSE(core.FBusy || core.FPositioning);
}

TEST_F(Positioning, StaleBytesDoNotAnswerThePosition) {
  serial.Deliver({0x13});
  inserter.answer = [](Step s, int) -> std::optional<TBytes> {
    if (s == Step::SizeAndPosition) return TBytes{0x27};
    return std::nullopt;
  };
  core.UpdatePosition();
  EXPECT_EQ(view.retryMessages.size(), 1u);
}

TEST_F(Positioning, SizeAndPositionCarryTheLogoSizeAndNeedOnlyAnImage) {
  core.FDeviceReady = false;  // polls stopped answering: the size still goes out
  core.FMaxX = 99;
  core.FMaxY = 49;
  core.FBusy = true;  // as at the end of an upload, and left as it was
  core.UpdateSizeAndPosition();
  EXPECT_EQ(serial.writes, std::vector<TBytes>{TBytes({0xF1, 0xF2, 0x68, 0x1A, 0x32, 0x32})});
  EXPECT_TRUE(core.FBusy);
  EXPECT_FALSE(core.FPositioning);

  core.FImageLoaded = false;
  core.UpdateSizeAndPosition();
  EXPECT_EQ(serial.writes.size(), 1u);
}

TEST_F(Positioning, HeightIsRoundedDownAndSizesGoOutAsLowBytes) {
  struct Case {
    int maxX, maxY;
    std::uint8_t w, h;
  };
  for (const Case c :
       {Case{0, 0, 5, 1}, Case{0, 1, 5, 2}, Case{251, 254, 0, 128}, Case{224, 253, 229, 128}}) {
    serial.writes.clear();
    core.FMaxX = c.maxX;
    core.FMaxY = c.maxY;
    core.UpdateSizeAndPosition();
    ASSERT_EQ(serial.writes.size(), 1u);
    EXPECT_EQ(serial.writes[0][2], c.w) << c.maxX;
    EXPECT_EQ(serial.writes[0][3], c.h) << c.maxY;
  }
}

}  // namespace

}  // namespace pavina::core
