#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "Bytes.h"
#include "SerialApi.h"
#include "VirtualClock.h"

namespace pavina::core {

// An in-process serial port on a virtual clock. It records every call and every write,
// delivers scripted input from a given virtual time on, and can fail any call.
class TFakeSerial final : public TSerialApi {
 public:
  static constexpr Handle kHandle = 0x1234;

  explicit TFakeSerial(TVirtualClock& clock) : clock_(clock) {}

  // Configuration.
  bool deviceExists = true;
  std::string failingCall;  // name of the call that fails ("SetCommState", ...)
  std::uint32_t failingError = 0;
  bool readFails = false;
  // Called after each write with its bytes; may Deliver() replies.
  std::function<void(const TBytes&)> onWrite;

  // Makes bytes readable from virtual time `at` on (default: now).
  void Deliver(const TBytes& bytes) { Deliver(bytes, clock_.Now()); }
  void Deliver(const TBytes& bytes, std::uint32_t at) {
    for (auto b : bytes) input_.push_back({at, b});
  }
  std::size_t PendingInput() const { return input_.size(); }

  // What happened.
  std::vector<std::string> calls;
  std::vector<TBytes> writes;
  std::int32_t openedPort = 0;
  LineSettings lastState;
  Timeouts lastTimeouts;
  std::uint32_t lastMask = 0;
  bool open = false;
  int closeCount = 0;

  TBytes AllWritten() const {
    TBytes all;
    for (const auto& w : writes) all.insert(all.end(), w.begin(), w.end());
    return all;
  }

  Handle OpenComPort(std::int32_t n) override {
    calls.push_back("OpenComPort");
    openedPort = n;
    if (!deviceExists || open) {
      lastError_ = 2;
      return kInvalidHandle;
    }
    open = true;
    return kHandle;
  }
  bool GetCommTimeouts(Handle h, Timeouts& t) override {
    if (!Call("GetCommTimeouts", h)) return false;
    t = Timeouts{1, 2, 3, 4, 5};
    return true;
  }
  bool SetCommTimeouts(Handle h, const Timeouts& t) override {
    if (!Call("SetCommTimeouts", h)) return false;
    lastTimeouts = t;
    return true;
  }
  bool GetCommState(Handle h, LineSettings& s) override {
    if (!Call("GetCommState", h)) return false;
    s.baudRate = 9600;
    s.byteSize = 7;
    s.parity = 2;
    s.stopBits = 2;
    for (std::size_t i = 0; i < s.driverBlock.size(); ++i)
      s.driverBlock[i] = static_cast<std::uint8_t>(0xA0 + i);
    return true;
  }
  bool SetCommState(Handle h, const LineSettings& s) override {
    if (!Call("SetCommState", h)) return false;
    lastState = s;
    return true;
  }
  bool SetCommMask(Handle h, std::uint32_t mask) override {
    if (!Call("SetCommMask", h)) return false;
    lastMask = mask;
    return true;
  }
  bool EscapeCommFunction(Handle h, std::uint32_t function) override {
    calls.push_back("EscapeCommFunction:" + std::to_string(function));
    if (h != kHandle || !open) {
      lastError_ = 6;
      return false;
    }
    return true;
  }
  bool WriteFile(Handle h, const std::uint8_t* data, std::uint32_t length) override {
    if (h != kHandle || !open) return false;
    writes.emplace_back(data, data + length);
    if (onWrite) onWrite(writes.back());
    return true;
  }
  bool ReadFile(Handle h, std::uint8_t& byte, std::uint32_t& bytesRead) override {
    bytesRead = 0;
    if (h != kHandle || !open || readFails) return false;
    if (input_.empty() || static_cast<std::int32_t>(input_.front().at - clock_.Now()) > 0)
      return true;
    byte = input_.front().byte;
    input_.pop_front();
    bytesRead = 1;
    return true;
  }
  bool CloseHandle(Handle h) override {
    calls.push_back("CloseHandle");
    if (h != kHandle || !open) return false;
    open = false;
    ++closeCount;
    return true;
  }
  std::uint32_t GetLastError() override { return lastError_; }

 private:
  struct Timed {
    std::uint32_t at;
    std::uint8_t byte;
  };
  bool Call(const std::string& name, Handle h) {
    calls.push_back(name);
    if (h != kHandle || !open) {
      lastError_ = 6;
      return false;
    }
    if (failingCall == name) {
      lastError_ = failingError;
      return false;
    }
    return true;
  }

  TVirtualClock& clock_;
  std::deque<Timed> input_;
  std::uint32_t lastError_ = 0;
};

}  // namespace pavina::core
