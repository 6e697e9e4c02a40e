// The POSIX serial binding on a pseudo-terminal: the port held exclusively and handed back,
// the line set raw at 19200 8N1, and COM numbers without a map.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "PosixSerialApi.h"

namespace pavina::cli {

namespace {

class PosixSerialPort : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[64] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    device = name;
  }
  void TearDown() override {
    close(slave);
    close(master);
  }
  int Exclusive() const {
    int on = -1;
    return ioctl(slave, TIOCGEXCL, &on) == 0 ? on : -1;
  }
  int master = -1, slave = -1;
  std::string device;
};

TEST_F(PosixSerialPort, HeldByOneProgramAtATimeAndHandedBack) {
  core::TPosixSerialApi first({{3, device}}), second({{3, device}});
  const auto held = first.OpenComPort(3);
  ASSERT_NE(held, core::TSerialApi::kInvalidHandle) << first.GetLastError();
  EXPECT_EQ(second.OpenComPort(3), core::TSerialApi::kInvalidHandle);
  EXPECT_EQ(second.GetLastError(), static_cast<std::uint32_t>(EBUSY));
  // Only mapped ports exist when there is a map.
  EXPECT_EQ(second.OpenComPort(4), core::TSerialApi::kInvalidHandle);
  EXPECT_EQ(second.GetLastError(), static_cast<std::uint32_t>(ENOENT));

  // The terminal refuses other programs' opens (root's aside) while the port is held...
  EXPECT_EQ(Exclusive(), 1);
  EXPECT_TRUE(first.CloseHandle(held));
  // ...and not after: the exclusive mode goes with the port.
  EXPECT_EQ(Exclusive(), 0);
  const auto again = second.OpenComPort(3);
  ASSERT_NE(again, core::TSerialApi::kInvalidHandle) << second.GetLastError();
  second.CloseHandle(again);
}

TEST_F(PosixSerialPort, TheLineIsRaw19200With8DataBitsNoParityOneStopBit) {
  core::TPosixSerialApi api({{1, device}});
  const auto port = api.OpenComPort(1);
  ASSERT_NE(port, core::TSerialApi::kInvalidHandle);
  core::TSerialApi::LineSettings line;
  ASSERT_TRUE(api.GetCommState(port, line));
  line.baudRate = 19200;
  line.byteSize = 8;
  line.parity = 0;
  line.stopBits = 0;
  ASSERT_TRUE(api.SetCommState(port, line));
  termios t{};
  ASSERT_EQ(tcgetattr(slave, &t), 0);
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B19200));
  EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB | CLOCAL | CREAD), CS8 | CLOCAL | CREAD);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_iflag & (ICRNL | IXON | ISTRIP), 0u);
  // Seven bits or a parity are not what the inserter speaks: refused, the line unchanged.
  line.parity = 2;
  EXPECT_FALSE(api.SetCommState(port, line));
  EXPECT_EQ(api.GetLastError(), static_cast<std::uint32_t>(EINVAL));

  // Bytes pass unchanged both ways, a zero and a line end included; a read never waits.
  const std::uint8_t out[] = {0xF1, 0x00, '\n', '\r', 0x03};
  ASSERT_TRUE(api.WriteFile(port, out, sizeof out));
  std::uint8_t got[8] = {};
  EXPECT_EQ(read(master, got, sizeof got), static_cast<ssize_t>(sizeof out));
  EXPECT_EQ(0, std::memcmp(got, out, sizeof out));
  ASSERT_EQ(write(master, out, 2), 2);
  std::uint8_t byte = 0;
  std::uint32_t count = 0;
  for (const std::uint8_t expected : {0xF1, 0x00}) {
    ASSERT_TRUE(api.ReadFile(port, byte, count));
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(byte, expected);
  }
  EXPECT_TRUE(api.ReadFile(port, byte, count));
  EXPECT_EQ(count, 0u);
  api.CloseHandle(port);
}

TEST(PosixSerialPortNames, ComNumbersAreTheStandardDevices) {
  EXPECT_EQ(core::TPosixSerialApi::StandardDevice(1), "/dev/ttyS0");
  EXPECT_EQ(core::TPosixSerialApi::StandardDevice(12), "/dev/ttyS11");
  EXPECT_FALSE(core::TPosixSerialApi::StandardDevice(0));
  EXPECT_FALSE(core::TPosixSerialApi::StandardDevice(-3));
  core::TPosixSerialApi standard;
  EXPECT_EQ(standard.DeviceFor(2), "/dev/ttyS1");
  EXPECT_EQ(standard.OpenComPort(0), core::TSerialApi::kInvalidHandle);
  EXPECT_EQ(standard.GetLastError(), static_cast<std::uint32_t>(ENOENT));
}

}  // namespace

}  // namespace pavina::cli
