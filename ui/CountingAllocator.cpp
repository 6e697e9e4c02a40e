#include "CountingAllocator.h"

#include <windows.h>

#include <atomic>
#include <cstring>

namespace pavina::ui {

// The linker's --wrap sends every call of the wrapped names from any object or static
// library of the program here, and the originals stay reachable as __real_*.
extern "C" {
void* __real_realloc(void* block, size_t size);
void __real_free(void* block);
void* __wrap_malloc(size_t size);
void __wrap_free(void* block);
void* __wrap_calloc(size_t count, size_t size);
void* __wrap_realloc(void* block, size_t size);
char* __wrap_strdup(const char* text);
}

namespace {
// Plain data only: these are used before any constructor of the program has run.
std::atomic<HANDLE> privateHeap{nullptr};
std::atomic<std::int64_t> liveBytes{0};

// Blocks that the run-time allocates before the program's entry (its copy of the command
// line, the main thread's record, the exception pool) are the run-time's own and released
// by its own final steps; they are kept apart so that the count is the program's alone.
constexpr int kMaxStartupBlocks = 64;
std::atomic<bool> programStarted{false};
void* startupBlocks[kMaxStartupBlocks];
int startupBlockCount = 0;

bool RememberStartupBlock(void* block) {
  if (programStarted.load() || startupBlockCount == kMaxStartupBlocks) return false;
  startupBlocks[startupBlockCount++] = block;
  return true;
}

int StartupIndex(void* block) {
  for (int i = 0; i < startupBlockCount; ++i)
    if (startupBlocks[i] == block) return i;
  return -1;
}

HANDLE Heap() {
  HANDLE heap = privateHeap.load();
  if (heap) return heap;
  HANDLE created = ::HeapCreate(0, 0, 0);
  HANDLE expected = nullptr;
  if (privateHeap.compare_exchange_strong(expected, created)) return created;
  ::HeapDestroy(created);
  return expected;
}

// Blocks that the C runtime allocated inside itself are not ours and are passed on.
bool Ours(void* block) {
  return ::HeapValidate(Heap(), 0, block) != 0;
}

std::int64_t UsableSize(void* block) {
  return static_cast<std::int64_t>(::HeapSize(Heap(), 0, block));
}

void* Allocate(size_t size, DWORD flags) {
  void* block = ::HeapAlloc(Heap(), flags, size == 0 ? 1 : size);
  if (block && !RememberStartupBlock(block)) liveBytes += UsableSize(block);
  return block;
}

}  // namespace

void MarkProgramStart() {
  programStarted = true;
}

std::uint64_t AllocatedBytes() {
  const std::int64_t bytes = liveBytes.load();
  return bytes > 0 ? static_cast<std::uint64_t>(bytes) : 0;
}

void* __wrap_malloc(size_t size) {
  return Allocate(size, 0);
}

void* __wrap_calloc(size_t count, size_t size) {
  if (size != 0 && count > static_cast<size_t>(-1) / size) return nullptr;
  return Allocate(count * size, HEAP_ZERO_MEMORY);
}

void __wrap_free(void* block) {
  if (!block) return;
  if (!Ours(block)) {
    __real_free(block);
    return;
  }
  const int startup = StartupIndex(block);
  if (startup >= 0)
    startupBlocks[startup] = startupBlocks[--startupBlockCount];
  else
    liveBytes -= UsableSize(block);
  ::HeapFree(Heap(), 0, block);
}

void* __wrap_realloc(void* block, size_t size) {
  if (!block) return Allocate(size, 0);
  if (size == 0) {
    __wrap_free(block);
    return nullptr;
  }
  if (!Ours(block)) return __real_realloc(block, size);
  const std::int64_t before = UsableSize(block);
  void* moved = ::HeapReAlloc(Heap(), 0, block, size);
  if (!moved) return nullptr;  // the old block stays valid and counted as it was
  const int startup = StartupIndex(block);
  if (startup >= 0)
    startupBlocks[startup] = moved;  // still the run-time's own
  else
    liveBytes += UsableSize(moved) - before;
  return moved;
}

char* __wrap_strdup(const char* text) {
  const size_t length = std::strlen(text) + 1;
  auto* copy = static_cast<char*>(Allocate(length, 0));
  if (copy) std::memcpy(copy, text, length);
  return copy;
}

}  // namespace pavina::ui
