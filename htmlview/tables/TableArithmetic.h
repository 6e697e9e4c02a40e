#pragma once

#include <cstdint>
#include <vector>

namespace htmlview {

// Table widths and heights are worked out in 64 bits: a column may hold a word of a
// megabyte, and two hundred such columns overflow 32 bits.
using TPixels = std::int64_t;

// `total` split in proportion to `weights` (all at least 0, their sum above 0), rounded
// so that the parts add up to `total` exactly.
std::vector<TPixels> ShareOut(TPixels total, const std::vector<TPixels>& weights);

// `total` split into `count` equal parts, the remainder going to the last.
std::vector<TPixels> SplitEvenly(TPixels total, std::size_t count);

}  // namespace htmlview
