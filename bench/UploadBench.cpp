// Uploads a full-size logo (225 x 254) through the core, over a pseudo-terminal, to the
// inserter simulator pacing its line at 19200 baud, and sets the time taken beside the
// time the bytes alone need on the wire.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BmpTestFile.h"
#include "Benchmarks.h"
#include "HeadlessView.h"
#include "LogoCore.h"
#include "PosixClock.h"
#include "PosixSerialApi.h"
#include "SerialApiRelay.h"
#include "WirePacing.h"

namespace pavina::bench {

namespace {

constexpr int kWidth = 225, kHeight = 254;

// Counts what crosses the line in each direction.
class TCountingSerial final : public core::TSerialApiRelay {
 public:
  using core::TSerialApiRelay::TSerialApiRelay;
  std::uint64_t written = 0, read = 0;

  bool WriteFile(Handle h, const std::uint8_t* data, std::uint32_t length) override {
    written += length;
    return inner_.WriteFile(h, data, length);
  }
  bool ReadFile(Handle h, std::uint8_t& byte, std::uint32_t& count) override {
    const bool ok = inner_.ReadFile(h, byte, count);
    read += count;
    return ok;
  }
};

// The simulator as a child process; stopped by its PID when this goes.
class TSimulatorChild {
 public:
  bool Start() {
    int out[2];
    if (pipe(out) != 0) return false;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      execl(PAVINA_BENCH_SIMULATOR, PAVINA_BENCH_SIMULATOR, "--pace", "on", nullptr);
      _exit(127);
    }
    close(out[1]);
    std::string line;
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
    close(out[0]);
    if (line.rfind("pty ", 0) != 0) return false;
    pty_ = line.substr(4);
    return true;
  }
  ~TSimulatorChild() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& Pty() const { return pty_; }

 private:
  pid_t pid_ = -1;
  std::string pty_;
};

std::string WriteLogo() {
  pictures::TBmpTestFile file;
  file.width = kWidth;
  file.height = kHeight;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      file.pixels.push_back(static_cast<std::uint32_t>((x * 7) & 0xFF) |
                            static_cast<std::uint32_t>((y * 3) & 0xFF) << 8 |
                            static_cast<std::uint32_t>((x + y) & 0xFF) << 16);
  const std::string path = "/tmp/pavina-upload-bench-" + std::to_string(getpid()) + ".bmp";
  const auto bytes = file.Write();
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return {};
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return path;
}

}  // namespace

int RunUploadBench() {
  TSimulatorChild simulator;
  if (!simulator.Start()) {
    std::printf("cannot start the simulator at %s\n", PAVINA_BENCH_SIMULATOR);
    return 1;
  }
  core::TPosixSerialApi posix({{2, simulator.Pty()}});
  TCountingSerial serial(posix);
  core::TPosixClock clock;
  core::THeadlessView view;
  core::TLogoCore core(view, serial, clock);
  view.core = &core;
  core.OpenPort(2);
  const std::string logo = WriteLogo();
  view.fileAnswers.push_back(logo);
  core.btLoadImageClick();
  std::remove(logo.c_str());
  if (!core.FImageLoaded || core.FPortError != 0) {
    std::printf("cannot load the logo or open the port (error %u)\n", core.FPortError);
    return 1;
  }

  const auto start = std::chrono::steady_clock::now();
  core.btSaveClick();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  core.ClosePort();
  if (!view.retryMessages.empty()) {
    std::printf("the upload failed: %s\n", view.retryMessages.front().c_str());
    return 1;
  }
  const double wireSeconds =
      static_cast<double>(sim::wire_pacing::WireTimeUs(serial.written + serial.read)) / 1e6;
  std::printf("logo %d x %d: %llu bytes sent, %llu received\n", kWidth, kHeight,
              static_cast<unsigned long long>(serial.written),
              static_cast<unsigned long long>(serial.read));
  std::printf("upload took %.2f s; the wire alone needs %.2f s at 19200 baud, 10 bits a byte\n",
              seconds, wireSeconds);
  std::printf("ratio measured / wire time: %.3f\n", seconds / wireSeconds);
  return 0;
}

}  // namespace pavina::bench
