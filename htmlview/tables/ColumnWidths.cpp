#include "ColumnWidths.h"

#include <algorithm>
#include <numeric>

namespace htmlview {

namespace {

using TColumns = std::vector<TColumnRange>;

TPixels SumMin(const TColumns& columns) {
  TPixels sum = 0;
  for (const TColumnRange& column : columns) sum += column.Min;
  return sum;
}

TPixels SumMax(const TColumns& columns) {
  TPixels sum = 0;
  for (const TColumnRange& column : columns) sum += column.Max;
  return sum;
}

// Raises the spanned columns' values (Min or Max, through `field`) so that together
// they give `need`: the shortfall goes in proportion to what they have, or wholly to the
// first column when they have nothing.
void Widen(TColumns& columns, const TColumnClaim& claim, TPixels need,
           TPixels TColumnRange::*field) {
  const auto first = columns.begin() + claim.Column;
  const auto last = first + claim.ColSpan;
  std::vector<TPixels> present;
  for (auto column = first; column != last; ++column) present.push_back((*column).*field);
  const TPixels have = std::accumulate(present.begin(), present.end(), TPixels{0});
  if (need <= have) return;
  if (have == 0) {
    (*first).*field += need;
    return;
  }
  const std::vector<TPixels> extra = ShareOut(need - have, present);
  for (std::size_t i = 0; i < extra.size(); ++i)
    (*(first + static_cast<long>(i))).*field += extra[i];
}

// A spanning cell's percentage: shared out among its columns that ask for none, or, when
// all ask for one, their percentages scaled up to it.
void SharePercent(TColumns& columns, const TColumnClaim& claim) {
  const auto first = columns.begin() + claim.Column;
  const auto last = first + claim.ColSpan;
  std::int64_t have = 0;
  std::vector<TColumns::iterator> without;
  std::vector<TPixels> present;
  for (auto column = first; column != last; ++column) {
    have += column->Percent;
    present.push_back(column->Percent);
    if (column->Percent == 0) without.push_back(column);
  }
  if (claim.Percent <= have) return;
  if (!without.empty()) {
    const std::vector<TPixels> parts = SplitEvenly(claim.Percent - have, without.size());
    for (std::size_t i = 0; i < without.size(); ++i)
      without[i]->Percent = static_cast<std::int32_t>(parts[i]);
    return;
  }
  const std::vector<TPixels> scaled = ShareOut(claim.Percent, present);
  for (std::size_t i = 0; i < scaled.size(); ++i)
    (first + static_cast<long>(i))->Percent = static_cast<std::int32_t>(scaled[i]);
}

TPixels Share(TPixels width, std::int32_t tenths) {
  return width * tenths / 1000;
}

std::vector<TPixels> Minimums(const TColumns& columns) {
  std::vector<TPixels> widths;
  for (const TColumnRange& column : columns) widths.push_back(column.Min);
  return widths;
}

// Every column at its maximum when that fits; otherwise each between its minimum and its
// maximum in proportion to its range, so that the columns fill `target`.
std::vector<TPixels> Interpolated(const TColumns& columns, TPixels target) {
  const TPixels sumMin = SumMin(columns);
  const TPixels sumMax = SumMax(columns);
  std::vector<TPixels> widths;
  if (sumMax <= target || sumMax == sumMin) {
    for (const TColumnRange& column : columns) widths.push_back(column.Max);
    return widths;
  }
  std::vector<TPixels> ranges;
  for (const TColumnRange& column : columns) ranges.push_back(column.Max - column.Min);
  const std::vector<TPixels> extra = ShareOut(target - sumMin, ranges);
  for (std::size_t i = 0; i < columns.size(); ++i) widths.push_back(columns[i].Min + extra[i]);
  return widths;
}

void AddTo(std::vector<TPixels>& widths, const std::vector<std::size_t>& which,
           const std::vector<TPixels>& parts) {
  for (std::size_t i = 0; i < which.size(); ++i) widths[which[i]] += parts[i];
}

// The table has a WIDTH: percentage columns take their share of it, the others their
// minimum, and the difference is then given or taken.
std::vector<TPixels> WithTableWidth(const TColumns& columns, TPixels target) {
  std::vector<TPixels> widths(columns.size(), 0);
  std::vector<std::size_t> percentColumns;  // those that still take part
  std::vector<std::size_t> plainColumns;
  bool everyColumnHasPercent = true;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const TColumnRange& column = columns[i];
    if (column.Percent == 0) {
      everyColumnHasPercent = false;
      plainColumns.push_back(i);
      widths[i] = column.Min;
      continue;
    }
    widths[i] = Share(target, column.Percent);
    if (widths[i] < column.Min)
      widths[i] = column.Min;  // held at its minimum, out of the sharing below
    else
      percentColumns.push_back(i);
  }
  const TPixels sum = std::accumulate(widths.begin(), widths.end(), TPixels{0});
  if (sum < target) {
    const TPixels room = target - sum;
    if (everyColumnHasPercent) {
      if (percentColumns.empty()) {
        for (std::size_t i = 0; i < columns.size(); ++i) percentColumns.push_back(i);
      }
      std::vector<TPixels> weights;
      for (std::size_t i : percentColumns) weights.push_back(columns[i].Percent);
      AddTo(widths, percentColumns, ShareOut(room, weights));
      return widths;
    }
    std::vector<TPixels> ranges;
    TPixels totalRange = 0;
    for (std::size_t i : plainColumns) {
      ranges.push_back(columns[i].Max - columns[i].Min);
      totalRange += ranges.back();
    }
    if (totalRange <= 0 || totalRange * 2 < room)
      AddTo(widths, plainColumns, SplitEvenly(room, plainColumns.size()));
    else
      AddTo(widths, plainColumns, ShareOut(room, ranges));
    return widths;
  }
  TPixels excess = sum - target;
  for (int round = 0; round < 4 && excess > 0 && !percentColumns.empty(); ++round) {
    std::vector<TPixels> weights;
    for (std::size_t i : percentColumns) weights.push_back(columns[i].Percent);
    const std::vector<TPixels> cuts = ShareOut(excess, weights);
    std::vector<std::size_t> stillTaking;
    for (std::size_t k = 0; k < percentColumns.size(); ++k) {
      const std::size_t i = percentColumns[k];
      TPixels cut = cuts[k];
      if (widths[i] - cut <= columns[i].Min) {
        cut = widths[i] - columns[i].Min;
      } else {
        stillTaking.push_back(i);
      }
      widths[i] -= cut;
      excess -= cut;
    }
    percentColumns = std::move(stillTaking);
  }
  return widths;
}

// No table WIDTH, but percentages of at most the whole: the table is as wide as the
// percentages need to show every column unwrapped, when that fits. Otherwise the
// percentages are fitted into the target and become fixed ranges; the empty result then
// says that the general rule finishes the job.
std::vector<TPixels> WithPercentages(TColumns& columns, TPixels target, std::int64_t totalPercent) {
  TPixels natural = 0;
  TPixels othersMax = 0;
  bool othersExist = false;
  for (const TColumnRange& column : columns) {
    if (column.Percent > 0) {
      natural = std::max(natural, (column.Max * 1000 + column.Percent - 1) / column.Percent);
    } else {
      othersExist = true;
      othersMax += column.Max;
    }
  }
  if (othersExist) {
    // Percentages that leave nothing to the other columns ask for more than any window.
    natural = std::max(natural, totalPercent < 1000 ? (othersMax * 1000 + (999 - totalPercent)) /
                                                          (1000 - totalPercent)
                                                    : TPixels{30000});
  }
  if (natural <= target) {
    std::vector<TPixels> widths(columns.size(), 0);
    std::vector<std::size_t> others;
    std::vector<TPixels> othersWeights;
    TPixels rest = natural;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (columns[i].Percent > 0) {
        widths[i] = Share(natural, columns[i].Percent);
        rest -= widths[i];
      } else {
        others.push_back(i);
        othersWeights.push_back(columns[i].Max);
      }
    }
    if (!others.empty()) {
      if (othersMax > 0)
        AddTo(widths, others, ShareOut(std::max<TPixels>(rest, 0), othersWeights));
      else
        AddTo(widths, others, SplitEvenly(std::max<TPixels>(rest, 0), others.size()));
    }
    for (std::size_t i = 0; i < columns.size(); ++i)
      widths[i] = std::max(widths[i], columns[i].Min);
    return widths;
  }
  // Each round either fits, or drops a column's percentage, or scales them down; a few
  // rounds per column are always enough, and the bound keeps rounding from looping.
  const std::size_t rounds = 2 * columns.size() + 2;
  for (std::size_t round = 0; round < rounds; ++round) {
    for (TColumnRange& column : columns)
      if (column.Percent > 0 && Share(target - 1, column.Percent) < column.Min) column.Percent = 0;
    TPixels percentWidth = 0;
    TPixels othersMin = 0;
    for (const TColumnRange& column : columns) {
      if (column.Percent > 0)
        percentWidth += Share(target, column.Percent);
      else
        othersMin += column.Min;
    }
    if (percentWidth + othersMin <= target || percentWidth == 0) break;
    const TPixels room = std::max<TPixels>(target - othersMin, 0);
    for (TColumnRange& column : columns)
      column.Percent = static_cast<std::int32_t>(column.Percent * room / percentWidth);
  }
  for (TColumnRange& column : columns) {
    if (column.Percent > 0) column.Min = column.Max = Share(target, column.Percent);
  }
  return {};
}

}  // namespace

std::vector<TColumnRange> ColumnRanges(int columnCount, const std::vector<TColumnClaim>& claims) {
  TColumns columns(static_cast<std::size_t>(std::max(columnCount, 0)));
  std::vector<const TColumnClaim*> ordered;
  ordered.reserve(claims.size());
  for (const TColumnClaim& claim : claims) {
    if (claim.Column >= 0 && claim.ColSpan >= 1 && claim.Column + claim.ColSpan <= columnCount)
      ordered.push_back(&claim);
  }
  std::stable_sort(
      ordered.begin(), ordered.end(),
      [](const TColumnClaim* a, const TColumnClaim* b) { return a->ColSpan < b->ColSpan; });

  // One-column cells: the widest content wins, and a pixel WIDTH replaces what the
  // content would like with what the page asks for.
  std::vector<TPixels> fixed(columns.size(), 0);
  std::vector<TPixels> contentMax(columns.size(), 0);
  auto claim = ordered.begin();
  for (; claim != ordered.end() && (*claim)->ColSpan == 1; ++claim) {
    const std::size_t i = static_cast<std::size_t>((*claim)->Column);
    columns[i].Min = std::max(columns[i].Min, (*claim)->Min);
    contentMax[i] = std::max(contentMax[i], (*claim)->Max);
    fixed[i] = std::max(fixed[i], (*claim)->PixelWidth);
    columns[i].Percent = std::max(columns[i].Percent, (*claim)->Percent);
  }
  for (std::size_t i = 0; i < columns.size(); ++i)
    columns[i].Max = std::max(columns[i].Min, fixed[i] > 0 ? fixed[i] : contentMax[i]);

  for (; claim != ordered.end(); ++claim) {
    const TColumnClaim& wide = **claim;
    Widen(columns, wide, wide.Min, &TColumnRange::Min);
    const TPixels wantedMax =
        wide.PixelWidth > 0 ? std::max(wide.Min, wide.PixelWidth) : std::max(wide.Min, wide.Max);
    Widen(columns, wide, wantedMax, &TColumnRange::Max);
    for (int i = wide.Column; i < wide.Column + wide.ColSpan; ++i) {
      TColumnRange& column = columns[static_cast<std::size_t>(i)];
      column.Max = std::max(column.Max, column.Min);
    }
    if (wide.Percent > 0) SharePercent(columns, wide);
  }
  return columns;
}

TPixels TargetWidth(const TColumnWidthRequest& request) {
  TPixels width = request.Available;
  if (request.TableWidth.Given()) {
    width = request.TableWidth.Percent ? Share(request.Available, request.TableWidth.Value)
                                       : TPixels{request.TableWidth.Value};
  }
  return std::max<TPixels>(width - request.Spacing, 20);
}

std::vector<TPixels> ColumnWidths(const TColumnWidthRequest& request) {
  TColumns columns = request.Columns;
  const TPixels target = TargetWidth(request);
  if (request.AnyCellPixelWidth && !request.TableWidth.Given()) {
    if (SumMin(columns) >= target) return Minimums(columns);
    return Interpolated(columns, target);
  }
  if (SumMin(columns) >= target) return Minimums(columns);
  if (request.TableWidth.Given()) return WithTableWidth(columns, target);
  std::int64_t totalPercent = 0;
  for (const TColumnRange& column : columns) totalPercent += column.Percent;
  if (totalPercent >= 1 && totalPercent <= 1000) {
    std::vector<TPixels> widths = WithPercentages(columns, target, totalPercent);
    if (!widths.empty()) return widths;
  }
  return Interpolated(columns, target);
}

}  // namespace htmlview
