// Parses and lays out generated help pages of about 10 KB, 100 KB and 1 MB, and prints per
// page the best time, how it grows with the size, the heap the laid-out page holds per byte of
// HTML and the heap's peak while parsing and laying out; the same for Debian's litehtml
// at the same width when it was found at build time, with the ratio of the times.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "Benchmarks.h"
#include "HeapMeter.h"
#include "HelpPageGenerator.h"
#include "forms/DetachedControlHost.h"
#include "testing/QuietViewHost.h"
#include "testing/TestCanvas.h"
#include "view/HtmlView.h"
#ifdef PAVINA_BENCH_LITEHTML
#include "LitehtmlYardstick.h"
#endif

namespace pavina::bench {

using htmlview::TDetachedControlHost;
using htmlview::THtmlView;
using htmlview::TNoFiles;
using htmlview::TQuietViewHost;
using htmlview::TTestCanvas;

namespace {

using TClock = std::chrono::steady_clock;
constexpr auto kMeasurementTime = std::chrono::milliseconds(500);
constexpr int kWidth = 800;

// A page shown in the viewer's view, parsed and laid out once as a load does: what a viewer
// holds.
struct TOurPage {
  // The view's frame around the text: its border, vertical bar and margins.
  static constexpr int kFrame = 3 + 16 + 2 * 10;

  TOurPage(const std::string& page, int width) {
    view.Resize(width + kFrame, 600);
    view.OpenDocumentText(page);
  }
  TTestCanvas canvas;
  TQuietViewHost host;
  TNoFiles files;
  TDetachedControlHost controls;
  THtmlView view{canvas, host, files, &controls};
};

// Milliseconds for the fastest of at least three runs that fill the measurement time: the
// machine may be busy with other work meanwhile, which only ever adds time.
template <typename TRun>
double MillisecondsPerRun(const std::string& page, TRun run) {
  run(page);  // warm the caches
  double best = 1e12;
  const auto start = TClock::now();
  for (int runs = 0; runs < 3 || TClock::now() - start < kMeasurementTime; ++runs) {
    const auto begin = TClock::now();
    run(page);
    best = std::min(best, std::chrono::duration<double, std::milli>(TClock::now() - begin).count());
  }
  return best;
}

// One engine's figures for one page.
struct TFigures {
  double ms = 0;
  THeapUse heap;
};

template <typename TPage>
TFigures Measure(const std::string& page) {
  TFigures figures;
  figures.ms =
      MillisecondsPerRun(page, [](const std::string& p) { return TPage(p, kWidth).Height(); });
  figures.heap = MeasureHeap([&] { return std::make_unique<TPage>(page, kWidth); });
  return figures;
}

struct TOurEngine : TOurPage {
  using TOurPage::TOurPage;
  int Height() const { return view.DocumentHeight(); }
};

// Time, growth over the previous page, heap per byte of HTML and peak heap.
void PrintFigures(const TFigures& figures, const TFigures& previous, std::size_t bytes) {
  char growth[16] = "";
  if (previous.ms > 0) std::snprintf(growth, sizeof growth, "x%.1f", figures.ms / previous.ms);
  std::printf(" %10.3f %6s", figures.ms, growth);
  if (HeapMeterWorks())
    std::printf(" %7.1f %8.1f", static_cast<double>(figures.heap.held) / static_cast<double>(bytes),
                static_cast<double>(figures.heap.peak) / (1024.0 * 1024.0));
  else
    std::printf(" %7s %8s", "-", "-");
}

}  // namespace

int RunParseBench() {
  const std::size_t sizes[] = {10 * 1024, 100 * 1024, 1024 * 1024};
  std::printf(
      "  generated help pages, parsed and laid out at %d pixels. ms: the best run;\n"
      "  growth: over the page ten times smaller; bytes/B: heap the laid-out page holds\n"
      "  per byte of HTML; peak: heap at most while parsing and laying out%s\n",
      kWidth, HeapMeterWorks() ? "" : " (not measured under a sanitizer)");
  const char* const columns = " %10s %6s %7s %8s";
#ifdef PAVINA_BENCH_LITEHTML
  std::printf("  %9s %34s %34s\n", "", "------------- Pavina -------------",
              "------------ litehtml ------------");
  std::printf("  %9s", "bytes");
  std::printf(columns, "ms", "growth", "bytes/B", "peak MB");
  std::printf(columns, "ms", "growth", "bytes/B", "peak MB");
  std::printf(" %14s\n", "litehtml/ours");
#else
  std::printf("  %9s", "bytes");
  std::printf(columns, "Pavina ms", "growth", "bytes/B", "peak MB");
  std::printf("   (litehtml not found at build time)\n");
#endif
  TFigures previous;
#ifdef PAVINA_BENCH_LITEHTML
  TFigures previousPeer;
#endif
  for (const std::size_t size : sizes) {
    const std::string page = GenerateHelpPage(size);
    if (TOurEngine(page, kWidth).Height() <= 0) {
      std::printf("  %zu bytes: the page laid out to nothing\n", page.size());
      return 1;
    }
    const TFigures ours = Measure<TOurEngine>(page);
    std::printf("  %9zu", page.size());
    PrintFigures(ours, previous, page.size());
    previous = ours;
#ifdef PAVINA_BENCH_LITEHTML
    const TFigures peer = Measure<TLitehtmlPage>(page);
    PrintFigures(peer, previousPeer, page.size());
    previousPeer = peer;
    std::printf(" %13.1fx", peer.ms / ours.ms);
#endif
    std::printf("\n");
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace pavina::bench
