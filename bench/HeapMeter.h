#pragma once

#include <cstdint>

namespace pavina::bench {

// The bench program's heap, as the C library counts it: the usable size of every block
// that malloc, calloc, realloc or an aligned allocation hands out, whoever asks (our
// engine through operator new, litehtml and gumbo through either). Zero throughout when
// the program runs under a sanitizer, whose allocator the meter leaves alone.
bool HeapMeterWorks();
// Bytes held now.
std::int64_t HeapInUse();
// The most held since the last ResetHeapPeak (which starts it at HeapInUse).
std::int64_t HeapPeak();
void ResetHeapPeak();

// What one piece of work left held and its peak on the way, relative to the start.
struct THeapUse {
  std::int64_t held = 0;
  std::int64_t peak = 0;
};

// Runs `work`, which returns what it built; measures while that is still alive.
template <typename TWork>
THeapUse MeasureHeap(TWork work) {
  const std::int64_t before = HeapInUse();
  ResetHeapPeak();
  THeapUse use;
  {
    auto built = work();
    use.held = HeapInUse() - before;
    use.peak = HeapPeak() - before;
  }
  return use;
}

}  // namespace pavina::bench
