#include "FailingAllocator.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> refusedFrom{SIZE_MAX};

void* Allocate(std::size_t size) {
  if (size >= refusedFrom.load()) throw std::bad_alloc();
  void* block = std::malloc(size == 0 ? 1 : size);
  if (!block) throw std::bad_alloc();
  return block;
}
}  // namespace

void RefuseAllocationsFrom(std::size_t bytes) {
  refusedFrom = bytes;
}
void AllowAllAllocations() {
  refusedFrom = SIZE_MAX;
}

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}
