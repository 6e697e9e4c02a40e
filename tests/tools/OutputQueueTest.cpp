#include <gtest/gtest.h>

#include "OutputQueue.h"

namespace pavina::sim {

namespace {

TEST(OutputQueue, BytesGoOutWhenDueInOrderAcrossTheCounterWrap) {
  TOutputQueue queue;
  const std::uint32_t now = 0xFFFFFFF0u;
  queue.Add(now + 5, {1, 2});
  queue.Add(now + 30, {3});  // after the wrap
  EXPECT_EQ(queue.MsUntilNext(now), 5);
  EXPECT_EQ(queue.Due(now), core::TBytes{});
  EXPECT_EQ(queue.Due(now + 5), (core::TBytes{1, 2}));
  queue.Sent(1);  // a short write
  EXPECT_EQ(queue.Due(now + 40), (core::TBytes{2, 3}));
  queue.Sent(2);
  EXPECT_TRUE(queue.Empty());
  EXPECT_EQ(queue.MsUntilNext(now), -1);
}

TEST(OutputQueue, AHostThatNeverReadsCannotGrowItWithoutBound) {
  TOutputQueue queue;
  for (int i = 0; i < 100; ++i) queue.Add(0, core::TBytes(1024, static_cast<std::uint8_t>(i)));
  EXPECT_EQ(queue.Dropped(), 100u * 1024 - TOutputQueue::kMaxPending);
  const core::TBytes due = queue.Due(0);
  ASSERT_EQ(due.size(), TOutputQueue::kMaxPending);
  EXPECT_EQ(due.back(), 99) << "the newest bytes are kept";
}

}  // namespace

}  // namespace pavina::sim
