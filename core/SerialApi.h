#pragma once

#include <array>
#include <cstdint>

namespace pavina::core {

// The operating system's serial calls, one method per call, so that the link logic
// (which call comes when, which failure skips what) is ours and testable, and the
// platform binding stays a thin pass-through. Ports are numbers: each binding names
// the device behind COMn itself.
class TSerialApi {
 public:
  using Handle = std::uintptr_t;
  static constexpr Handle kInvalidHandle = ~Handle{0};

  struct Timeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readTotalMultiplier = 0;
    std::uint32_t readTotalConstant = 0;
    std::uint32_t writeTotalMultiplier = 0;
    std::uint32_t writeTotalConstant = 0;
  };

  // The four line fields the link sets, plus the driver's whole control block as it
  // was read, so that every other field goes back to the driver unchanged.
  struct LineSettings {
    std::uint32_t baudRate = 0;
    std::uint8_t byteSize = 0;
    std::uint8_t parity = 0;
    std::uint8_t stopBits = 0;
    std::array<std::uint8_t, 64> driverBlock{};
  };

  static constexpr std::uint32_t kEventTxEmpty = 4;
  static constexpr std::uint32_t kClearRts = 4;

  virtual ~TSerialApi() = default;

  // Opens serial port n (COMn) exclusively for reading and writing, under the device name
  // that the platform gives it; kInvalidHandle when there is no such port or it fails.
  virtual Handle OpenComPort(std::int32_t n) = 0;
  virtual bool GetCommTimeouts(Handle handle, Timeouts& timeouts) = 0;
  virtual bool SetCommTimeouts(Handle handle, const Timeouts& timeouts) = 0;
  virtual bool GetCommState(Handle handle, LineSettings& settings) = 0;
  virtual bool SetCommState(Handle handle, const LineSettings& settings) = 0;
  virtual bool SetCommMask(Handle handle, std::uint32_t mask) = 0;
  virtual bool EscapeCommFunction(Handle handle, std::uint32_t function) = 0;
  // One synchronous write of all bytes; the caller ignores the outcome.
  virtual bool WriteFile(Handle handle, const std::uint8_t* data, std::uint32_t length) = 0;
  // Reads at most one byte without waiting; false or bytesRead 0 when nothing came.
  virtual bool ReadFile(Handle handle, std::uint8_t& byte, std::uint32_t& bytesRead) = 0;
  virtual bool CloseHandle(Handle handle) = 0;
  // The error code of the last call that failed.
  virtual std::uint32_t GetLastError() = 0;
};

}  // namespace pavina::core
