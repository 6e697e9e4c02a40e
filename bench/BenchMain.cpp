#include <cstdio>

#include "Benchmarks.h"

int main() {
  using namespace pavina::bench;
  struct TBench {
    const char* name;
    int (*run)();
  };
  const TBench benches[] = {{"GIF decoding", RunGifDecodeBench},
                            {"Viewer layout", RunLayoutBench},
                            {"HTML parsing and layout", RunParseBench},
                            {"Logo upload at 19200 baud", RunUploadBench}};
  int failures = 0;
  for (const TBench& bench : benches) {
    std::printf("== %s\n", bench.name);
    std::fflush(stdout);
    if (bench.run() != 0) {
      std::printf("%s: FAILED\n", bench.name);
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
