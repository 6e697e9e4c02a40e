// The core against a device that answers whatever the fuzzer says, whenever it says it:
// status polls, position exchanges, acknowledgement waits and whole uploads, with Cancel
// clicks, timer ticks, arrow keys and stray bytes arriving while events are processed.
// After every operation the program must be sound again: nothing busy, Cancel forgotten,
// the controls given back, and every wait within its time.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BmpTestFile.h"
#include "FakeSerial.h"
#include "HeadlessView.h"
#include "LogoCore.h"
#include "VirtualClock.h"

namespace pavina::core {
namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "unsound after an operation: %s\n", what);
  std::abort();
}

// A small logo, written once: the uploads run through the same load as the operator's.
const std::string& LogoFile() {
  static const std::string path = [] {
    char folder[] = "/tmp/pavina-fuzz-device-XXXXXX";
    if (!mkdtemp(folder)) std::abort();
    pictures::TBmpTestFile bmp;
    bmp.width = 6;
    bmp.height = 3;
    for (int i = 0; i < 18; ++i) bmp.pixels.push_back(i % 4 == 0 ? 0 : 0x102030u * i);
    const std::string file = std::string(folder) + "/logo.bmp";
    const std::vector<std::uint8_t> bytes = bmp.Write();
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) std::abort();
    std::fclose(out);
    return file;
  }();
  return path;
}

TBytes SomeBytes(FuzzedDataProvider& input, std::size_t most) {
  return input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, most));
}

}  // namespace
}  // namespace pavina::core

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pavina::core;
  FuzzedDataProvider input(data, size);
  // Coarse virtual milliseconds keep the long waits short to run.
  constexpr std::uint32_t kStep = 5;
  TVirtualClock clock(1000, kStep);
  THeadlessView view;
  TFakeSerial serial(clock);
  TLogoCore core(view, serial, clock);
  view.core = &core;
  core.OpenPort(2);

  // Each write is answered with the next piece of the input, after a delay of its own;
  // once the input is used up the device is silent.
  serial.onWrite = [&](const TBytes&) {
    if (input.remaining_bytes() == 0) return;
    const auto delay = input.ConsumeIntegral<std::uint16_t>();
    serial.Deliver(SomeBytes(input, 300), clock.Now() + delay % 1200 + (delay >> 15) * 31000);
  };
  view.onProcessEvents = [&] {
    switch (input.ConsumeIntegralInRange<int>(0, 7)) {
      case 0:
        core.btCancelClick();
        break;
      case 1:
        core.tmReadyTimer();
        break;
      case 2:
        core.ArrowKeyDown(static_cast<TArrowKey>(input.ConsumeIntegralInRange<int>(0, 3)));
        break;
      case 3:
        serial.Deliver(SomeBytes(input, 40));
        break;
      default:
        break;
    }
  };
  view.keyOffset = input.ConsumeIntegralInRange<int>(-10, 10);
  view.fileAnswers.push_back(LogoFile());
  core.btLoadImageClick();
  Require(core.FImageLoaded, "the logo did not load");

  for (int operation = 0; operation < 12 && input.remaining_bytes() > 0; ++operation) {
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
      case 0:
        core.tmReadyTimer();
        Require(view.status == "Logo Inserter Not Found" ||
                    (core.FDeviceReady && view.status.size() >= 6 &&
                     view.status.compare(view.status.size() - 6, 6, " Ready") == 0),
                "status text");
        break;
      case 1:
        core.FDeviceReady = input.ConsumeBool();
        core.UpdatePosition();
        break;
      case 2:
        core.btSaveClick();
        Require(view.taggedEnabled && !view.cancelEnabled, "controls given back");
        break;
      case 3: {
        const auto expected = input.ConsumeIntegral<std::uint8_t>();
        const auto timeout = input.ConsumeIntegralInRange<std::int32_t>(-5, 2000);
        const std::uint32_t start = clock.Now();
        core.WaitReply(expected, timeout, input.ConsumeBool(), false);
        // Each pass reads the clock at most three times, and each read moves it on.
        Require(clock.Now() - start <= static_cast<std::uint32_t>(std::max(timeout, 0)) + 6 * kStep,
                "a wait ran past its time-out");
        core.FCancel = false;
        break;
      }
    }
    Require(!core.FBusy, "FBusy still set");
    Require(!core.FPositioning, "FPositioning still set");
    Require(!core.FCancel, "FCancel still set");
  }
  return 0;
}
