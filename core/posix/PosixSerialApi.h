#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "SerialApi.h"

// The serial seam over a POSIX terminal device, so that the core can talk to the inserter
// simulator natively (benchmarks, native integration tests). COM port names map to device
// paths given at construction; every other name does not exist.
class TPosixSerialApi final : public TSerialApi {
 public:
  explicit TPosixSerialApi(std::map<int, std::string> devicesByPort)
      : devicesByPort_(std::move(devicesByPort)) {}

  Handle CreateFileA(const std::string& deviceName) override;
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

 private:
  bool Fail(int error);

  std::map<int, std::string> devicesByPort_;
  std::uint32_t lastError_ = 0;
};
