#include "GuardedHeap.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
constexpr std::size_t kPage = 4096;
constexpr std::size_t kRegion = 256u << 20;  // address space for the guarded blocks
constexpr std::uint32_t kPlain = 0x6E69616C, kGuarded = 0x64726175;

// Before every block: how it was made and its size.
struct alignas(16) THeader {
  std::uint32_t Kind;
  std::uint32_t Bytes;
};

bool guarding = false;
char* region = nullptr;
std::size_t used = 0;

void* GuardedBlock(std::size_t bytes) {
  if (!region)
    region = static_cast<char*>(::VirtualAlloc(nullptr, kRegion, MEM_RESERVE, PAGE_NOACCESS));
  const std::size_t pages = (bytes + kPage - 1) / kPage * kPage;
  if (!region || pages > kRegion - used) return nullptr;
  void* block = ::VirtualAlloc(region + used, pages, MEM_COMMIT, PAGE_READWRITE);
  if (block) used += pages;
  return block;
}
}  // namespace

TGuardedHeap::TGuardedHeap() {
  guarding = true;
}

TGuardedHeap::~TGuardedHeap() {
  guarding = false;
}

void* operator new(std::size_t size) {
  const std::size_t bytes = size + sizeof(THeader);
  void* block = guarding ? GuardedBlock(bytes) : nullptr;
  const std::uint32_t kind = block ? kGuarded : kPlain;
  if (!block) block = std::malloc(bytes);
  if (!block) throw std::bad_alloc();
  auto* header = static_cast<THeader*>(block);
  header->Kind = kind;
  header->Bytes = static_cast<std::uint32_t>(bytes);
  return header + 1;
}

void operator delete(void* object) noexcept {
  if (!object) return;
  THeader* header = static_cast<THeader*>(object) - 1;
  if (header->Kind != kGuarded) {
    std::free(header);
    return;
  }
  DWORD before = 0;
  ::VirtualProtect(header, header->Bytes, PAGE_NOACCESS, &before);
}

void operator delete(void* object, std::size_t) noexcept {
  operator delete(object);
}
