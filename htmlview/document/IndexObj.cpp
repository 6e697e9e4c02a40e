#include "IndexObj.h"

#include <algorithm>

namespace htmlview {

void AppendSourceIndex(std::vector<IndexObj>& pairs, std::int32_t pos, std::int32_t index) {
  // In 64 bits: the index that would run on from the last pair may pass INT32_MAX.
  if (pairs.empty() || std::int64_t{index} != std::int64_t{pairs.back().Index} +
                                                  (std::int64_t{pos} - pairs.back().Pos))
    pairs.push_back({pos, index});
}

std::vector<IndexObj> CompressIndexes(const std::vector<std::int32_t>& indexes) {
  std::vector<IndexObj> pairs;
  for (std::size_t n = 0; n < indexes.size(); ++n)
    AppendSourceIndex(pairs, static_cast<std::int32_t>(n), indexes[n]);
  return pairs;
}

namespace {

// The pair that covers `pos`: the last one starting at or before it.
const IndexObj* PairOf(TSpan<IndexObj> pairs, std::int32_t pos) {
  auto after = std::upper_bound(pairs.begin(), pairs.end(), pos,
                                [](std::int32_t p, const IndexObj& pair) { return p < pair.Pos; });
  return after == pairs.begin() ? pairs.begin() : after - 1;
}

}  // namespace

std::int32_t SourceIndexAt(TSpan<IndexObj> pairs, std::int32_t pos) {
  if (pairs.empty()) return -1;
  const auto pair = PairOf(pairs, pos);
  return pair->Index + (pos - pair->Pos);
}

std::int32_t PositionOfSource(TSpan<IndexObj> pairs, std::int32_t length, std::int32_t source,
                              bool prev) {
  // Source indexes rise through the buffer (entities may repeat one), so the positions
  // around `source` are found pair by pair.
  std::int32_t before = -1;
  for (std::size_t n = 0; n < pairs.size(); ++n) {
    const std::int32_t start = pairs[n].Pos;
    const std::int32_t end = n + 1 < pairs.size() ? pairs[n + 1].Pos : length;
    if (end <= start) continue;
    const std::int32_t first = pairs[n].Index;
    const std::int32_t last = first + (end - start - 1);
    if (source >= first && source <= last) return start + (source - first);
    if (last < source) before = end - 1;
    if (first > source) return prev ? before : start;
  }
  return prev ? before : -1;
}

}  // namespace htmlview
