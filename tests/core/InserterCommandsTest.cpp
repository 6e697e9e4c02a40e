#include "CoreFixture.h"

namespace pavina::core {

namespace {

class InserterCommands : public CoreFixture {
 protected:
  void SetUp() override { OpenPort(); }
};

TEST_F(InserterCommands, EachCommandIsOneWriteOfItsExactBytes) {
  core.SendClear();
  core.SendLineHeader(3072);
  core.SendSizeAndPosition(0, 0, 50, 50);
  core.SendShortFiller();
  core.SendLongFiller();
  ASSERT_EQ(serial.writes.size(), 5u);
  EXPECT_EQ(serial.writes[0], (TBytes{0xF1, 0xF1, 0x88, 0x88, 0x84, 0x18}));
  EXPECT_EQ(serial.writes[1], (TBytes{0xF1, 0xF1, 0x88, 0x88, 0x84, 0x44, 0x01, 0x80}));
  EXPECT_EQ(serial.writes[2], (TBytes{0xF1, 0xF2, 0x00, 0x00, 0x32, 0x32}));
  EXPECT_EQ(serial.writes[3], Repeat(0x37, 20));
  EXPECT_EQ(serial.writes[4], Repeat(0x37, 30));
}

TEST_F(InserterCommands, LineHeadersCarryTheAddressDividedBy8HighByteFirst) {
  struct Case {
    std::int32_t address;
    std::uint8_t hh, ll;
  };
  const Case cases[] = {{0, 0x00, 0x00},          {1024, 0x00, 0x80}, {2048, 0x01, 0x00},
                        {1024 * 255, 0x7F, 0x80}, {7, 0x00, 0x00},    {524288, 0x00, 0x00},
                        {-8, 0xFF, 0xFF},         {-15, 0xFF, 0xFF},  {0x7FFF8, 0xFF, 0xFF}};
  for (const auto& c : cases) {
    serial.writes.clear();
    core.SendLineHeader(c.address);
    ASSERT_EQ(serial.writes.size(), 1u);
    EXPECT_EQ(serial.writes[0], (TBytes{0xF1, 0xF1, 0x88, 0x88, 0x84, 0x44, c.hh, c.ll}))
        << "address " << c.address;
  }
}

TEST_F(InserterCommands, SizeAndPositionSendTheLowBytesInTheOrderWHXY) {
  core.SendSizeAndPosition(104, 26, 50, 50);
  core.SendSizeAndPosition(0x1FF, -1, 256 + 2, 0x12345678);
  EXPECT_EQ(serial.writes[0], (TBytes{0xF1, 0xF2, 0x68, 0x1A, 0x32, 0x32}));
  EXPECT_EQ(serial.writes[1], (TBytes{0xF1, 0xF2, 0xFF, 0xFF, 0x02, 0x78}));
}

TEST_F(InserterCommands, LineDataIsTheDataWith24ZerosThenTheShortFillerInASecondWrite) {
  const TBytes data = {0xFF, 0xF8, 0x00, 0x00, 0x83, 0x26, 0x00, 0x4C};
  core.SendLineData(data);
  ASSERT_EQ(serial.writes.size(), 2u);
  EXPECT_EQ(serial.writes[0], Concat({data, Repeat(0x00, 24)}));
  EXPECT_EQ(serial.writes[1], Repeat(0x37, 20));

  serial.writes.clear();
  core.SendLineData({});
  ASSERT_EQ(serial.writes.size(), 2u);
  EXPECT_EQ(serial.writes[0], Repeat(0x00, 24));
}

TEST_F(InserterCommands, NothingIsWrittenOnAClosedLink) {
  core.ClosePort();
  core.SendClear();
  core.SendLineHeader(0);
  core.SendLineData(TBytes(8, 1));
  core.SendSizeAndPosition(1, 2, 3, 4);
  core.SendShortFiller();
  core.SendLongFiller();
  EXPECT_TRUE(serial.writes.empty());
}

}  // namespace

}  // namespace pavina::core
