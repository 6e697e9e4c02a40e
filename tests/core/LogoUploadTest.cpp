#include "CoreFixture.h"
#include "InserterTraffic.h"
#include "ScriptedInserter.h"

namespace pavina::core {

namespace {

using Step = TScriptedInserter::Step;
using O = TDeviceOutcome;

using inserter_traffic::Clear;
using inserter_traffic::Filler;
using inserter_traffic::LineHeader;

const TBytes kShortFiller = Filler(20);
const TBytes kLongFiller = Filler(30);

class LogoUpload : public CoreFixture {
 protected:
  LogoUpload() : inserter(serial, clock) {}

  void SetUp() override {
    OpenPort();
    UseFrame(3, 2);
  }

  // A frame whose every byte tells its place, so that a misplaced line shows.
  void UseFrame(int width, int height) {
    core.FMaxX = width - 1;
    core.FMaxY = height - 1;
    core.FImageLoaded = true;
    core.FFrame.resize(static_cast<std::size_t>(width * height * 4));
    for (std::size_t i = 0; i < core.FFrame.size(); ++i)
      core.FFrame[i] = static_cast<std::uint8_t>(i * 7 + 1);
  }

  TBytes Line(int line) const {
    const std::size_t length = static_cast<std::size_t>(core.FMaxX + 1) * 4;
    if (line > core.FMaxY) return TBytes(length, 0);
    const auto begin = core.FFrame.begin() + static_cast<std::ptrdiff_t>(line * length);
    return TBytes(begin, begin + static_cast<std::ptrdiff_t>(length));
  }

  std::vector<TBytes> Opening() const { return {kLongFiller, kLongFiller, Clear(), kLongFiller}; }

  void AppendLine(std::vector<TBytes>& writes, int line) const {
    writes.push_back(LineHeader(line));
    writes.push_back(Concat({Line(line), Repeat(0x00, 24)}));
    writes.push_back(kShortFiller);
    writes.push_back(kShortFiller);
  }

  void AppendClosing(std::vector<TBytes>& writes) const {
    writes.push_back(kLongFiller);
    writes.push_back({0xF1, 0xF2, static_cast<std::uint8_t>(core.FMaxX + 5),
                      static_cast<std::uint8_t>((core.FMaxY + 3) / 2),
                      static_cast<std::uint8_t>(view.x), static_cast<std::uint8_t>(view.y)});
  }

  std::vector<TBytes> WholeUpload() const {
    auto writes = Opening();
    for (int line = 0; line <= core.FMaxY + 3; ++line) AppendLine(writes, line);
    AppendClosing(writes);
    return writes;
  }

  // Replaces the answer to one step of one line.
  void FailAt(Step step, int line, TBytes answer) {
    inserter.answer = [=](Step s, int l) -> std::optional<TBytes> {
      if (s == step && (line < 0 || l == line)) return answer;
      return std::nullopt;
    };
  }

  TScriptedInserter inserter;
};

TEST_F(LogoUpload, AWholeUploadPutsExactlyTheseBytesOnTheWire) {
  view.x = 60;
  view.y = 99;
  EXPECT_EQ(core.Upload(nullptr), TDeviceResult{});
  EXPECT_EQ(Describe(serial.writes), Describe(WholeUpload()));
  EXPECT_FALSE(core.FCancel);
  // 20 ms pause before the drain, and the statuses in order; the status is not reset.
  EXPECT_EQ(clock.Slept(), 20u);
  std::vector<std::string> statuses;
  for (const auto& e : view.log)
    if (e.rfind("status:", 0) == 0) statuses.push_back(e);
  EXPECT_EQ(statuses, (std::vector<std::string>{"status:Clearing...", "status:Sending..."}));
  EXPECT_EQ(view.status, "Sending...");
  // Progress: the clear's wait runs 0..30000; the lines count up to FMaxY + 3; 0 at the end.
  EXPECT_TRUE(view.Logged("progressMax:30000"));
  EXPECT_TRUE(view.Logged("progressMax:1"));
  EXPECT_EQ(view.progressPosition, 0);
  const std::vector<std::int32_t> tail(view.progressPositions.end() - 6,
                                       view.progressPositions.end());
  EXPECT_EQ(tail, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 0}));
}

TEST_F(LogoUpload, AOneLineImageIsSentAsFourLinesAt1024ByteSteps) {
  UseFrame(5, 1);
  core.UploadLogo();
  std::vector<TBytes> headers;
  for (const auto& w : serial.writes)
    if (w.size() == 8 && w[5] == 0x44) headers.push_back(w);
  ASSERT_EQ(headers.size(), 4u);
  EXPECT_EQ(headers[0], LineHeader(0));
  EXPECT_EQ(headers[1], (TBytes{0xF1, 0xF1, 0x88, 0x88, 0x84, 0x44, 0x00, 0x80}));
  EXPECT_EQ(headers[2], (TBytes{0xF1, 0xF1, 0x88, 0x88, 0x84, 0x44, 0x01, 0x00}));
  EXPECT_EQ(headers[3], (TBytes{0xF1, 0xF1, 0x88, 0x88, 0x84, 0x44, 0x01, 0x80}));
  EXPECT_EQ(Describe(serial.writes), Describe(WholeUpload()));
}

TEST_F(LogoUpload, LinesLongerThan1024BytesStillAdvanceTheAddressBy1024) {
  UseFrame(300, 2);  // 1200 bytes a line
  core.UploadLogo();
  EXPECT_EQ(Describe(serial.writes), Describe(WholeUpload()));
}

TEST_F(LogoUpload, AMissingOrWrongClearAnswerEndsWithClearErrorAndNoSize) {
  for (const TBytes& answer : {TBytes{}, TBytes{0x27}}) {
    serial.writes.clear();
    FailAt(Step::Clear, -1, answer);
    const std::uint32_t start = clock.Now();
    EXPECT_EQ(core.Upload(nullptr).outcome, O::ClearFailed);
    EXPECT_EQ(Describe(serial.writes), Describe(Opening()));
    if (answer.empty()) {
      EXPECT_GT(clock.Now() - start, 30000u);
    }
    EXPECT_EQ(view.status, "Clearing...");
  }
}

TEST_F(LogoUpload, AClearAnswerWithinThe20MsPauseIsDrainedAndTheWaitTimesOut) {
  inserter.clearDelayMs = 10;
  const std::uint32_t start = clock.Now();
  EXPECT_EQ(core.Upload(nullptr).outcome, O::ClearFailed);
  EXPECT_GT(clock.Now() - start, 30000u);
  EXPECT_EQ(Describe(serial.writes), Describe(Opening()));
}

TEST_F(LogoUpload, WithThePortClosedTheClearWaitRunsItsFullTime) {
  core.ClosePort();
  const std::uint32_t start = clock.Now();
  EXPECT_EQ(core.Upload(nullptr).outcome, O::ClearFailed);
  EXPECT_GT(clock.Now() - start, 30000u);
  EXPECT_TRUE(serial.writes.empty());
}

TEST_F(LogoUpload, AHeaderErrorNamesTheLineAndStillSendsTheSize) {
  for (const TBytes& answer : {TBytes{}, TBytes{0x26}}) {
    serial.writes.clear();
    FailAt(Step::Header, 4, answer);
    EXPECT_EQ(core.Upload(nullptr), (TDeviceResult{O::HeaderFailed, 4}));
    auto expected = Opening();
    for (int line = 0; line < 4; ++line) AppendLine(expected, line);
    expected.push_back(LineHeader(4));
    AppendClosing(expected);
    EXPECT_EQ(Describe(serial.writes), Describe(expected));
    EXPECT_FALSE(core.FCancel);
  }
}

TEST_F(LogoUpload, ADataErrorSendsTheShortFillerThenTheClosingSteps) {
  FailAt(Step::Data, 1, {0x13});
  EXPECT_EQ(core.Upload(nullptr), (TDeviceResult{O::DataFailed, 1}));
  auto expected = Opening();
  AppendLine(expected, 0);
  AppendLine(expected, 1);  // header, data, filler, and the filler after the failed wait
  AppendClosing(expected);
  EXPECT_EQ(Describe(serial.writes), Describe(expected));
}

TEST_F(LogoUpload, AMissingSizeAnswerShowsItsErrorAndSendsTheLongFiller) {
  FailAt(Step::SizeAndPosition, -1, {});
  EXPECT_EQ(core.Upload(nullptr).outcome, O::SizeAndPositionFailed);
  auto expected = WholeUpload();
  expected.push_back(kLongFiller);
  EXPECT_EQ(Describe(serial.writes), Describe(expected));
  EXPECT_FALSE(core.FBusy);
  EXPECT_FALSE(core.FPositioning);
}

TEST_F(LogoUpload, CancelDuringTheClearWaitEndsQuietlyWithoutTheSize) {
  inserter.clearDelayMs = 5000;
  int passes = 0;
  view.onProcessEvents = [&] {
    if (++passes == 100) core.btCancelClick();
  };
  EXPECT_EQ(core.Upload(nullptr).outcome, O::Cancelled);
  auto expected = Opening();
  expected.push_back(kShortFiller);
  EXPECT_EQ(Describe(serial.writes), Describe(expected));
  EXPECT_FALSE(core.FCancel);
}

TEST_F(LogoUpload, CancelBetweenLinesStillSendsTheNextHeaderThenCloses) {
  // The answer is in at once, so the header's wait takes it before looking at Cancel.
  inserter.delayMs = 0;
  UseFrame(2, 4);
  int linesDone = 0;
  view.onProcessEvents = [&] {
    if (view.status == "Sending..." && ++linesDone == 2) core.btCancelClick();
  };
  EXPECT_EQ(core.Upload(nullptr), (TDeviceResult{O::Cancelled, 2}));
  auto expected = Opening();
  AppendLine(expected, 0);
  AppendLine(expected, 1);
  expected.push_back(LineHeader(2));
  AppendClosing(expected);
  EXPECT_EQ(Describe(serial.writes), Describe(expected));
  EXPECT_FALSE(core.FCancel);
}

TEST_F(LogoUpload, TheAnswerACancelLeftOutstandingIsNotTakenForTheSizes) {
  // The header's answer comes a little after the wait has seen Cancel: it must not be
  // read as the answer to the size and position.
  inserter.delayMs = 5;
  UseFrame(2, 4);
  int linesDone = 0;
  view.onProcessEvents = [&] {
    if (view.status == "Sending..." && ++linesDone == 1) core.btCancelClick();
  };
  EXPECT_EQ(core.Upload(nullptr), (TDeviceResult{O::Cancelled, 1}));
  auto expected = Opening();
  AppendLine(expected, 0);
  expected.push_back(LineHeader(1));
  AppendClosing(expected);
  EXPECT_EQ(Describe(serial.writes), Describe(expected));

  // A device that never answers costs one more time-out, and still no message.
  serial.writes.clear();
  linesDone = 0;
  inserter.answer = [](Step s, int line) -> std::optional<TBytes> {
    if (s == Step::Header && line == 1) return TBytes{};
    return std::nullopt;
  };
  const std::uint32_t start = clock.Now();
  EXPECT_EQ(core.Upload(nullptr), (TDeviceResult{O::Cancelled, 1}));
  EXPECT_GT(clock.Now() - start, 1000u);
  EXPECT_EQ(Describe(serial.writes), Describe(expected));
}

TEST_F(LogoUpload, ACancelClickBeforeTheUploadIsForgotten) {
  core.FCancel = true;
  EXPECT_EQ(core.Upload(nullptr), TDeviceResult{});
  EXPECT_EQ(Describe(serial.writes), Describe(WholeUpload()));
}

TEST_F(LogoUpload, StaleBytesBeforeTheSizeAreDrained) {
  // Stray bytes that come in after the last line's answer was taken, while events are
  // processed, must not be taken for the size's answer.
  int linesDone = 0;
  view.onProcessEvents = [&] {
    if (view.status == "Sending..." && ++linesDone == core.FMaxY + 4) serial.Deliver({0x55, 0x66});
  };
  EXPECT_EQ(core.Upload(nullptr), TDeviceResult{});
  EXPECT_EQ(linesDone, core.FMaxY + 4);
  EXPECT_EQ(Describe(serial.writes), Describe(WholeUpload()));
  EXPECT_EQ(serial.PendingInput(), 0u);
}

// UploadLogo shows each failure as its retry message, when it happens: a header error
// before the closing size and position, whose own failure follows it.
TEST_F(LogoUpload, TheHandlerShowsEachFailureInTheOrderItHappens) {
  const struct {
    Step step;
    int line;
    std::vector<std::string> messages;
  } cases[] = {
      {Step::Clear, -1, {"Clear Error ,Try Again"}},
      {Step::Header, 4, {"Header Error, Line 4 ,Try Again", "Size And Position Error ,Try Again"}},
      {Step::Data, 1, {"Data Error, Line 1 ,Try Again", "Size And Position Error ,Try Again"}},
      {Step::SizeAndPosition, -1, {"Size And Position Error ,Try Again"}},
  };
  for (const auto& c : cases) {
    view.retryMessages.clear();
    inserter.answer = [&c](Step s, int l) -> std::optional<TBytes> {
      if ((s == c.step && (c.line < 0 || l == c.line)) || s == Step::SizeAndPosition)
        return TBytes{};
      return std::nullopt;
    };
    core.UploadLogo();
    EXPECT_EQ(view.retryMessages, c.messages);
    EXPECT_FALSE(core.FCancel || core.FBusy || core.FPositioning);
  }
}

TEST(DeviceResult, EveryFailureHasItsRetryTextAndNothingElseHasOne) {
  const struct {
    TDeviceResult result;
    std::optional<std::string> text;
  } cases[] = {
      {{O::ClearFailed}, "Clear Error"},
      {{O::HeaderFailed, 0}, "Header Error, Line 0"},
      {{O::DataFailed, 12}, "Data Error, Line 12"},
      {{O::SizeAndPositionFailed}, "Size And Position Error"},
      {{O::Done}, std::nullopt},
      {{O::Skipped}, std::nullopt},
      {{O::Cancelled, 3}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(RetryText(c.result), c.text);
}

}  // namespace

}  // namespace pavina::core
