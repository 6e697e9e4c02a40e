#pragma once

#include <gtest/gtest.h>

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

inline TBytes Repeat(std::uint8_t byte, std::size_t count) { return TBytes(count, byte); }

inline TBytes Concat(std::initializer_list<TBytes> parts) {
  TBytes all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}
