#include "OutputQueue.h"

#include <algorithm>

namespace pavina::sim {

namespace {
// Wrap-safe: a time at most 2^31 ms ahead counts as the future.
std::int32_t MsFrom(std::uint32_t nowMs, std::uint32_t atMs) {
  return static_cast<std::int32_t>(atMs - nowMs);
}
}  // namespace

void TOutputQueue::Add(std::uint32_t atMs, const core::TBytes& bytes) {
  for (const std::uint8_t byte : bytes) pending_.push_back({atMs, byte});
  while (pending_.size() > kMaxPending) {
    pending_.pop_front();
    ++dropped_;
  }
}

core::TBytes TOutputQueue::Due(std::uint32_t nowMs) const {
  core::TBytes due;
  for (const auto& entry : pending_) {
    if (MsFrom(nowMs, entry.atMs) > 0) break;
    due.push_back(entry.byte);
  }
  return due;
}

void TOutputQueue::Sent(std::size_t count) {
  pending_.erase(pending_.begin(),
                 pending_.begin() + static_cast<std::ptrdiff_t>(std::min(count, pending_.size())));
}

int TOutputQueue::MsUntilNext(std::uint32_t nowMs) const {
  if (pending_.empty()) return -1;
  return std::max(0, static_cast<int>(MsFrom(nowMs, pending_.front().atMs)));
}

}  // namespace pavina::sim
