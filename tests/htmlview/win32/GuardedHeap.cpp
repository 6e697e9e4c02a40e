#include "GuardedHeap.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {
constexpr std::uint32_t kPlain = 0x6E69616C, kGuarded = 0x64726175;

// Before every block: how it was made and its size.
struct alignas(16) THeader {
  std::uint32_t Kind;
  std::uint32_t Bytes;
};

bool guarding = false;
LPTOP_LEVEL_EXCEPTION_FILTER filterBefore = nullptr;

// A use of a freed block ends the test program at once, with a word, not in a debugger.
LONG WINAPI FreedBlockUsed(EXCEPTION_POINTERS*) {
  std::fputs("A freed object was used (TGuardedHeap).\n", stderr);
  std::fflush(stderr);
  ::TerminateProcess(::GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}
}  // namespace

namespace htmlview {

TGuardedHeap::TGuardedHeap() {
  guarding = true;
  filterBefore = ::SetUnhandledExceptionFilter(FreedBlockUsed);
}

TGuardedHeap::~TGuardedHeap() {
  guarding = false;
  ::SetUnhandledExceptionFilter(filterBefore);
}

}  // namespace htmlview

void* operator new(std::size_t size) {
  const std::size_t bytes = size + sizeof(THeader);
  void* block =
      guarding ? ::VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE) : nullptr;
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
