#include <gtest/gtest.h>

#include "ArrowKeys.h"

namespace pavina::ui {
namespace {

using core::TArrowKey;

TEST(ArrowKeys, OnlyKeyDownOfTheFourArrowsReachesTheCore) {
  constexpr std::uint32_t kWmKeyUp = 0x0101, kWmSysKeyDown = 0x0104, kWmChar = 0x0102;
  const struct {
    std::uint32_t message;
    std::uintptr_t key;
    std::optional<TArrowKey> expected;
  } cases[] = {
      {kWmKeyDown, 37, TArrowKey::Left},  {kWmKeyDown, 38, TArrowKey::Up},
      {kWmKeyDown, 39, TArrowKey::Right}, {kWmKeyDown, 40, TArrowKey::Down},
      {kWmKeyDown, 36, std::nullopt},     {kWmKeyDown, 41, std::nullopt},
      {kWmKeyDown, 13, std::nullopt},     {kWmKeyUp, 37, std::nullopt},
      {kWmSysKeyDown, 39, std::nullopt},  {kWmChar, 38, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ArrowKeyOf(c.message, c.key), c.expected) << c.message << " " << c.key;
}

}  // namespace
}  // namespace pavina::ui
