#pragma once

#include <cstdint>
#include <vector>

#include "Span.h"

namespace htmlview {

// A section maps its buffer positions to source indexes with these pairs: from Pos on, the
// source index is Index + (position - Pos), until the next pair.
struct IndexObj {
  std::int32_t Pos = 0;
  std::int32_t Index = 0;
};

// Adds the source index of buffer position `pos` (one past the last added): a new pair
// only where the indexes stop running consecutively.
void AppendSourceIndex(std::vector<IndexObj>& pairs, std::int32_t pos, std::int32_t index);
// The pairs of the indexes of positions 0, 1, 2...
std::vector<IndexObj> CompressIndexes(const std::vector<std::int32_t>& indexes);
// The source index of a buffer position; -1 when there are no pairs.
std::int32_t SourceIndexAt(TSpan<IndexObj> pairs, std::int32_t pos);
// The buffer position (0..length-1) whose source index is `source`, or with `prev` the
// last one before it when none is equal; without `prev` the first one after it. -1 when
// there is none.
std::int32_t PositionOfSource(TSpan<IndexObj> pairs, std::int32_t length, std::int32_t source,
                              bool prev);

}  // namespace htmlview
