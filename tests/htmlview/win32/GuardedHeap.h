#pragma once

namespace htmlview {

// While one lives, every allocation gets pages of its own, and freeing it takes the pages'
// access away for good: a later use of the freed object stops the program at once, where
// it would otherwise read memory that still looks right. (The test program's operator new
// and delete are replaced for this.)
class TGuardedHeap {
 public:
  TGuardedHeap();
  ~TGuardedHeap();
  TGuardedHeap(const TGuardedHeap&) = delete;
  TGuardedHeap& operator=(const TGuardedHeap&) = delete;
};

}  // namespace htmlview
