#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "SerialApi.h"

namespace pavina::core {

// The serial seam over a POSIX terminal device. COM port n is /dev/ttyS(n-1), the way
// Linux numbers the PC's serial ports, unless the ports are given a map of their own (a
// USB adapter, the simulator's pseudo-terminal); in that case only the mapped ports exist.
//
// A port is held exclusively: flock keeps out every program that asks the same (another
// Pavina, and root), TIOCEXCL keeps out other programs' opens of the terminal. Error codes
// (GetLastError) are errno values; a port held by another program reports EBUSY.
class TPosixSerialApi final : public TSerialApi {
 public:
  TPosixSerialApi() = default;
  explicit TPosixSerialApi(std::map<int, std::string> devicesByPort)
      : devicesByPort_(std::move(devicesByPort)) {}

  // The device behind COM n without a map: /dev/ttyS(n-1); nothing for n < 1.
  static std::optional<std::string> StandardDevice(int n);
  // The device that COM n opens, or nothing when there is no such port.
  std::optional<std::string> DeviceFor(int n) const;

  Handle OpenComPort(std::int32_t n) override;
  bool GetCommTimeouts(Handle handle, Timeouts& timeouts) override;
  bool SetCommTimeouts(Handle handle, const Timeouts& timeouts) override;
  bool GetCommState(Handle handle, LineSettings& settings) override;
  bool SetCommState(Handle handle, const LineSettings& settings) override;
  bool SetCommMask(Handle handle, std::uint32_t mask) override;
  bool EscapeCommFunction(Handle handle, std::uint32_t function) override;
  bool WriteFile(Handle handle, const std::uint8_t* data, std::uint32_t length) override;
  bool ReadFile(Handle handle, std::uint8_t& byte, std::uint32_t& bytesRead) override;
  bool CloseHandle(Handle handle) override;
  std::uint32_t GetLastError() override { return lastError_; }

  // A write that the device takes nothing of for this long fails (a port held by hardware
  // flow control, a device gone), so that a dead line cannot hang the program.
  static constexpr int kWriteStallMs = 10000;

 private:
  bool Fail(int error);

  std::optional<std::map<int, std::string>> devicesByPort_;
  std::uint32_t lastError_ = 0;
};

}  // namespace pavina::core
