#pragma once

#include <algorithm>
#include <cstdint>

namespace htmlview {

// Document coordinates are 32-bit. No laid-out position passes this, however tall the
// content of a hostile page (tens of thousands of 32000-pixel images or table rows): what
// lies beyond is not reachable, and positions stay in ascending order, so that the
// searches over them by bisection hold.
constexpr std::int32_t kMaxDocumentExtent = 1000000000;

// `height` grown by `more`, bounded so that `top` + the result stays within the extent.
inline std::int32_t GrowWithinExtent(std::int32_t top, std::int32_t height, std::int64_t more) {
  const std::int64_t room = std::max<std::int64_t>(0, std::int64_t{kMaxDocumentExtent} - top);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{height} + more, 0, room));
}

}  // namespace htmlview
