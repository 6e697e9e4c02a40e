#pragma once

#include "Clock.h"

namespace pavina::core {

// Virtual milliseconds: each tick read moves time on by a fixed step, so polling loops
// advance time as they spin and a 30-second wait costs microseconds.
class TVirtualClock final : public TClock {
 public:
  explicit TVirtualClock(std::uint32_t start = 1000, std::uint32_t stepPerRead = 1)
      : now_(start), step_(stepPerRead) {}

  std::uint32_t TickCount() override {
    const std::uint32_t value = now_;
    now_ += step_;
    ++reads_;
    return value;
  }
  void Sleep(std::uint32_t milliseconds) override {
    now_ += milliseconds;
    slept_ += milliseconds;
  }

  // The present time, without moving it.
  std::uint32_t Now() const { return now_; }
  void Advance(std::uint32_t milliseconds) { now_ += milliseconds; }
  void SetStep(std::uint32_t stepPerRead) { step_ = stepPerRead; }
  std::uint64_t Reads() const { return reads_; }
  std::uint64_t Slept() const { return slept_; }

 private:
  std::uint32_t now_;
  std::uint32_t step_;
  std::uint64_t reads_ = 0;
  std::uint64_t slept_ = 0;
};

}  // namespace pavina::core
