// The core's serial link through kernel32 under Wine, against the inserter simulator on a
// pseudo-terminal mapped as a COM port (run-with-simulator.sh sets that up).
//   win32_serial_tests.exe --port N --absent-port M --status TEXT [gtest options]
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BmpReader.h"
#include "BmpTestFile.h"
#include "HeadlessView.h"
#include "LogoCore.h"
#include "win32/Win32Clock.h"
#include "win32/Win32SerialApi.h"

namespace pavina::core {
namespace {

struct TTestSetting {
  int port = 0;
  int absentPort = 0;
  std::string status;
  std::string logoOut;
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

TEST(Win32SerialPortNames, EveryPortOpensThroughTheDeviceNamespace) {
  // COM10 and above open only so; the lower ones take the same form.
  EXPECT_EQ(TWin32SerialApi::DeviceName(1), "\\\\.\\COM1");
  EXPECT_EQ(TWin32SerialApi::DeviceName(15), "\\\\.\\COM15");
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

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST_F(SerialPortUnderWine, AWholeUploadArrivesAsTheImageAndItsKey) {
  if (gSetting.logoOut.empty()) GTEST_SKIP() << "no --logo-out given";
  // A 9 x 4 logo whose pixels all differ, written as a bitmap and loaded as the operator would.
  constexpr int kWidth = 9, kHeight = 4;
  pictures::TBmpTestFile file;
  file.width = kWidth;
  file.height = kHeight;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      file.pixels.push_back(static_cast<std::uint32_t>(x * 29 + 3) |
                            static_cast<std::uint32_t>(y * 61 + 7) << 8 |
                            static_cast<std::uint32_t>(x * y * 13) << 16);
  char folder[MAX_PATH];
  ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
  const std::string image = std::string(folder) + "pavina-wine-upload.bmp";
  {
    const auto bytes = file.Write();
    std::ofstream out(image, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  std::remove((gSetting.logoOut + ".txt").c_str());
  view.fileAnswers.push_back(image);
  core.btLoadImageClick();
  ASSERT_TRUE(core.FImageLoaded);
  view.keyOffset = 0;

  core.OpenPort(gSetting.port);
  ASSERT_TRUE(PollUntilFound());
  core.btSaveClick();
  std::remove(image.c_str());
  EXPECT_TRUE(view.retryMessages.empty()) << view.retryMessages.front();

  // The simulator writes its files once the upload is complete; give it a moment.
  std::string description;
  for (int i = 0; i < 50 && description.find("upload") == std::string::npos; ++i) {
    Sleep(100);
    const auto bytes = ReadWholeFile(gSetting.logoOut + ".txt");
    description.assign(bytes.begin(), bytes.end());
  }
  EXPECT_NE(description.find("width 9\nheight 4\n"), std::string::npos) << description;
  EXPECT_NE(description.find("size-matches yes"), std::string::npos) << description;
  const auto colourFile = ReadWholeFile(gSetting.logoOut + "-colour.bmp");
  const auto keyFile = ReadWholeFile(gSetting.logoOut + "-key.bmp");
  pictures::TRaster colour, key;
  ASSERT_TRUE(pictures::ReadBmp(colourFile.data(), colourFile.size(), colour));
  ASSERT_TRUE(pictures::ReadBmp(keyFile.data(), keyFile.size(), key));
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      // Six bits of each component reach the inserter; the automatic key is white here.
      EXPECT_EQ(colour.ReadPixel(x, y), core.Image().ReadPixel(x, y) & 0xFCFCFCu) << x << "," << y;
      EXPECT_EQ(key.ReadPixel(x, y) & 0xFF, 252u) << x << "," << y;
    }
  }
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
}  // namespace pavina::core

int main(int argc, char** argv) {
  using namespace pavina::core;
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--port") == 0)
      gSetting.port = std::atoi(argv[i + 1]);
    else if (std::strcmp(argv[i], "--absent-port") == 0)
      gSetting.absentPort = std::atoi(argv[i + 1]);
    else if (std::strcmp(argv[i], "--status") == 0)
      gSetting.status = argv[i + 1];
    else if (std::strcmp(argv[i], "--logo-out") == 0)
      gSetting.logoOut = argv[i + 1];
  }
  if (gSetting.port <= 0 || gSetting.absentPort <= 0) {
    std::fprintf(stderr, "usage: %s --port N --absent-port M --status TEXT\n", argv[0]);
    return 2;
  }
  return RUN_ALL_TESTS();
}
