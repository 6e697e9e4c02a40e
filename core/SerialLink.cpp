#include "LogoCore.h"

namespace pavina::core {

namespace {
constexpr std::uint32_t kPortDidNotOpen = 100;
constexpr std::uint32_t kMaxDword = 0xFFFFFFFFu;
// A device that never stops talking must not keep one read going for ever or grow its
// result without bound; what is left waits for the next read.
constexpr std::size_t kMaxBytesPerRead = 64 * 1024;
}  // namespace

TLinkResult TLogoCore::OpenPort(std::int32_t n) {
  FPortError = 0;
  FPortHandle = TSerialApi::kInvalidHandle;
  TLinkResult result;

  FPortHandle = serial_.OpenComPort(n);
  if (FPortHandle == TSerialApi::kInvalidHandle) {
    FPortError = kPortDidNotOpen;
    result = {TLinkStep::Open, serial_.GetLastError()};
  }

  // Each configuration step runs only while every earlier one succeeded; the first
  // failure records the system's code and leaves the port open as it is.
  auto step = [this, &result](TLinkStep name, bool succeeded) {
    if (succeeded) return;
    FPortError = serial_.GetLastError();
    result = {name, FPortError};
  };
  TSerialApi::Timeouts timeouts;
  if (FPortError == 0) step(TLinkStep::GetTimeouts, serial_.GetCommTimeouts(FPortHandle, timeouts));
  if (FPortError == 0) {
    timeouts = TSerialApi::Timeouts{};
    timeouts.readInterval = kMaxDword;  // with the totals 0: a read returns at once
    step(TLinkStep::SetTimeouts, serial_.SetCommTimeouts(FPortHandle, timeouts));
  }
  TSerialApi::LineSettings line;
  if (FPortError == 0) step(TLinkStep::GetState, serial_.GetCommState(FPortHandle, line));
  if (FPortError == 0) {
    line.baudRate = 19200;
    line.byteSize = 8;
    line.parity = 0;
    line.stopBits = 0;
    step(TLinkStep::SetState, serial_.SetCommState(FPortHandle, line));
  }
  if (FPortError == 0)
    step(TLinkStep::SetMask, serial_.SetCommMask(FPortHandle, TSerialApi::kEventTxEmpty));

  // Always, even on a failed open: the call then fails harmlessly.
  serial_.EscapeCommFunction(FPortHandle, TSerialApi::kClearRts);
  return result;
}

TLinkResult TLogoCore::ClosePort() {
  TLinkResult result{TLinkStep::NotOpen};
  if (FPortHandle != TSerialApi::kInvalidHandle) {
    result = {};
    if (!serial_.CloseHandle(FPortHandle)) result = {TLinkStep::Close, serial_.GetLastError()};
  }
  FPortHandle = TSerialApi::kInvalidHandle;
  return result;
}

TLinkResult TLogoCore::SendString(const TBytes& s) {
  if (FPortHandle == TSerialApi::kInvalidHandle) return {TLinkStep::NotOpen};
  if (s.empty()) return {};
  if (!serial_.WriteFile(FPortHandle, s.data(), static_cast<std::uint32_t>(s.size())))
    return {TLinkStep::Write, serial_.GetLastError()};
  return {};
}

TLinkResult TLogoCore::ReadAvailable(TBytes& s) {
  s.clear();
  if (FPortHandle == TSerialApi::kInvalidHandle) return {TLinkStep::NotOpen};
  while (s.size() < kMaxBytesPerRead) {
    std::uint8_t byte = 0;
    std::uint32_t count = 0;
    if (!serial_.ReadFile(FPortHandle, byte, count))
      return {TLinkStep::Read, serial_.GetLastError()};
    if (count == 0) break;
    s.push_back(byte);
  }
  return {};
}

}  // namespace pavina::core
