#include "CoreFixture.h"

namespace pavina::core {

namespace {

using SerialLink = CoreFixture;

TEST_F(SerialLink, StartsWithEveryFieldZeroAndOpenAppliesTheLineSettings) {
  EXPECT_EQ(core.FMaxX, 0);
  EXPECT_EQ(core.FMaxY, 0);
  EXPECT_EQ(core.FComPort, 0);
  EXPECT_EQ(core.FPortHandle, 0u);
  EXPECT_EQ(core.FPortError, 0u);
  EXPECT_TRUE(core.FFrame.empty());
  EXPECT_FALSE(core.FDeviceReady || core.FCancel || core.FImageLoaded || core.FKeyLoaded ||
               core.FBusy || core.FPositioning);

  core.OpenPort(7);
  EXPECT_EQ(serial.openedPort, 7);
  EXPECT_EQ(core.FPortHandle, TFakeSerial::kHandle);
  EXPECT_EQ(core.FPortError, 0u);
  EXPECT_EQ(serial.calls, (std::vector<std::string>{
                              "OpenComPort", "GetCommTimeouts", "SetCommTimeouts", "GetCommState",
                              "SetCommState", "SetCommMask", "EscapeCommFunction:4"}));
  EXPECT_EQ(serial.lastTimeouts.readInterval, 0xFFFFFFFFu);
  EXPECT_EQ(serial.lastTimeouts.readTotalMultiplier, 0u);
  EXPECT_EQ(serial.lastTimeouts.readTotalConstant, 0u);
  EXPECT_EQ(serial.lastTimeouts.writeTotalMultiplier, 0u);
  EXPECT_EQ(serial.lastTimeouts.writeTotalConstant, 0u);
  EXPECT_EQ(serial.lastState.baudRate, 19200u);
  EXPECT_EQ(serial.lastState.byteSize, 8);
  EXPECT_EQ(serial.lastState.parity, 0);
  EXPECT_EQ(serial.lastState.stopBits, 0);
  // Everything else of the driver's block goes back as it was read.
  for (std::size_t i = 0; i < serial.lastState.driverBlock.size(); ++i)
    EXPECT_EQ(serial.lastState.driverBlock[i], static_cast<std::uint8_t>(0xA0 + i));
  EXPECT_EQ(serial.lastMask, 4u);
}

TEST_F(SerialLink, AMissingPortLeavesTheLinkClosedWithError100AndStillClearsRts) {
  serial.deviceExists = false;
  const TLinkResult opened = core.OpenPort(9);
  EXPECT_EQ(core.FPortHandle, TSerialApi::kInvalidHandle);
  EXPECT_EQ(core.FPortError, 100u);
  // The result keeps the system's reason that FPortError does not.
  EXPECT_EQ(opened.failed, TLinkStep::Open);
  EXPECT_EQ(opened.systemError, 2u);
  EXPECT_EQ(serial.calls, (std::vector<std::string>{"OpenComPort", "EscapeCommFunction:4"}));
  EXPECT_TRUE(view.log.empty());  // nothing is shown

  EXPECT_EQ(core.SendString({1, 2, 3}).failed, TLinkStep::NotOpen);
  TBytes got{9};
  EXPECT_EQ(core.ReadAvailable(got).failed, TLinkStep::NotOpen);
  EXPECT_TRUE(got.empty());
  EXPECT_TRUE(serial.writes.empty());
}

TEST_F(SerialLink, AFailingConfigurationStepKeepsThePortOpenWithTheSystemCode) {
  const std::vector<std::string> steps = {"GetCommTimeouts", "SetCommTimeouts", "GetCommState",
                                          "SetCommState", "SetCommMask"};
  const TLinkStep results[] = {TLinkStep::GetTimeouts, TLinkStep::SetTimeouts, TLinkStep::GetState,
                               TLinkStep::SetState, TLinkStep::SetMask};
  for (std::size_t failing = 0; failing < steps.size(); ++failing) {
    SCOPED_TRACE(steps[failing]);
    TVirtualClock c;
    TFakeSerial s(c);
    THeadlessView v;
    TLogoCore k(v, s, c);
    s.failingCall = steps[failing];
    s.failingError = 87;
    const TLinkResult opened = k.OpenPort(3);
    EXPECT_EQ(opened.failed, results[failing]);
    EXPECT_EQ(opened.systemError, 87u);
    EXPECT_EQ(k.FPortError, 87u);
    EXPECT_EQ(k.FPortHandle, TFakeSerial::kHandle);
    // The steps after the failing one are skipped, RTS is cleared all the same.
    std::vector<std::string> expected = {"OpenComPort"};
    expected.insert(expected.end(), steps.begin(), steps.begin() + failing + 1);
    expected.push_back("EscapeCommFunction:4");
    EXPECT_EQ(s.calls, expected);
    // The open handle stays in use.
    k.SendString({0x42});
    ASSERT_EQ(s.writes.size(), 1u);
  }
}

TEST_F(SerialLink, CloseIsHarmlessTwiceAndAlwaysLeavesTheInvalidHandle) {
  core.OpenPort(2);
  core.ClosePort();
  EXPECT_EQ(core.FPortHandle, TSerialApi::kInvalidHandle);
  EXPECT_EQ(serial.closeCount, 1);
  core.ClosePort();
  EXPECT_EQ(core.FPortHandle, TSerialApi::kInvalidHandle);
  EXPECT_EQ(serial.closeCount, 1);
  EXPECT_EQ(std::count(serial.calls.begin(), serial.calls.end(), "CloseHandle"), 1);

  // A reopen after the close works on the same port.
  core.OpenPort(2);
  EXPECT_EQ(core.FPortHandle, TFakeSerial::kHandle);
}

TEST_F(SerialLink, SendWritesEverythingInOneWriteAndNothingWhenEmpty) {
  OpenPort();
  core.SendString({0x00, 0xF1, 0x00});
  core.SendString({});
  ASSERT_EQ(serial.writes.size(), 1u);
  EXPECT_EQ(serial.writes[0], (TBytes{0x00, 0xF1, 0x00}));
}

TEST_F(SerialLink, ReadReturnsWhatHasArrivedZeroBytesIncludedAndNothingLater) {
  OpenPort();
  serial.Deliver({0x00, 0x13, 0x00});
  serial.Deliver({0x55}, clock.Now() + 10);
  TBytes got;
  core.ReadAvailable(got);
  EXPECT_EQ(got, (TBytes{0x00, 0x13, 0x00}));
  core.ReadAvailable(got);
  EXPECT_TRUE(got.empty());
  clock.Advance(10);
  core.ReadAvailable(got);
  EXPECT_EQ(got, (TBytes{0x55}));
}

TEST_F(SerialLink, AFailingReadEndsTheReadQuietly) {
  OpenPort();
  serial.Deliver({1, 2});
  serial.readFails = true;
  TBytes got{7, 7};
  core.ReadAvailable(got);
  EXPECT_TRUE(got.empty());
}

TEST_F(SerialLink, AnEndlessTalkerCannotGrowOneReadWithoutBound) {
  OpenPort();
  serial.Deliver(TBytes(200000, 0x37));
  TBytes got;
  core.ReadAvailable(got);
  EXPECT_EQ(got.size(), 64u * 1024u);
  EXPECT_EQ(serial.PendingInput(), 200000u - 64u * 1024u);
}

}  // namespace

}  // namespace pavina::core
