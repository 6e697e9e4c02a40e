#include "HeapMeter.h"

#include <malloc.h>

#include <atomic>
#include <cerrno>
#include <cstddef>

// The C library's own allocator, which the replacements below forward to; glibc exports
// it under these names so that a program may count around it.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define PAVINA_HEAP_METER 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || \
    __has_feature(memory_sanitizer)
#define PAVINA_HEAP_METER 0
#endif
#endif
#ifndef PAVINA_HEAP_METER
#define PAVINA_HEAP_METER 1
#endif

namespace {

// Relaxed: the benchmarks allocate on one thread; the counts need only be exact there.
std::atomic<std::int64_t> inUse{0};
std::atomic<std::int64_t> peak{0};

void Count(void* block) {
  if (!block) return;
  const auto size = static_cast<std::int64_t>(malloc_usable_size(block));
  const std::int64_t now = inUse.fetch_add(size, std::memory_order_relaxed) + size;
  std::int64_t top = peak.load(std::memory_order_relaxed);
  while (now > top && !peak.compare_exchange_weak(top, now, std::memory_order_relaxed)) {
  }
}

void Uncount(void* block) {
  if (block)
    inUse.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(block)),
                    std::memory_order_relaxed);
}

}  // namespace

#if PAVINA_HEAP_METER
// Replacing these four (and the aligned forms) replaces the C library's allocator for the
// whole program, shared libraries included.
extern "C" {

void* malloc(std::size_t size) noexcept {
  void* block = __libc_malloc(size);
  Count(block);
  return block;
}

void* calloc(std::size_t count, std::size_t size) noexcept {
  void* block = __libc_calloc(count, size);
  Count(block);
  return block;
}

void* realloc(void* block, std::size_t size) noexcept {
  const std::int64_t old = block ? static_cast<std::int64_t>(malloc_usable_size(block)) : 0;
  void* moved = __libc_realloc(block, size);
  if (moved || size == 0) inUse.fetch_sub(old, std::memory_order_relaxed);
  Count(moved);
  return moved;
}

void free(void* block) noexcept {
  Uncount(block);
  __libc_free(block);
}

void* memalign(std::size_t alignment, std::size_t size) noexcept {
  void* block = __libc_memalign(alignment, size);
  Count(block);
  return block;
}

void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
  return memalign(alignment, size);
}

int posix_memalign(void** result, std::size_t alignment, std::size_t size) noexcept {
  if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
  void* block = memalign(alignment, size);
  if (!block) return ENOMEM;
  *result = block;
  return 0;
}

}  // extern "C"
#endif

namespace pavina::bench {

bool HeapMeterWorks() {
  return PAVINA_HEAP_METER != 0;
}

std::int64_t HeapInUse() {
  return inUse.load(std::memory_order_relaxed);
}

std::int64_t HeapPeak() {
  return peak.load(std::memory_order_relaxed);
}

void ResetHeapPeak() {
  peak.store(HeapInUse(), std::memory_order_relaxed);
}

}  // namespace pavina::bench
