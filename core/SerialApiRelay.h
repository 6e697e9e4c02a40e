#pragma once

#include "SerialApi.h"

namespace pavina::core {

// Passes every serial call on to another binding, so that a wrapper that watches or
// records some of them overrides only those.
class TSerialApiRelay : public TSerialApi {
 public:
  explicit TSerialApiRelay(TSerialApi& inner) : inner_(inner) {}

  Handle OpenComPort(std::int32_t n) override { return inner_.OpenComPort(n); }
  bool GetCommTimeouts(Handle h, Timeouts& t) override { return inner_.GetCommTimeouts(h, t); }
  bool SetCommTimeouts(Handle h, const Timeouts& t) override {
    return inner_.SetCommTimeouts(h, t);
  }
  bool GetCommState(Handle h, LineSettings& s) override { return inner_.GetCommState(h, s); }
  bool SetCommState(Handle h, const LineSettings& s) override { return inner_.SetCommState(h, s); }
  bool SetCommMask(Handle h, std::uint32_t m) override { return inner_.SetCommMask(h, m); }
  bool EscapeCommFunction(Handle h, std::uint32_t f) override {
    return inner_.EscapeCommFunction(h, f);
  }
  bool WriteFile(Handle h, const std::uint8_t* data, std::uint32_t length) override {
    return inner_.WriteFile(h, data, length);
  }
  bool ReadFile(Handle h, std::uint8_t& byte, std::uint32_t& count) override {
    return inner_.ReadFile(h, byte, count);
  }
  bool CloseHandle(Handle h) override { return inner_.CloseHandle(h); }
  std::uint32_t GetLastError() override { return inner_.GetLastError(); }

 protected:
  TSerialApi& inner_;
};

}  // namespace pavina::core
