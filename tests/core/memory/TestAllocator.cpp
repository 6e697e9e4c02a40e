#include "TestAllocator.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace pavina::core {

namespace {
std::atomic<std::size_t> refusedFrom{SIZE_MAX};
std::atomic<std::int64_t> liveBytes{0};
std::atomic<std::size_t> largestRequest{0};

// Each block carries its size in front, so that delete can count it off.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
  if (size > largestRequest.load()) largestRequest = size;
  if (size >= refusedFrom.load() || size > SIZE_MAX - kHeader) throw std::bad_alloc();
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (!block) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  liveBytes += static_cast<std::int64_t>(size);
  return block + kHeader;
}

void Free(void* pointer) {
  if (!pointer) return;
  unsigned char* block = static_cast<unsigned char*>(pointer) - kHeader;
  liveBytes -= static_cast<std::int64_t>(*reinterpret_cast<std::size_t*>(block));
  std::free(block);
}
}  // namespace

void RefuseAllocationsFrom(std::size_t bytes) {
  refusedFrom = bytes;
}
void AllowAllAllocations() {
  refusedFrom = SIZE_MAX;
}
std::int64_t LiveAllocatedBytes() {
  return liveBytes.load();
}
std::size_t LargestRequest() {
  return largestRequest.load();
}
void ForgetLargestRequest() {
  largestRequest = 0;
}

}  // namespace pavina::core

// The replaceable global allocation functions must stay at global scope.
using pavina::core::Allocate;
using pavina::core::Free;

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void operator delete(void* block) noexcept {
  Free(block);
}
void operator delete[](void* block) noexcept {
  Free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  Free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  Free(block);
}
