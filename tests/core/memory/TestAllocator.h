#pragma once

#include <cstddef>
#include <cstdint>

namespace pavina::core {

// This test program's operator new: it counts the bytes held, and on demand refuses every
// request of at least a given size, as a 32-bit process with a fragmented heap refuses a
// large frame or raster.
void RefuseAllocationsFrom(std::size_t bytes);
void AllowAllAllocations();
// Bytes allocated with new and not yet deleted.
std::int64_t LiveAllocatedBytes();
// The largest single request since the last call of ForgetLargestRequest (refused or not).
std::size_t LargestRequest();
void ForgetLargestRequest();

// Refuses from its construction to the end of its scope.
class TRefusedAllocations {
 public:
  explicit TRefusedAllocations(std::size_t bytes) { RefuseAllocationsFrom(bytes); }
  TRefusedAllocations(const TRefusedAllocations&) = delete;
  TRefusedAllocations& operator=(const TRefusedAllocations&) = delete;
  ~TRefusedAllocations() { AllowAllAllocations(); }
};

}  // namespace pavina::core
