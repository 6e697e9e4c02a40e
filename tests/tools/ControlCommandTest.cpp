#include <gtest/gtest.h>

#include "ControlCommand.h"

namespace pavina::sim {

namespace {

class ControlCommandTest : public ::testing::Test {
 protected:
  bool Line(const std::string& line) { return ApplyControlLine(line, model, error); }

  TInserterModel model;
  std::string error;
};

TEST_F(ControlCommandTest, EveryFaultCanBeSwitchedOnAndOff) {
  const TInserterFaults& f = model.Faults();
  EXPECT_TRUE(Line("silent on"));
  EXPECT_TRUE(f.silent);
  EXPECT_TRUE(Line("fail header:3 missing"));
  EXPECT_EQ(f.AckFaultFor(TCommandKind::LineHeader, 3), TAckFault::Missing);
  EXPECT_FALSE(f.AckFaultFor(TCommandKind::LineHeader, 2));
  EXPECT_TRUE(Line("fail data wrong"));
  EXPECT_EQ(f.AckFaultFor(TCommandKind::LineData, 7), TAckFault::Wrong);
  EXPECT_TRUE(Line("fail sizepos missing"));
  EXPECT_TRUE(Line("fail status wrong"));
  EXPECT_EQ(f.AckFaultFor(TCommandKind::Status, -1), TAckFault::Wrong);
  EXPECT_TRUE(Line("fail clear wrong"));
  EXPECT_TRUE(Line("fail clear off"));
  EXPECT_FALSE(f.AckFaultFor(TCommandKind::Clear, -1));
  EXPECT_TRUE(Line("delay all 250"));
  EXPECT_TRUE(Line("delay data:2 1500"));
  EXPECT_EQ(f.DelayFor(TCommandKind::LineData, 2), 1500u);
  EXPECT_EQ(f.DelayFor(TCommandKind::LineData, 1), 250u);
  EXPECT_TRUE(Line("silence-after 12"));
  EXPECT_EQ(f.silenceAfterLines, 12);
  EXPECT_TRUE(Line("stray 41,0d,FF"));
  EXPECT_EQ(f.strayBytes, (core::TBytes{0x41, 0x0D, 0xFF}));
  EXPECT_TRUE(Line("status-reply short"));
  EXPECT_EQ(f.statusLength, TStatusLength::Short);
  EXPECT_TRUE(Line("pace on"));
  EXPECT_TRUE(Line("clear-time 1000"));
  EXPECT_EQ(model.ClearTimeMs(), 1000u);
  EXPECT_TRUE(Line("faults off"));
  EXPECT_FALSE(f.silent);
  EXPECT_TRUE(f.ackFaults.empty());
  EXPECT_TRUE(f.delays.empty());
  EXPECT_EQ(f.delayAllMs, 0u);
  EXPECT_FALSE(f.silenceAfterLines);
  EXPECT_TRUE(f.strayBytes.empty());
  EXPECT_EQ(f.statusLength, TStatusLength::Normal);
  EXPECT_TRUE(f.pacing) << "pacing is a property of the line, not a fault";
}

TEST_F(ControlCommandTest, AMoreSpecificTargetSetLaterWinsAndZeroDelayEndsIt) {
  const TInserterFaults& f = model.Faults();
  EXPECT_TRUE(Line("fail header missing"));
  EXPECT_TRUE(Line("fail header:4 wrong"));
  EXPECT_EQ(f.AckFaultFor(TCommandKind::LineHeader, 4), TAckFault::Wrong);
  EXPECT_EQ(f.AckFaultFor(TCommandKind::LineHeader, 5), TAckFault::Missing);
  EXPECT_TRUE(Line("delay header:4 100"));
  EXPECT_TRUE(Line("delay header:4 0"));
  EXPECT_TRUE(f.delays.empty());
}

TEST_F(ControlCommandTest, TheStatusTextIsTheRestOfTheLine) {
  EXPECT_TRUE(Line("status   LI-100  rev 2  \r"));
  EXPECT_EQ(model.StatusText(), "LI-100  rev 2");
  EXPECT_TRUE(ApplyControlCommand("status", {" spaced "}, model, error));
  EXPECT_EQ(model.StatusText(), " spaced ");
  EXPECT_FALSE(Line("status " + std::string(256, 'x')));
  EXPECT_EQ(model.StatusText(), " spaced ");
}

TEST_F(ControlCommandTest, BadCommandsAreRefusedWithAMessageAndChangeNothing) {
  const char* bad[] = {"shout on",
                       "silent maybe",
                       "silent",
                       "fail header:x missing",
                       "fail sizepos:3 missing",
                       "fail clear late",
                       "delay all -5",
                       "delay all 99999999",
                       "delay header",
                       "stray 4142",
                       "stray zz",
                       "stray ,",
                       "silence-after -1",
                       "status-reply huge",
                       "faults on",
                       "pace on off",
                       "clear-time 60001"};
  for (const char* line : bad) {
    error.clear();
    EXPECT_FALSE(Line(line)) << line;
    EXPECT_FALSE(error.empty()) << line;
  }
  EXPECT_FALSE(model.Faults().silent);
  EXPECT_TRUE(model.Faults().ackFaults.empty());
  EXPECT_FALSE(model.Faults().pacing);
  EXPECT_TRUE(Line(""));
  EXPECT_TRUE(Line("   # a comment"));
}

}  // namespace

}  // namespace pavina::sim
