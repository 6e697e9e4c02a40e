#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeSerial.h"
#include "HeadlessView.h"
#include "LogoCore.h"
#include "VirtualClock.h"

namespace pavina::core {

// A core with a headless view, a fake port and a virtual clock, port already open.
class CoreFixture : public ::testing::Test {
 protected:
  CoreFixture() : serial(clock), core(view, serial, clock) { view.core = &core; }

  void OpenPort() {
    core.OpenPort(2);
    serial.calls.clear();
  }

  TVirtualClock clock;
  THeadlessView view;
  TFakeSerial serial;
  TLogoCore core;
};

// One line a write, every byte of it, so that comparing descriptions compares the writes
// whole; runs of three or more equal bytes are written as "37x20" to keep lines readable.
inline std::string Describe(const std::vector<TBytes>& writes) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (const auto& w : writes) {
    for (std::size_t i = 0; i < w.size();) {
      std::size_t run = 1;
      while (i + run < w.size() && w[i + run] == w[i]) ++run;
      const std::string byte{hex[w[i] >> 4], hex[w[i] & 15]};
      if (run >= 3) {
        out += (i > 0 ? " " : "") + byte + "x" + std::to_string(run) + " ";
        i += run;
      } else {
        out += byte;
        ++i;
      }
    }
    out += "\n";
  }
  return out;
}

inline TBytes Repeat(std::uint8_t byte, std::size_t count) {
  return TBytes(count, byte);
}

inline TBytes Concat(std::initializer_list<TBytes> parts) {
  TBytes all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

}  // namespace pavina::core
