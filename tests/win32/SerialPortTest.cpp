// The core's serial link through kernel32 under Wine, against the inserter simulator on a
// pseudo-terminal mapped as a COM port (run-with-simulator.sh sets that up).
//   win32_serial_tests.exe --port N --absent-port M --status TEXT [gtest options]
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "HeadlessView.h"
#include "LogoCore.h"
#include "win32/Win32Clock.h"
#include "win32/Win32SerialApi.h"

namespace {

struct TTestSetting {
  int port = 0;
  int absentPort = 0;
  std::string status;
} gSetting;

// Wine may hand serial input over late: polls are repeated as the once-a-second timer
// would, and waits get more time than the program's own.
constexpr int kPolls = 10;
constexpr std::int32_t kAckWaitMs = 5000;

class SerialPortUnderWine : public ::testing::Test {
 protected:
  SerialPortUnderWine() : core(view, serial, clock) { view.core = &core; }
  ~SerialPortUnderWine() override { core.ClosePort(); }

  HANDLE PortHandle() const { return reinterpret_cast<HANDLE>(core.FPortHandle); }
  bool PollUntilFound() {
    for (int i = 0; i < kPolls && !core.FDeviceReady; ++i) core.tmReadyTimer();
    return core.FDeviceReady;
  }

  TWin32SerialApi serial;
  TWin32Clock clock;
  THeadlessView view;
  TLogoCore core;
};

TEST_F(SerialPortUnderWine, TheMappedPortOpensAt19200EightDataBitsNoParityOneStopBit) {
  core.OpenPort(gSetting.port);
  EXPECT_EQ(core.FPortError, 0u);
  ASSERT_NE(core.FPortHandle, TSerialApi::kInvalidHandle);
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  ASSERT_TRUE(GetCommState(PortHandle(), &dcb));
  EXPECT_EQ(dcb.BaudRate, 19200u);
  EXPECT_EQ(dcb.ByteSize, 8);
  EXPECT_EQ(dcb.Parity, NOPARITY);
  EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
  COMMTIMEOUTS timeouts{};
  ASSERT_TRUE(GetCommTimeouts(PortHandle(), &timeouts));
  EXPECT_EQ(timeouts.ReadIntervalTimeout, MAXDWORD);
  EXPECT_EQ(timeouts.ReadTotalTimeoutConstant, 0u);
}

TEST_F(SerialPortUnderWine, TheStatusPollFindsTheInserterAndShowsItsText) {
  core.OpenPort(gSetting.port);
  ASSERT_TRUE(PollUntilFound()) << "status: " << view.status;
  EXPECT_EQ(view.status, gSetting.status + " Ready");
  EXPECT_FALSE(view.portButtonShown);
  EXPECT_TRUE(view.xyEnabled);
}

TEST_F(SerialPortUnderWine, ASizeAndPositionIsAcknowledged) {
  core.OpenPort(gSetting.port);
  TBytes stale;
  core.ReadAvailable(stale);
  core.SendSizeAndPosition(0, 0, 60, 70);
  EXPECT_TRUE(core.WaitReply(TLogoCore::kAckSizeAndPosition, kAckWaitMs, false, false));
  // And the way the X and Y controls send it, once the poll has found the inserter.
  ASSERT_TRUE(PollUntilFound());
  view.x = 61;
  core.UpdatePosition();
  EXPECT_TRUE(view.retryMessages.empty());
}

TEST_F(SerialPortUnderWine, APortWithNoDeviceBehindItDoesNotOpen) {
  core.OpenPort(gSetting.absentPort);
  EXPECT_EQ(core.FPortError, 100u);
  EXPECT_EQ(core.FPortHandle, TSerialApi::kInvalidHandle);
  core.tmReadyTimer();
  EXPECT_EQ(view.status, "Logo Inserter Not Found");
}

TEST_F(SerialPortUnderWine, PortsAboveNineOpenThroughTheDeviceNamespace) {
  if (gSetting.port <= 9) GTEST_SKIP() << "this run's port is COM" << gSetting.port;
  core.OpenPort(gSetting.port);
  EXPECT_EQ(core.FPortError, 0u);
  EXPECT_NE(core.FPortHandle, TSerialApi::kInvalidHandle);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--port") == 0)
      gSetting.port = std::atoi(argv[i + 1]);
    else if (std::strcmp(argv[i], "--absent-port") == 0)
      gSetting.absentPort = std::atoi(argv[i + 1]);
    else if (std::strcmp(argv[i], "--status") == 0)
      gSetting.status = argv[i + 1];
  }
  if (gSetting.port <= 0 || gSetting.absentPort <= 0) {
    std::fprintf(stderr, "usage: %s --port N --absent-port M --status TEXT\n", argv[0]);
    return 2;
  }
  return RUN_ALL_TESTS();
}
