// Parses and lays out generated help pages of about 10 KB, 100 KB and 1 MB, and prints the
// time per page, how it grows with the size, and (when Debian's litehtml was found at
// build time) the same pages through litehtml at the same width, with the ratio.
#include <chrono>
#include <cstdio>
#include <string>

#include "Benchmarks.h"
#include "HelpPageGenerator.h"
#include "testing/TestCanvas.h"
#include "document/SectionList.h"
#include "parser/AnchorList.h"
#include "parser/HtmlParser.h"
#ifdef PAVINA_BENCH_LITEHTML
#include "LitehtmlYardstick.h"
#endif

namespace pavina::bench {

using htmlview::TAnchorList;
using htmlview::THtmlParser;
using htmlview::TSectionList;
using htmlview::TTestCanvas;

namespace {

using TClock = std::chrono::steady_clock;
constexpr double kSecondsPerMeasurement = 0.5;
constexpr int kWidth = 800;

// Parse and lay out once, as the viewer does on a load; returns the height.
int OurParseAndLayout(const std::string& page) {
  TTestCanvas canvas;
  TSectionList doc(canvas);
  TAnchorList anchors;
  THtmlParser parser;
  parser.ParseBuffer({doc, anchors, nullptr}, page, {});
  std::int32_t widest = 0;
  return doc.DoLogic(5, kWidth, widest);
}

// Milliseconds per run, over enough runs to fill the measurement time.
template <typename TRun>
double MillisecondsPerRun(const std::string& page, TRun run) {
  run(page);  // warm the caches
  long long runs = 0;
  const auto start = TClock::now();
  double elapsed = 0;
  do {
    run(page);
    ++runs;
    elapsed = std::chrono::duration<double>(TClock::now() - start).count();
  } while (elapsed < kSecondsPerMeasurement);
  return 1000.0 * elapsed / static_cast<double>(runs);
}

}  // namespace

int RunParseBench() {
  const std::size_t sizes[] = {10 * 1024, 100 * 1024, 1024 * 1024};
  std::printf("  generated help pages, parsed and laid out at %d pixels\n", kWidth);
#ifdef PAVINA_BENCH_LITEHTML
  std::printf("  %9s %12s %14s %12s %14s\n", "bytes", "Pavina ms", "growth", "litehtml ms",
              "litehtml/ours");
#else
  std::printf("  %9s %12s %14s   (litehtml not found at build time)\n", "bytes", "Pavina ms",
              "growth");
#endif
  double previous = 0;
  for (const std::size_t size : sizes) {
    const std::string page = GenerateHelpPage(size);
    if (OurParseAndLayout(page) <= 0) {
      std::printf("  %zu bytes: the page laid out to nothing\n", page.size());
      return 1;
    }
    const double ours = MillisecondsPerRun(page, OurParseAndLayout);
    char growth[32] = "";
    if (previous > 0) std::snprintf(growth, sizeof growth, "x%.1f", ours / previous);
    previous = ours;
#ifdef PAVINA_BENCH_LITEHTML
    const double peer = MillisecondsPerRun(
        page, [](const std::string& p) { return LitehtmlParseAndRender(p, kWidth); });
    std::printf("  %9zu %12.3f %14s %12.3f %13.1fx\n", page.size(), ours, growth, peer,
                peer / ours);
#else
    std::printf("  %9zu %12.3f %14s\n", page.size(), ours, growth);
#endif
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace pavina::bench
