#include "LogoCore.h"

namespace pavina::core {

namespace {
constexpr std::uint32_t kPortDidNotOpen = 100;
constexpr std::uint32_t kMaxDword = 0xFFFFFFFFu;
// A device that never stops talking must not keep one read going for ever or grow its
// result without bound; what is left waits for the next read.
constexpr std::size_t kMaxBytesPerRead = 64 * 1024;
}  // namespace

void TLogoCore::OpenPort(std::int32_t n) {
  FPortError = 0;
  FPortHandle = TSerialApi::kInvalidHandle;

  FPortHandle = serial_.OpenComPort(n);
  if (FPortHandle == TSerialApi::kInvalidHandle) FPortError = kPortDidNotOpen;

  // Each configuration step runs only while every earlier one succeeded; the first
  // failure records the system's code and leaves the port open as it is.
  auto step = [this](bool succeeded) {
    if (!succeeded) FPortError = serial_.GetLastError();
  };
  TSerialApi::Timeouts timeouts;
  if (FPortError == 0) step(serial_.GetCommTimeouts(FPortHandle, timeouts));
  if (FPortError == 0) {
    timeouts = TSerialApi::Timeouts{};
    timeouts.readInterval = kMaxDword;  // with the totals 0: a read returns at once
    step(serial_.SetCommTimeouts(FPortHandle, timeouts));
  }
  TSerialApi::LineSettings line;
  if (FPortError == 0) step(serial_.GetCommState(FPortHandle, line));
  if (FPortError == 0) {
    line.baudRate = 19200;
    line.byteSize = 8;
    line.parity = 0;
    line.stopBits = 0;
    step(serial_.SetCommState(FPortHandle, line));
  }
  if (FPortError == 0) step(serial_.SetCommMask(FPortHandle, TSerialApi::kEventTxEmpty));

  // Always, even on a failed open: the call then fails harmlessly.
  serial_.EscapeCommFunction(FPortHandle, TSerialApi::kClearRts);
}

void TLogoCore::ClosePort() {
  if (FPortHandle != TSerialApi::kInvalidHandle) serial_.CloseHandle(FPortHandle);
  FPortHandle = TSerialApi::kInvalidHandle;
}

void TLogoCore::SendString(const TBytes& s) {
  if (FPortHandle == TSerialApi::kInvalidHandle || s.empty()) return;
  serial_.WriteFile(FPortHandle, s.data(), static_cast<std::uint32_t>(s.size()));
}

void TLogoCore::ReadAvailable(TBytes& s) {
  s.clear();
  if (FPortHandle == TSerialApi::kInvalidHandle) return;
  while (s.size() < kMaxBytesPerRead) {
    std::uint8_t byte = 0;
    std::uint32_t count = 0;
    if (!serial_.ReadFile(FPortHandle, byte, count) || count == 0) return;
    s.push_back(byte);
  }
}

}  // namespace pavina::core
