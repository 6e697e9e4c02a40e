#include <gtest/gtest.h>

#include "InserterModel.h"
#include "InserterTraffic.h"

namespace pavina::sim {

namespace {

using namespace core::inserter_traffic;

core::TBytes Joined(const std::vector<TTimedReply>& replies) {
  core::TBytes all;
  for (const auto& r : replies) all.insert(all.end(), r.bytes.begin(), r.bytes.end());
  return all;
}

class InserterModelTest : public ::testing::Test {
 protected:
  // Answers come at once unless a test says otherwise.
  InserterModelTest() { model.SetClearTimeMs(0); }

  // One host write at the present time; the answer bytes, whenever they are due.
  core::TBytes Write(const core::TBytes& bytes) {
    last = model.Receive(bytes, now);
    return Joined(last);
  }
  // A line's data in its two writes; the answer to the second.
  core::TBytes WriteLine(const core::TBytes& data) {
    EXPECT_EQ(Write(PaddedLine(data)), core::TBytes{}) << "the data alone is not a complete line";
    return Write(Filler(20));
  }
  // A whole upload as the core makes it, every answer checked; false at the first wrong one.
  bool Upload(std::int32_t width, std::int32_t height, std::uint8_t x = 50, std::uint8_t y = 50) {
    Write(Filler(30));
    Write(Filler(30));
    if (Write(Clear()) != core::TBytes{0x26}) return false;
    Write(Filler(30));
    for (std::int32_t line = 0; line < height + 3; ++line) {
      if (Write(LineHeader(line)) != core::TBytes{0x27}) return false;
      const core::TBytes data =
          line < height ? PatternLine(width, line) : core::TBytes(width * 4u, 0);
      if (WriteLine(data) != core::TBytes{0x00}) return false;
      Write(Filler(20));
    }
    Write(Filler(30));
    return Write(SizeAndPosition(static_cast<std::uint8_t>(width + 4),
                                 static_cast<std::uint8_t>((height + 2) / 2), x, y)) ==
           core::TBytes{0x13};
  }

  TInserterModel model;
  std::uint32_t now = 5000;
  std::vector<TTimedReply> last;
};

TEST_F(InserterModelTest, EachCommandGetsItsAcknowledgement) {
  EXPECT_EQ(Write(Clear()), core::TBytes{0x26});
  EXPECT_EQ(Write(LineHeader(0)), core::TBytes{0x27});
  EXPECT_EQ(WriteLine({0xFF, 0xF8, 0x00, 0x00}), core::TBytes{0x00});
  EXPECT_EQ(Write(SizeAndPosition(0, 0, 60, 70)), core::TBytes{0x13});
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].afterMs, 0u);
  EXPECT_EQ(model.Statistics().commands, 4u);  // the line data counts as one
}

TEST_F(InserterModelTest, TheClearIsAnsweredOnlyOnceTheMemoryIsCleared) {
  TInserterModel fresh;
  const auto replies = fresh.Receive(Clear(), 0);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].afterMs, TInserterModel::kDefaultClearTimeMs);
  EXPECT_GT(TInserterModel::kDefaultClearTimeMs, 20u) << "the host drains 20 ms after the clear";
  model.SetClearTimeMs(400);
  Write(Clear());
  EXPECT_EQ(last[0].afterMs, 400u);
}

TEST_F(InserterModelTest, StatusReplyIsTheLengthByteAndTheText) {
  EXPECT_EQ(Write(Status()), StatusReply(TInserterModel::kDefaultStatusText));
  model.SetStatusText("LI-100 v2");
  EXPECT_EQ(Write(Status()), StatusReply("LI-100 v2"));
  model.SetStatusText("");
  EXPECT_EQ(Write(Status()), core::TBytes{0x00});
  model.SetStatusText(std::string(300, 'x'));
  const core::TBytes longest = Write(Status());
  ASSERT_EQ(longest.size(), 256u);
  EXPECT_EQ(longest[0], 255);
}

TEST_F(InserterModelTest, FillersNoiseAndBrokenOffCommandsAreIgnoredAndCounted) {
  EXPECT_EQ(Write(Filler(30)), core::TBytes{});
  EXPECT_EQ(Write({0x00, 0x55, 0x88}), core::TBytes{});
  // A stray F1 in front of a command, and a command beginning that turns into noise.
  EXPECT_EQ(Write({0xF1, 0xF1, 0xF3}), StatusReply(TInserterModel::kDefaultStatusText));
  EXPECT_EQ(Write({0xF1, 0xF1, 0x88, 0x99}), core::TBytes{});
  EXPECT_EQ(model.Statistics().fillerBytes, 30u);
  EXPECT_EQ(model.Statistics().unknownBytes, 3u + 1u + 4u);
  EXPECT_EQ(model.Statistics().commands, 1u);
}

TEST_F(InserterModelTest, ACommandSplitOverSeveralWritesIsAnsweredWhenComplete) {
  EXPECT_EQ(Write({0xF1, 0xF1, 0x88}), core::TBytes{});
  EXPECT_EQ(Write({0x88, 0x84}), core::TBytes{});
  EXPECT_EQ(Write({0x18}), core::TBytes{0x26});
  // Two commands in one write get two answers.
  EXPECT_EQ(Write({0xF1, 0xF2, 0, 0, 1, 2, 0xF1, 0xF2, 0, 0, 3, 4}), (core::TBytes{0x13, 0x13}));
  EXPECT_EQ(model.Positions(), (std::vector<TReceivedPosition>{{1, 2}, {3, 4}}));
}

TEST_F(InserterModelTest, LineDataEndsAtTheFillerAndItsTrailingZerosAreNotData) {
  Write(Clear());
  Write(LineHeader(0));
  // Data that holds fillers, command bytes and zeros of its own: all of it is data.
  const core::TBytes data = {0x37, 0x37, 0x00, 0x37, 0xF1, 0xF3, 0x00, 0x00};
  EXPECT_EQ(Write(PaddedLine(data)), core::TBytes{});
  EXPECT_EQ(Write(Filler(19)), core::TBytes{});
  EXPECT_EQ(Write(Filler(1)), core::TBytes{0x00});
  // A filler with no padded data before it (the line's header went unanswered and the host
  // sent its long filler) ends nothing and is not answered.
  Write(LineHeader(1));
  EXPECT_EQ(Write(Filler(30)), core::TBytes{});
  EXPECT_EQ(model.Statistics().malformedLines, 1u);
  EXPECT_EQ(Write(Status()), StatusReply(TInserterModel::kDefaultStatusText));
}

TEST_F(InserterModelTest, AnUploadIsDecodedBackIntoColourAndKey) {
  ASSERT_TRUE(Upload(3, 2, 61, 72));
  ASSERT_TRUE(model.Logo());
  const TReceivedLogo& logo = *model.Logo();
  EXPECT_EQ(logo.width, 3);
  EXPECT_EQ(logo.height, 2);
  EXPECT_EQ(logo.x, 61);
  EXPECT_EQ(logo.y, 72);
  EXPECT_TRUE(logo.sizeMatches);
  EXPECT_TRUE(logo.linesEqual);
  for (std::int32_t y = 0; y < 2; ++y) {
    for (std::int32_t x = 0; x < 3; ++x) {
      const TPixel p = PatternPixel(x, y);
      EXPECT_EQ(logo.colour.ReadPixel(x, y), Rgb(p.r, p.g, p.b)) << x << "," << y;
      EXPECT_EQ(logo.key.ReadPixel(x, y), Rgb(p.k, p.k, p.k)) << x << "," << y;
    }
  }
  EXPECT_EQ(model.UploadsCompleted(), 1u);
  // The size command ended the upload: what follows is a move.
  Write(SizeAndPosition(0, 0, 62, 72));
  EXPECT_EQ(model.Positions(), (std::vector<TReceivedPosition>{{62, 72}}));
  EXPECT_EQ(model.UploadsCompleted(), 1u);
}

TEST_F(InserterModelTest, PixelBytesDecodeToTheirSixBitValues) {
  // 200, 100, 50 with key 128 travels as 83 26 00 4C: 6-bit 50, 25, 12, 32.
  const std::uint8_t bytes[] = {0x83, 0x26, 0x00, 0x4C};
  std::uint8_t r, g, b, k;
  TLogoMemory::DecodePixel(bytes, r, g, b, k);
  EXPECT_EQ(r, 200);
  EXPECT_EQ(g, 100);
  EXPECT_EQ(b, 48);
  EXPECT_EQ(k, 128);
  const std::uint8_t white[] = {0xFF, 0xFF, 0x00, 0xFF};
  TLogoMemory::DecodePixel(white, r, g, b, k);
  EXPECT_EQ(r & g & b & k, 252);
}

TEST_F(InserterModelTest, AWrongSizeIsReportedAndTheLogoKept) {
  Write(Clear());
  for (std::int32_t line = 0; line < 5 + 3; ++line) {
    Write(LineHeader(line));
    WriteLine(line < 5 ? PatternLine(4, line) : core::TBytes(16, 0));
  }
  Write(SizeAndPosition(4 + 4, 3, 50, 50));  // height 5 needs (5 + 2) div 2 = 3
  ASSERT_TRUE(model.Logo());
  EXPECT_TRUE(model.Logo()->sizeMatches);
  Write(Clear());
  for (std::int32_t line = 0; line < 5 + 3; ++line) {
    Write(LineHeader(line));
    WriteLine(line < 5 ? PatternLine(4, line) : core::TBytes(16, 0));
  }
  Write(SizeAndPosition(4 + 5, 3, 50, 50));
  ASSERT_TRUE(model.Logo());
  EXPECT_FALSE(model.Logo()->sizeMatches);
  EXPECT_EQ(model.Logo()->sentWidth, 9);
  EXPECT_EQ(model.UploadsCompleted(), 2u);
}

TEST_F(InserterModelTest, AnUploadCutShortLeavesNoLogo) {
  Write(Clear());
  for (std::int32_t line = 0; line < 4; ++line) {
    Write(LineHeader(line));
    WriteLine(PatternLine(4, line));
  }
  Write(SizeAndPosition(8, 3, 50, 50));
  EXPECT_FALSE(model.Logo());
  EXPECT_EQ(model.UploadsCompleted(), 0u);
  // A size with no upload before it is answered and changes nothing.
  EXPECT_EQ(Write(SizeAndPosition(8, 3, 50, 50)), core::TBytes{0x13});
  EXPECT_FALSE(model.Logo());
}

TEST_F(InserterModelTest, LinesLandAtTheAddressesOfTheirHeaders) {
  Write(Clear());
  // Image line 0 is sent to address 3 * 1024 and line 1 to 0: the logo follows the headers.
  const core::TBytes headers[] = {LineHeader(3), LineHeader(0), LineHeader(1), LineHeader(2),
                                  LineHeader(4)};
  for (int i = 0; i < 5; ++i) {
    Write(headers[i]);
    WriteLine(i < 2 ? PatternLine(2, i) : core::TBytes(8, 0));
  }
  Write(SizeAndPosition(6, 2, 0, 0));
  ASSERT_TRUE(model.Logo());
  EXPECT_EQ(model.Logo()->height, 2);
  const TPixel p = PatternPixel(1, 1);
  EXPECT_EQ(model.Logo()->colour.ReadPixel(1, 1), Rgb(p.r, p.g, p.b));
  EXPECT_EQ(model.LinesSinceClear(), 5);
  Write(Clear());
  EXPECT_EQ(model.LinesSinceClear(), 0);
}

TEST_F(InserterModelTest, MissingAndWrongAnswersHitOnlyTheirTarget) {
  model.Faults().SetAckFault({TCommandKind::LineHeader, 2}, TAckFault::Missing);
  model.Faults().SetAckFault({TCommandKind::LineData, 1}, TAckFault::Wrong);
  Write(Clear());
  EXPECT_EQ(Write(LineHeader(0)), core::TBytes{0x27});
  EXPECT_EQ(WriteLine({1, 2, 0, 4}), core::TBytes{0x00});
  EXPECT_EQ(Write(LineHeader(1)), core::TBytes{0x27});
  EXPECT_EQ(WriteLine({1, 2, 0, 4}), core::TBytes{0x3F});
  EXPECT_EQ(Write(LineHeader(2)), core::TBytes{});
  // Lines count from the clear: after a new clear line 2 is again the third header.
  Write(Filler(30));
  Write(Clear());
  EXPECT_EQ(Write(LineHeader(0)), core::TBytes{0x27});
  WriteLine({});
  EXPECT_EQ(Write(LineHeader(1)), core::TBytes{0x27});
  WriteLine({});
  EXPECT_EQ(Write(LineHeader(2)), core::TBytes{});
  // The host ends an unanswered line with its long filler.
  EXPECT_EQ(Write(Filler(30)), core::TBytes{});

  model.Faults().SetAckFault({TCommandKind::Clear, {}}, TAckFault::Wrong);
  model.Faults().SetAckFault({TCommandKind::SizeAndPosition, {}}, TAckFault::Missing);
  model.Faults().SetAckFault({TCommandKind::Status, {}}, TAckFault::Missing);
  EXPECT_EQ(Write(Clear()), core::TBytes{0x3F});
  EXPECT_EQ(Write(SizeAndPosition(0, 0, 1, 1)), core::TBytes{});
  EXPECT_EQ(Write(Status()), core::TBytes{});
  model.Faults().SetAckFault({TCommandKind::Status, {}}, std::nullopt);
  EXPECT_EQ(Write(Status()).size(), 1u + model.StatusText().size());
}

TEST_F(InserterModelTest, DelaysPostponeTheAnswerAndAnswersNeverOvertake) {
  model.Faults().SetDelay({TCommandKind::LineHeader, 1}, 1500);
  Write(Clear());
  Write(LineHeader(0));
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].afterMs, 0u);
  WriteLine({});
  Write(LineHeader(1));
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].afterMs, 1500u);
  WriteLine({});
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].afterMs, 1500u);
  // 200 ms later a status query is answered only after the delayed bytes have gone out.
  now += 200;
  Write(Status());
  ASSERT_FALSE(last.empty());
  EXPECT_EQ(last[0].afterMs, 1300u);

  model.Faults().delayAllMs = 40;
  now += 5000;
  Write(Status());
  EXPECT_EQ(last[0].afterMs, 40u);
  Write(SizeAndPosition(0, 0, 3, 3));
  EXPECT_EQ(last[0].afterMs, 40u);
}

TEST_F(InserterModelTest, StrayBytesComeBeforeEveryAnswer) {
  model.Faults().strayBytes = {0x41, 0x42};
  EXPECT_EQ(Write(Clear()), (core::TBytes{0x41, 0x42, 0x26}));
  model.SetStatusText("OK");
  EXPECT_EQ(Write(Status()), (core::TBytes{0x41, 0x42, 0x02, 'O', 'K'}));
}

TEST_F(InserterModelTest, StatusRepliesOfTheWrongLength) {
  model.SetStatusText("OK");
  model.Faults().statusLength = TStatusLength::Long;
  const core::TBytes longReply = Write(Status());
  EXPECT_EQ(longReply.size(), 2u + 2u);
  EXPECT_EQ(longReply[0], 2);
  model.Faults().statusLength = TStatusLength::Short;
  EXPECT_EQ(Write(Status()), (core::TBytes{0x03, 'O', 'K'}));
}

TEST_F(InserterModelTest, SilentAnswersNothingButStillListens) {
  model.Faults().silent = true;
  EXPECT_EQ(Write(Clear()), core::TBytes{});
  EXPECT_EQ(Write(Status()), core::TBytes{});
  EXPECT_EQ(Write(SizeAndPosition(0, 0, 9, 9)), core::TBytes{});
  EXPECT_EQ(model.Positions().size(), 1u);
  model.Faults().silent = false;
  EXPECT_EQ(Write(Clear()), core::TBytes{0x26});
}

TEST_F(InserterModelTest, SilenceAfterNLinesHangsAtTheHeaderOfLineN) {
  model.Faults().silenceAfterLines = 2;
  EXPECT_EQ(Write(Clear()), core::TBytes{0x26});
  for (int line = 0; line < 2; ++line) {
    EXPECT_EQ(Write(LineHeader(line)), core::TBytes{0x27});
    EXPECT_EQ(WriteLine({1, 1, 0, 1}), core::TBytes{0x00});
  }
  EXPECT_EQ(Write(LineHeader(2)), core::TBytes{});
  EXPECT_EQ(Write(Status()), core::TBytes{});
  EXPECT_EQ(Write(Clear()), core::TBytes{});
  EXPECT_TRUE(model.Faults().silent);
}

TEST_F(InserterModelTest, PacingTakesTenBitsAByteAt19200BaudBothWays) {
  model.Faults().pacing = true;
  model.SetStatusText("AB");
  // F1 F3 is in after 2 bytes (1.04 ms); the reply's bytes end at 3, 4 and 5 byte times
  // (1.56, 2.08, 2.60 ms), each rounded up to whole milliseconds.
  Write(Status());
  EXPECT_EQ(last, (std::vector<TTimedReply>{{2, {0x02}}, {3, {'A', 'B'}}}));
  // A long write holds the line: a query written at the same moment behind 100 bytes
  // completes after 102 byte times (53.1 ms), its answer's first byte after 103 (53.6 ms).
  now += 10;
  Write(Filler(100));
  Write(Status());
  ASSERT_FALSE(last.empty());
  EXPECT_EQ(last.front().afterMs, 54u);
  // 1000 bytes take 520.8 ms on the wire.
  now += 1000;
  Write(Filler(998));
  Write(Status());
  EXPECT_EQ(last.front().afterMs, 522u);
}

TEST_F(InserterModelTest, TimesSurviveTheWrapOfTheMillisecondCounter) {
  now = 0xFFFFFFF0u;
  Write(Status());
  model.Faults().SetDelay({TCommandKind::Status, {}}, 100);
  now += 0x20;  // wrapped to 0x10
  Write(Status());
  ASSERT_FALSE(last.empty());
  EXPECT_EQ(last[0].afterMs, 100u);
}

TEST_F(InserterModelTest, TheTranscriptHoldsBothDirectionsWithTimesAndNotes) {
  model.Faults().SetDelay({TCommandKind::Clear, {}}, 30);
  Write(Clear());
  const auto entries = model.TakeTranscript();
  ASSERT_GE(entries.size(), 3u);
  EXPECT_EQ(entries.front().direction, TTranscriptDirection::HostToDevice);
  EXPECT_EQ(entries.front().bytes, Clear());
  EXPECT_EQ(entries.front().timeMs, 5000u);
  EXPECT_EQ(entries.back().direction, TTranscriptDirection::DeviceToHost);
  EXPECT_EQ(entries.back().bytes, core::TBytes{0x26});
  EXPECT_EQ(entries.back().timeMs, 5030u);
  EXPECT_EQ(FormatTranscriptEntry(entries.front()), "      5000 host> F1 F1 88 88 84 18");
  EXPECT_EQ(FormatTranscriptEntry(entries.back()), "      5030  dev< 26");
  EXPECT_TRUE(model.Transcript().empty());
}

}  // namespace

}  // namespace pavina::sim
