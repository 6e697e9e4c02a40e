#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pavina::settings {

// The settings file's integer text, read the way the program has always read it:
// leading blanks, an optional sign, then decimal digits or hexadecimal digits after
// "$", "x", "X", "0x" or "0X", and nothing after the digits. A leading "0x" of a text
// longer than two characters counts as "$". Eight hexadecimal digits are a 32-bit
// pattern ($FFFFFFFF is -1); a decimal value must fit 32 signed bits.
std::optional<std::int32_t> ParseProfileInteger(const std::string& text);

// The value, or defaultValue when the text is no integer.
std::int32_t ProfileTextToInteger(const std::string& text, std::int32_t defaultValue);

// Decimal text with a minus sign for negative values, no blanks or leading zeros.
std::string IntegerToProfileText(std::int32_t value);

}  // namespace pavina::settings
