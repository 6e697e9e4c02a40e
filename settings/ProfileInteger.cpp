#include "ProfileInteger.h"

#include <cctype>

namespace pavina::settings {

namespace {
constexpr int kMaxSignificantHexDigits = 8;

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Hexadecimal digits to the end of the text, as a 32-bit pattern.
std::optional<std::uint32_t> ParseHex(const std::string& text, std::size_t i) {
  if (i >= text.size()) return std::nullopt;
  std::uint32_t value = 0;
  int significant = 0;
  for (; i < text.size(); ++i) {
    const int digit = HexDigitValue(text[i]);
    if (digit < 0) return std::nullopt;
    if (significant > 0 || digit != 0) ++significant;
    if (significant > kMaxSignificantHexDigits) return std::nullopt;
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  return value;
}

// Decimal digits to the end of the text; the magnitude may reach 2^31 for a negative value.
std::optional<std::uint32_t> ParseDecimal(const std::string& text, std::size_t i, bool negative) {
  if (i >= text.size()) return std::nullopt;
  const std::uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}
}  // namespace

std::optional<std::int32_t> ParseProfileInteger(const std::string& stored) {
  std::string text = stored;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.replace(0, 2, "$");

  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  std::optional<std::uint32_t> magnitude;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    magnitude = ParseHex(text, i + 1);
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    magnitude = ParseHex(text, i + 2);
  } else {
    magnitude = ParseDecimal(text, i, negative);
  }
  if (!magnitude) return std::nullopt;
  // Two's complement in 32 bits: -$80000000 and $FFFFFFFF wrap as a 32-bit pattern does.
  const std::uint32_t bits = negative ? 0u - *magnitude : *magnitude;
  return static_cast<std::int32_t>(bits);
}

std::int32_t ProfileTextToInteger(const std::string& text, std::int32_t defaultValue) {
  return ParseProfileInteger(text).value_or(defaultValue);
}

std::string IntegerToProfileText(std::int32_t value) {
  return std::to_string(value);
}

}  // namespace pavina::settings
