#pragma once

#include <cstddef>

// This test program's operator new refuses every request of at least a given size, as a
// 32-bit process with a fragmented heap refuses a large frame or raster.
void RefuseAllocationsFrom(std::size_t bytes);
void AllowAllAllocations();

// Refuses from its construction to the end of its scope.
class TRefusedAllocations {
 public:
  explicit TRefusedAllocations(std::size_t bytes) { RefuseAllocationsFrom(bytes); }
  TRefusedAllocations(const TRefusedAllocations&) = delete;
  TRefusedAllocations& operator=(const TRefusedAllocations&) = delete;
  ~TRefusedAllocations() { AllowAllAllocations(); }
};
