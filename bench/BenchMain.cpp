#include <cstdio>
#include <cstring>

#include "Benchmarks.h"

// Runs every benchmark, or with arguments only those whose keys are named (gif, layout,
// parse, upload).
int main(int argc, char** argv) {
  using namespace pavina::bench;
  struct TBench {
    const char* key;
    const char* name;
    int (*run)();
  };
  const TBench benches[] = {{"gif", "GIF decoding", RunGifDecodeBench},
                            {"layout", "Viewer layout", RunLayoutBench},
                            {"parse", "HTML parsing and layout", RunParseBench},
                            {"upload", "Logo upload at 19200 baud", RunUploadBench}};
  const auto chosen = [&](const TBench& bench) {
    if (argc < 2) return true;
    for (int n = 1; n < argc; ++n)
      if (std::strcmp(argv[n], bench.key) == 0) return true;
    return false;
  };
  int failures = 0;
  for (const TBench& bench : benches) {
    if (!chosen(bench)) continue;
    std::printf("== %s\n", bench.name);
    std::fflush(stdout);
    if (bench.run() != 0) {
      std::printf("%s: FAILED\n", bench.name);
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
