#pragma once

#include <functional>
#include <optional>
#include <string>

#include "FakeSerial.h"

namespace pavina::core {

// A minimal inserter for the core's own tests: it recognises each write by its bytes and
// answers after a fixed virtual delay. `answer` may replace or suppress any answer, so a
// test can fail exactly one step. Kept apart from the full simulator on purpose: these
// tests state the wire sequence themselves.
class TScriptedInserter {
 public:
  enum class Step { Clear, Header, Data, SizeAndPosition, Status, Other };

  TScriptedInserter(TFakeSerial& serial, TVirtualClock& clock) : serial_(serial), clock_(clock) {
    serial_.onWrite = [this](const TBytes& w) { OnWrite(w); };
  }

  std::uint32_t delayMs = 5;
  // Clearing its memory takes the device longer than the host's 20 ms pause.
  std::uint32_t clearDelayMs = 150;
  std::string statusText = "SIM";
  // (step, line number since the last clear) -> bytes to send instead, or nullopt for the
  // usual answer. An empty TBytes means: answer nothing.
  std::function<std::optional<TBytes>(Step, int)> answer;
  int headers = 0;

 private:
  void OnWrite(const TBytes& w) {
    const TBytes clear = {0xF1, 0xF1, 0x88, 0x88, 0x84, 0x18};
    const TBytes headerStart = {0xF1, 0xF1, 0x88, 0x88, 0x84, 0x44};
    if (w == clear) {
      headers = 0;
      Reply(Step::Clear, -1, {0x26}, clearDelayMs);
    } else if (w.size() == 8 && std::equal(headerStart.begin(), headerStart.end(), w.begin())) {
      line_ = headers++;
      expectData_ = true;
      Reply(Step::Header, line_, {0x27});
    } else if (w.size() == 6 && w[0] == 0xF1 && w[1] == 0xF2) {
      expectData_ = dataSeen_ = false;
      Reply(Step::SizeAndPosition, -1, {0x13});
    } else if (w == TBytes{0xF1, 0xF3}) {
      TBytes reply{static_cast<std::uint8_t>(statusText.size())};
      reply.insert(reply.end(), statusText.begin(), statusText.end());
      Reply(Step::Status, -1, reply);
    } else if (expectData_ && !IsFiller(w)) {
      dataSeen_ = true;
      expectData_ = false;
    } else if (dataSeen_ && IsFiller(w) && w.size() == 20) {
      dataSeen_ = false;
      Reply(Step::Data, line_, {0x00});
    }
  }
  static bool IsFiller(const TBytes& w) {
    return !w.empty() && std::all_of(w.begin(), w.end(), [](auto b) { return b == 0x37; });
  }
  void Reply(Step step, int line, TBytes usual) { Reply(step, line, std::move(usual), delayMs); }
  void Reply(Step step, int line, TBytes usual, std::uint32_t delay) {
    if (answer) {
      if (auto replaced = answer(step, line)) usual = *replaced;
    }
    if (!usual.empty()) serial_.Deliver(usual, clock_.Now() + delay);
  }

  TFakeSerial& serial_;
  TVirtualClock& clock_;
  int line_ = 0;
  bool expectData_ = false;
  bool dataSeen_ = false;
};

}  // namespace pavina::core
