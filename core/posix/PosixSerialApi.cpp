#include "PosixSerialApi.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pavina::core {

namespace {
constexpr int kMaxPortNumber = 255;

int ToFd(TSerialApi::Handle handle) {
  return static_cast<int>(handle);
}

struct TSpeed {
  std::uint32_t baud;
  speed_t speed;
};
constexpr TSpeed kSpeeds[] = {{1200, B1200},   {2400, B2400},   {4800, B4800},   {9600, B9600},
                              {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};

std::uint8_t ByteSize(tcflag_t cflag) {
  switch (cflag & CSIZE) {
    case CS5:
      return 5;
    case CS6:
      return 6;
    case CS7:
      return 7;
    default:
      return 8;
  }
}
}  // namespace

std::optional<std::string> TPosixSerialApi::StandardDevice(int n) {
  if (n < 1 || n > kMaxPortNumber) return std::nullopt;
  return "/dev/ttyS" + std::to_string(n - 1);
}

std::optional<std::string> TPosixSerialApi::DeviceFor(int n) const {
  if (!devicesByPort_) return StandardDevice(n);
  const auto found = devicesByPort_->find(n);
  if (found == devicesByPort_->end()) return std::nullopt;
  return found->second;
}

bool TPosixSerialApi::Fail(int error) {
  lastError_ = static_cast<std::uint32_t>(error);
  return false;
}

TSerialApi::Handle TPosixSerialApi::OpenComPort(std::int32_t n) {
  const std::optional<std::string> device = DeviceFor(n);
  if (!device) {
    Fail(ENOENT);
    return kInvalidHandle;
  }
  // Non-blocking: the open does not wait for a carrier, and a read returns at once.
  const int fd = open(device->c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    Fail(errno);
    return kInvalidHandle;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno == EWOULDBLOCK ? EBUSY : errno;
    close(fd);
    Fail(error);
    return kInvalidHandle;
  }
  // Not fatal where the device is no terminal: the link's first step then finds that out.
  if (isatty(fd)) ioctl(fd, TIOCEXCL);
  return static_cast<Handle>(fd);
}

// A terminal has no time-outs of its own: the device is opened non-blocking and read with
// VMIN = VTIME = 0, which is what the link's time-outs ask for.
bool TPosixSerialApi::GetCommTimeouts(Handle handle, Timeouts& timeouts) {
  termios t{};
  if (tcgetattr(ToFd(handle), &t) != 0) return Fail(errno);
  timeouts = Timeouts{};
  return true;
}

bool TPosixSerialApi::SetCommTimeouts(Handle handle, const Timeouts& timeouts) {
  if (timeouts.readInterval != 0xFFFFFFFFu || timeouts.readTotalConstant != 0 ||
      timeouts.readTotalMultiplier != 0)
    return Fail(EINVAL);
  termios t{};
  if (tcgetattr(ToFd(handle), &t) != 0) return Fail(errno);
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (tcsetattr(ToFd(handle), TCSANOW, &t) != 0) return Fail(errno);
  return true;
}

bool TPosixSerialApi::GetCommState(Handle handle, LineSettings& settings) {
  termios t{};
  if (tcgetattr(ToFd(handle), &t) != 0) return Fail(errno);
  static_assert(sizeof(termios) <= sizeof(settings.driverBlock), "termios must fit");
  std::memcpy(settings.driverBlock.data(), &t, sizeof t);
  settings.baudRate = 0;
  for (const auto& s : kSpeeds)
    if (cfgetospeed(&t) == s.speed) settings.baudRate = s.baud;
  settings.byteSize = ByteSize(t.c_cflag);
  settings.parity = (t.c_cflag & PARENB) ? ((t.c_cflag & PARODD) ? 1 : 2) : 0;
  settings.stopBits = (t.c_cflag & CSTOPB) ? 2 : 0;
  return true;
}

bool TPosixSerialApi::SetCommState(Handle handle, const LineSettings& settings) {
  speed_t speed = B0;
  for (const auto& s : kSpeeds)
    if (settings.baudRate == s.baud) speed = s.speed;
  if (speed == B0 || settings.byteSize != 8 || settings.parity != 0 || settings.stopBits != 0)
    return Fail(EINVAL);
  termios t{};
  std::memcpy(&t, settings.driverBlock.data(), sizeof t);
  // Bytes pass unchanged: no translation, echo or line discipline. Flow control stays as
  // the driver has it; the modem lines are ignored (a three-wire cable has no carrier) and
  // the receiver is on.
  cfmakeraw(&t);
  cfsetispeed(&t, speed);
  cfsetospeed(&t, speed);
  t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (tcsetattr(ToFd(handle), TCSANOW, &t) != 0) return Fail(errno);
  return true;
}

// No operation waits on communication events; the call only checks the device.
bool TPosixSerialApi::SetCommMask(Handle handle, std::uint32_t) {
  termios t{};
  if (tcgetattr(ToFd(handle), &t) != 0) return Fail(errno);
  return true;
}

// Only clearing RTS is asked for. A pseudo-terminal or a USB adapter without modem lines
// refuses it, which the caller ignores.
bool TPosixSerialApi::EscapeCommFunction(Handle handle, std::uint32_t function) {
  if (handle == kInvalidHandle) return Fail(EBADF);
  if (function != kClearRts) return Fail(EINVAL);
  int bits = TIOCM_RTS;
  if (ioctl(ToFd(handle), TIOCMBIC, &bits) != 0) return Fail(errno);
  return true;
}

bool TPosixSerialApi::WriteFile(Handle handle, const std::uint8_t* data, std::uint32_t length) {
  // Synchronous: returns when the device has taken every byte, or when it stops taking any.
  std::uint32_t done = 0;
  while (done < length) {
    const ssize_t n = write(ToFd(handle), data + done, length - done);
    if (n > 0) {
      done += static_cast<std::uint32_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return Fail(errno);
    pollfd ready{ToFd(handle), POLLOUT, 0};
    const int polled = poll(&ready, 1, kWriteStallMs);
    if (polled == 0) return Fail(ETIMEDOUT);
    if (polled < 0 && errno != EINTR) return Fail(errno);
    if (polled > 0 && (ready.revents & (POLLERR | POLLHUP | POLLNVAL))) return Fail(EIO);
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
  // The exclusive mode belongs to the terminal, not to our descriptor: hand it back, or
  // a terminal that someone else keeps open would stay closed to everyone but root.
  if (isatty(ToFd(handle))) ioctl(ToFd(handle), TIOCNXCL);
  if (close(ToFd(handle)) != 0) return Fail(errno);
  return true;
}

}  // namespace pavina::core
