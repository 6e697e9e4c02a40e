#pragma once

#include <string>

#include "SerialApi.h"

namespace pavina::core {

// The serial seam over kernel32, call for call.
class TWin32SerialApi final : public TSerialApi {
 public:
  // Ports above COM9 open only through the device namespace, so every port is opened by
  // that name: \\.\COMn.
  static std::string DeviceName(std::int32_t n);

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
  std::uint32_t GetLastError() override;
};

}  // namespace pavina::core
