#include "RowHeights.h"

#include <algorithm>
#include <numeric>

namespace htmlview {

std::vector<TPixels> RowHeights(int rowCount, const std::vector<TRowClaim>& claims,
                                TPixels rowsTarget) {
  std::vector<TPixels> heights(static_cast<std::size_t>(std::max(rowCount, 0)), 0);
  std::vector<const TRowClaim*> ordered;
  ordered.reserve(claims.size());
  for (const TRowClaim& claim : claims) {
    if (claim.Row >= 0 && claim.RowSpan >= 1 && claim.Row + claim.RowSpan <= rowCount)
      ordered.push_back(&claim);
  }
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const TRowClaim* a, const TRowClaim* b) { return a->RowSpan < b->RowSpan; });
  for (const TRowClaim* claim : ordered) {
    const auto first = heights.begin() + claim->Row;
    const auto last = first + claim->RowSpan;
    const TPixels have = std::accumulate(first, last, TPixels{0});
    if (claim->Height <= have) continue;
    const std::vector<TPixels> extra =
        SplitEvenly(claim->Height - have, static_cast<std::size_t>(claim->RowSpan));
    for (std::size_t i = 0; i < extra.size(); ++i) *(first + static_cast<long>(i)) += extra[i];
  }
  const TPixels total = std::accumulate(heights.begin(), heights.end(), TPixels{0});
  if (!heights.empty() && rowsTarget > total) {
    const std::vector<TPixels> extra = SplitEvenly(rowsTarget - total, heights.size());
    for (std::size_t i = 0; i < heights.size(); ++i) heights[i] += extra[i];
  }
  return heights;
}

}  // namespace htmlview
