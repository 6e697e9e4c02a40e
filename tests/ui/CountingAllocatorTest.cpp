#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "CountingAllocator.h"

namespace pavina::ui {

namespace {

// Every allocation path moves the count by at least what was asked and gives it all back.
class CountingAllocator : public ::testing::Test {
 protected:
  void SetUp() override {
    MarkProgramStart();
    start_ = AllocatedBytes();
  }
  std::int64_t Grown() const {
    return static_cast<std::int64_t>(AllocatedBytes()) - static_cast<std::int64_t>(start_);
  }
  std::uint64_t start_ = 0;
};

TEST_F(CountingAllocator, MallocCallocReallocAndFree) {
  void* block = std::malloc(1000);
  ASSERT_NE(block, nullptr);
  const std::int64_t afterMalloc = Grown();
  EXPECT_GE(afterMalloc, 1000);

  block = std::realloc(block, 50000);
  ASSERT_NE(block, nullptr);
  const std::int64_t afterGrow = Grown();
  EXPECT_GE(afterGrow, 50000);
  block = std::realloc(block, 10);
  const std::int64_t afterShrink = Grown();
  EXPECT_LT(afterShrink, 1000);
  EXPECT_GE(afterShrink, 10);

  auto* zeroed = static_cast<unsigned char*>(std::calloc(100, 30));
  ASSERT_NE(zeroed, nullptr);
  bool allZero = true;
  for (int i = 0; i < 3000; ++i) allZero = allZero && zeroed[i] == 0;
  EXPECT_TRUE(allZero);
  const std::int64_t withCalloc = Grown();
  EXPECT_GE(withCalloc - afterShrink, 3000);

  std::free(zeroed);
  std::free(block);
  std::free(nullptr);
  EXPECT_EQ(Grown(), 0);
}

TEST_F(CountingAllocator, EdgeSizes) {
  void* empty = std::malloc(0);
  EXPECT_NE(empty, nullptr);
  std::free(empty);
  volatile std::size_t half = 0x10000;
  EXPECT_EQ(std::calloc(half, half), nullptr);  // the product overflows
  void* gone = std::realloc(std::malloc(16), 0);
  EXPECT_EQ(gone, nullptr);
  EXPECT_EQ(Grown(), 0);
}

TEST_F(CountingAllocator, StrdupAndCppNewAreCountedToo) {
  char* copy = strdup("logo inserter");
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy, "logo inserter");
  const std::int64_t withCopy = Grown();
  EXPECT_GE(withCopy, 14);
  std::free(copy);

  std::int64_t withVector = 0;
  {
    std::vector<std::uint32_t> frame(4096);
    auto text = std::make_unique<std::string>(300, 'x');
    withVector = Grown();
  }
  EXPECT_GE(withVector, 4096 * 4 + 300);
  EXPECT_EQ(Grown(), 0);
}

TEST_F(CountingAllocator, BlocksTheCRuntimeMadeForItselfPassThroughUncounted) {
  // msvcrt's own _strdup allocates from its heap, not from ours.
  char* foreign = _strdup("not ours");
  ASSERT_NE(foreign, nullptr);
  EXPECT_EQ(Grown(), 0);
  foreign = static_cast<char*>(std::realloc(foreign, 4000));
  ASSERT_NE(foreign, nullptr);
  EXPECT_STREQ(foreign, "not ours");
  std::free(foreign);
  EXPECT_EQ(Grown(), 0);
}

}  // namespace

}  // namespace pavina::ui
