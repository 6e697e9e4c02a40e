#include "PosixSerialApi.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorInvalidParameter = 87;

int ToFd(TSerialApi::Handle handle) {
  return static_cast<int>(handle);
}

// "\\.\COM12" or "COM12" -> 12; 0 when the name is not a COM port.
int PortNumber(const std::string& name) {
  const auto at = name.rfind("COM");
  if (at == std::string::npos || at + 3 >= name.size()) return 0;
  int n = 0;
  for (std::size_t i = at + 3; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9' || n > 1000) return 0;
    n = n * 10 + (name[i] - '0');
  }
  return n;
}

speed_t ToSpeed(std::uint32_t baud) {
  switch (baud) {
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return B0;
  }
}
}  // namespace

bool TPosixSerialApi::Fail(int error) {
  lastError_ = static_cast<std::uint32_t>(error);
  return false;
}

TSerialApi::Handle TPosixSerialApi::CreateFileA(const std::string& deviceName) {
  const auto found = devicesByPort_.find(PortNumber(deviceName));
  if (found == devicesByPort_.end()) {
    lastError_ = kErrorFileNotFound;
    return kInvalidHandle;
  }
  const int fd = open(found->second.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    lastError_ = errno == ENOENT ? kErrorFileNotFound : static_cast<std::uint32_t>(errno);
    return kInvalidHandle;
  }
  return static_cast<Handle>(fd);
}

// A terminal has no time-outs of its own: the device is opened non-blocking, which is what
// the link's time-outs ask for (a read returns at once with what has arrived).
bool TPosixSerialApi::GetCommTimeouts(Handle handle, Timeouts& timeouts) {
  termios t{};
  if (tcgetattr(ToFd(handle), &t) != 0) return Fail(errno);
  timeouts = Timeouts{};
  return true;
}

bool TPosixSerialApi::SetCommTimeouts(Handle handle, const Timeouts& timeouts) {
  if (timeouts.readInterval != 0xFFFFFFFFu || timeouts.readTotalConstant != 0 ||
      timeouts.readTotalMultiplier != 0)
    return Fail(kErrorInvalidParameter);
  termios t{};
  if (tcgetattr(ToFd(handle), &t) != 0) return Fail(errno);
  return true;
}

bool TPosixSerialApi::GetCommState(Handle handle, LineSettings& settings) {
  termios t{};
  if (tcgetattr(ToFd(handle), &t) != 0) return Fail(errno);
  static_assert(sizeof(termios) <= sizeof(settings.driverBlock), "termios must fit");
  std::memcpy(settings.driverBlock.data(), &t, sizeof t);
  settings.baudRate = cfgetospeed(&t) == B19200 ? 19200 : 9600;
  settings.byteSize = (t.c_cflag & CSIZE) == CS8 ? 8 : 7;
  settings.parity = (t.c_cflag & PARENB) ? 2 : 0;
  settings.stopBits = (t.c_cflag & CSTOPB) ? 2 : 0;
  return true;
}

bool TPosixSerialApi::SetCommState(Handle handle, const LineSettings& settings) {
  termios t{};
  std::memcpy(&t, settings.driverBlock.data(), sizeof t);
  const speed_t speed = ToSpeed(settings.baudRate);
  if (speed == B0 || settings.byteSize != 8 || settings.parity != 0 || settings.stopBits != 0)
    return Fail(kErrorInvalidParameter);
  // Bytes pass unchanged: no translation, echo or line discipline.
  cfmakeraw(&t);
  cfsetispeed(&t, speed);
  cfsetospeed(&t, speed);
  t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB);
  if (tcsetattr(ToFd(handle), TCSANOW, &t) != 0) return Fail(errno);
  return true;
}

bool TPosixSerialApi::SetCommMask(Handle handle, std::uint32_t) {
  termios t{};
  if (tcgetattr(ToFd(handle), &t) != 0) return Fail(errno);
  return true;
}

bool TPosixSerialApi::EscapeCommFunction(Handle handle, std::uint32_t) {
  if (handle == kInvalidHandle) return Fail(6);
  return true;  // a pseudo-terminal has no RTS line
}

bool TPosixSerialApi::WriteFile(Handle handle, const std::uint8_t* data, std::uint32_t length) {
  // A synchronous write: wait until the device has taken every byte.
  std::uint32_t done = 0;
  while (done < length) {
    const ssize_t n = write(ToFd(handle), data + done, length - done);
    if (n > 0) {
      done += static_cast<std::uint32_t>(n);
    } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
      return Fail(errno);
    } else {
      usleep(200);
    }
  }
  return true;
}

bool TPosixSerialApi::ReadFile(Handle handle, std::uint8_t& byte, std::uint32_t& bytesRead) {
  bytesRead = 0;
  const ssize_t n = read(ToFd(handle), &byte, 1);
  if (n == 1) {
    bytesRead = 1;
    return true;
  }
  if (n < 0 && errno != EAGAIN && errno != EINTR) return Fail(errno);
  return true;
}

bool TPosixSerialApi::CloseHandle(Handle handle) {
  if (close(ToFd(handle)) != 0) return Fail(errno);
  return true;
}
