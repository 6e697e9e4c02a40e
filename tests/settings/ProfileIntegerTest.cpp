#include <gtest/gtest.h>

#include <climits>

#include "ProfileInteger.h"

namespace pavina::settings {

namespace {

constexpr std::int32_t kDefault = 2;

std::int32_t Read(const std::string& text) {
  return ProfileTextToInteger(text, kDefault);
}

TEST(ProfileInteger, HexadecimalInEveryWrittenForm) {
  EXPECT_EQ(Read("0x3"), 3);
  EXPECT_EQ(Read("0X3"), 3);
  EXPECT_EQ(Read("$3"), 3);
  EXPECT_EQ(Read("x1F"), 31);
  EXPECT_EQ(Read("X1f"), 31);
  EXPECT_EQ(Read("-$10"), -16);
  EXPECT_EQ(Read("  -0x10"), -16);
  EXPECT_EQ(Read("+$a"), 10);
  // Eight digits are a 32-bit pattern; leading zeros are not significant.
  EXPECT_EQ(Read("$FFFFFFFF"), -1);
  EXPECT_EQ(Read("$80000000"), INT32_MIN);
  EXPECT_EQ(Read("$000000001"), 1);
  EXPECT_EQ(Read("$123456789"), kDefault);
}

TEST(ProfileInteger, DecimalWithBlanksAndSignAndItsRange) {
  EXPECT_EQ(Read("3"), 3);
  EXPECT_EQ(Read("  3"), 3);
  EXPECT_EQ(Read("-7"), -7);
  EXPECT_EQ(Read("+7"), 7);
  EXPECT_EQ(Read("007"), 7);
  EXPECT_EQ(Read("2147483647"), INT32_MAX);
  EXPECT_EQ(Read("-2147483648"), INT32_MIN);
  EXPECT_EQ(Read("2147483648"), kDefault);
  EXPECT_EQ(Read("-2147483649"), kDefault);
  EXPECT_EQ(Read("99999999999999999999"), kDefault);
}

TEST(ProfileInteger, AnythingElseGivesTheDefault) {
  for (const char* text : {"", " ", "3a", "3 ", "\t3", "$", "0x", "x", "-", "+", "- 3", "$G", "1.5",
                           "0x-3", "3,0", "++3"})
    EXPECT_EQ(Read(text), kDefault) << '"' << text << '"';
  EXPECT_FALSE(ParseProfileInteger("abc").has_value());
  EXPECT_EQ(ProfileTextToInteger("", -99), -99);
}

TEST(ProfileInteger, WritesPlainDecimalThatReadsBack) {
  EXPECT_EQ(IntegerToProfileText(-7), "-7");
  EXPECT_EQ(IntegerToProfileText(5), "5");
  EXPECT_EQ(IntegerToProfileText(0), "0");
  for (std::int32_t value : {INT32_MIN, -10, -1, 0, 10, INT32_MAX})
    EXPECT_EQ(Read(IntegerToProfileText(value)), value);
}

}  // namespace

}  // namespace pavina::settings
