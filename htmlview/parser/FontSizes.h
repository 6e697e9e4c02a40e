#pragma once

#include <cstdint>

namespace htmlview {

// Font sizes as numerators: points at the default size of 12, scaled with the control's
// DefFontSize.

// HTML sizes 1..7 outside and inside PRE (index 0 unused).
constexpr std::int32_t kFontSizeNumerators[8] = {0, 8, 10, 12, 14, 18, 24, 36};
constexpr std::int32_t kPreFontSizeNumerators[8] = {0, 7, 8, 10, 12, 15, 20, 30};

constexpr std::int32_t kFixedPitchNumerator = 10;  // TT, CODE, KBD, SAMP, PRE
constexpr std::int32_t kBaseNumerator = 12;

// H1..H6; H0 (an H not followed by a digit 1..6) is the default size.
constexpr std::int32_t HeadingNumerator(int level) {
  constexpr std::int32_t numerators[7] = {12, 24, 18, 14, 12, 10, 8};
  return level >= 1 && level <= 6 ? numerators[level] : numerators[0];
}

}  // namespace htmlview
