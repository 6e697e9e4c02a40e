#pragma once

#include <algorithm>
#include <cstdint>

namespace htmlview {

// A place in a document that survives a re-layout: the index of the section at the top of
// the view in the high 16 bits and the pixel offset into it in the low 16 bits. Both are
// held at 0xFFFF, so a huge document keeps a place near the right one instead of a wrong one.

inline std::uint32_t PackPosition(std::int32_t section, std::int32_t offset) {
  const auto held = [](std::int32_t v) {
    return static_cast<std::uint32_t>(std::clamp(v, 0, 0xFFFF));
  };
  return (held(section) << 16) | held(offset);
}

inline std::int32_t PackedSection(std::uint32_t packed) {
  return static_cast<std::int32_t>(packed >> 16);
}

inline std::int32_t PackedOffset(std::uint32_t packed) {
  return static_cast<std::int32_t>(packed & 0xFFFF);
}

}  // namespace htmlview
