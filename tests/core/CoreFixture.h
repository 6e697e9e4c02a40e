#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeSerial.h"
#include "HeadlessView.h"
#include "LogoCore.h"
#include "VirtualClock.h"

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

// One line a write, short enough to read in a failure: runs of one byte as "37x20".
inline std::string Describe(const std::vector<TBytes>& writes) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (const auto& w : writes) {
    if (!w.empty() && std::all_of(w.begin(), w.end(), [&](auto b) { return b == w[0]; }) &&
        w.size() > 2) {
      out += std::string{hex[w[0] >> 4], hex[w[0] & 15]} + "x" + std::to_string(w.size());
    } else {
      for (std::size_t i = 0; i < w.size() && i < 12; ++i) out += {hex[w[i] >> 4], hex[w[i] & 15]};
      if (w.size() > 12) out += "..(" + std::to_string(w.size()) + ")";
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
