#pragma once

#include <cstdint>
#include <deque>

#include "Bytes.h"

namespace pavina::sim {

// Answers waiting for their time to go out, byte by byte, oldest first. A host that writes
// and never reads cannot make it grow without bound: beyond kMaxPending bytes the oldest
// are dropped and counted.
class TOutputQueue {
 public:
  static constexpr std::size_t kMaxPending = 64 * 1024;

  void Add(std::uint32_t atMs, const core::TBytes& bytes);
  // The bytes due at nowMs, from the front; they stay queued until Sent().
  core::TBytes Due(std::uint32_t nowMs) const;
  void Sent(std::size_t count);
  // Milliseconds until the front byte is due (0 when it is); -1 when nothing waits.
  int MsUntilNext(std::uint32_t nowMs) const;
  bool Empty() const { return pending_.empty(); }
  std::uint64_t Dropped() const { return dropped_; }

 private:
  struct TTimedByte {
    std::uint32_t atMs;
    std::uint8_t byte;
  };
  std::deque<TTimedByte> pending_;
  std::uint64_t dropped_ = 0;
};

}  // namespace pavina::sim
