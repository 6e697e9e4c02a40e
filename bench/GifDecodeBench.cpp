// Decodes the same GIF files with our decoder and with giflib, each file long enough to
// time it, and prints both and their ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "Benchmarks.h"
#include "GiflibReference.h"
#include "images/GifDecoder.h"

namespace pavina::bench {

namespace {

using TClock = std::chrono::steady_clock;
constexpr double kSecondsPerMeasurement = 0.3;

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

// Pixels decoded, or -1 when giflib refuses the file.
long long DecodeWithGiflib(const std::vector<std::uint8_t>& bytes) {
  const TGiflibFile gif = SlurpWithGiflib(bytes);
  if (!gif) return -1;
  long long pixels = 0;
  for (int i = 0; i < gif->ImageCount; ++i)
    pixels += static_cast<long long>(gif->SavedImages[i].ImageDesc.Width) *
              gif->SavedImages[i].ImageDesc.Height;
  return pixels;
}

long long DecodeWithOurs(const std::vector<std::uint8_t>& bytes) {
  TGifContent content;
  if (DecodeGif(bytes.data(), bytes.size(), content) != TGifStatus::Loaded) return -1;
  long long pixels = 0;
  for (const auto& frame : content.Frames)
    pixels += static_cast<long long>(frame->Width) * frame->Height;
  return pixels;
}

// Seconds per decode, over enough repetitions to fill the measurement time.
template <typename Decode>
double SecondsPerDecode(const std::vector<std::uint8_t>& bytes, Decode decode) {
  decode(bytes);  // warm the caches
  long long runs = 0;
  const auto start = TClock::now();
  double elapsed = 0;
  do {
    for (int i = 0; i < 16; ++i) decode(bytes);
    runs += 16;
    elapsed = std::chrono::duration<double>(TClock::now() - start).count();
  } while (elapsed < kSecondsPerMeasurement);
  return elapsed / static_cast<double>(runs);
}

std::vector<std::string> BenchFiles() {
  const std::string giflib = std::string(PAVINA_BENCH_DEPS_DIR) + "/src/giflib/";
  std::vector<std::string> files;
  for (const char* name :
       {"pic/fire.gif", "pic/gifgrid.gif", "pic/porsche.gif", "pic/solid2.gif",
        "pic/treescap-interlaced.gif", "pic/welcome2.gif", "pic/x-trans.gif", "tests/wedge.gif"})
    files.push_back(giflib + name);
#ifdef PAVINA_BENCH_MAGICK_DIR
  for (const char* name : {"plasma-256.gif", "plasma-interlaced.gif", "logo.gif", "rose-256.gif",
                           "local-palettes.gif"})
    files.push_back(std::string(PAVINA_BENCH_MAGICK_DIR) + "/" + name);
#endif
  return files;
}

}  // namespace

int RunGifDecodeBench() {
  std::printf("%-28s %9s %12s %12s %7s\n", "file", "pixels", "giflib us", "ours us", "ratio");
  double totalGiflib = 0, totalOurs = 0;
  int failures = 0;
  for (const std::string& path : BenchFiles()) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const std::vector<std::uint8_t> bytes = ReadFile(path);
    const long long theirPixels = DecodeWithGiflib(bytes);
    const long long ourPixels = DecodeWithOurs(bytes);
    if (bytes.empty() || theirPixels < 0 || ourPixels != theirPixels) {
      std::printf("%-28s cannot be compared (size %zu, giflib %lld pixels, ours %lld)\n",
                  name.c_str(), bytes.size(), theirPixels, ourPixels);
      ++failures;
      continue;
    }
    const double giflib = SecondsPerDecode(bytes, DecodeWithGiflib);
    const double ours = SecondsPerDecode(bytes, DecodeWithOurs);
    totalGiflib += giflib;
    totalOurs += ours;
    std::printf("%-28s %9lld %12.1f %12.1f %7.2f\n", name.c_str(), ourPixels, giflib * 1e6,
                ours * 1e6, ours / giflib);
  }
  if (totalGiflib > 0)
    std::printf("%-28s %9s %12.1f %12.1f %7.2f  (ours / giflib, one decode of each file)\n",
                "all files", "", totalGiflib * 1e6, totalOurs * 1e6, totalOurs / totalGiflib);
  return failures;
}

}  // namespace pavina::bench
