#include "TableArithmetic.h"

namespace htmlview {

std::vector<TPixels> ShareOut(TPixels total, const std::vector<TPixels>& weights) {
  TPixels sum = 0;
  for (TPixels weight : weights) sum += weight;
  std::vector<TPixels> parts(weights.size(), 0);
  if (sum <= 0) return parts;
  // Each part is the difference of rounded running totals, so rounding never drifts.
  TPixels running = 0;
  TPixels given = 0;
  for (std::size_t i = 0; i < weights.size(); ++i) {
    running += weights[i];
    const TPixels upTo =
        running == sum ? total
                       : static_cast<TPixels>(static_cast<long double>(total) * running / sum);
    parts[i] = upTo - given;
    given = upTo;
  }
  return parts;
}

std::vector<TPixels> SplitEvenly(TPixels total, std::size_t count) {
  std::vector<TPixels> parts(count, 0);
  if (count == 0) return parts;
  const TPixels each = total / static_cast<TPixels>(count);
  for (TPixels& part : parts) part = each;
  parts.back() += total - each * static_cast<TPixels>(count);
  return parts;
}

}  // namespace htmlview
