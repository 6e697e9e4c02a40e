#pragma once

#include "SerialApi.h"

// Passes every serial call through and keeps the reason of a failed open, which the link
// itself only records as "did not open" and the next call's error would overwrite.
class TOpenErrorRecorder final : public TSerialApi {
 public:
  explicit TOpenErrorRecorder(TSerialApi& system) : system_(system) {}

  std::uint32_t OpenError() const { return openError_; }

  Handle CreateFileA(const std::string& deviceName) override {
    const Handle handle = system_.CreateFileA(deviceName);
    openError_ = handle == kInvalidHandle ? system_.GetLastError() : 0;
    return handle;
  }
  bool GetCommTimeouts(Handle h, Timeouts& t) override { return system_.GetCommTimeouts(h, t); }
  bool SetCommTimeouts(Handle h, const Timeouts& t) override {
    return system_.SetCommTimeouts(h, t);
  }
  bool GetCommState(Handle h, LineSettings& s) override { return system_.GetCommState(h, s); }
  bool SetCommState(Handle h, const LineSettings& s) override { return system_.SetCommState(h, s); }
  bool SetCommMask(Handle h, std::uint32_t mask) override { return system_.SetCommMask(h, mask); }
  bool EscapeCommFunction(Handle h, std::uint32_t f) override {
    return system_.EscapeCommFunction(h, f);
  }
  bool WriteFile(Handle h, const std::uint8_t* data, std::uint32_t length) override {
    return system_.WriteFile(h, data, length);
  }
  bool ReadFile(Handle h, std::uint8_t& byte, std::uint32_t& count) override {
    return system_.ReadFile(h, byte, count);
  }
  bool CloseHandle(Handle h) override { return system_.CloseHandle(h); }
  std::uint32_t GetLastError() override { return system_.GetLastError(); }

 private:
  TSerialApi& system_;
  std::uint32_t openError_ = 0;
};
