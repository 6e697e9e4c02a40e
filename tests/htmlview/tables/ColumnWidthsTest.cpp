#include <gtest/gtest.h>

#include <vector>

#include "tables/ColumnWidths.h"

namespace htmlview {

namespace {

TColumnClaim Claim(int column, int span, TPixels min, TPixels max, TPixels pixelWidth = 0,
                   std::int32_t percent = 0) {
  return TColumnClaim{column, span, min, max, pixelWidth, percent};
}

template <typename TValue>
std::vector<TPixels> Field(const std::vector<TColumnRange>& columns, TValue TColumnRange::*field) {
  std::vector<TPixels> values;
  for (const TColumnRange& column : columns) values.push_back(column.*field);
  return values;
}

using TWidths = std::vector<TPixels>;

TEST(ColumnRanges, OneColumnCellsThenSpanningCells) {
  struct TCase {
    const char* Name;
    int Columns;
    std::vector<TColumnClaim> Claims;
    TWidths Min, Max, Percent;
  } cases[] = {
      {"widest content wins",
       2,
       {Claim(0, 1, 10, 50), Claim(0, 1, 30, 40), Claim(1, 1, 5, 5)},
       {30, 5},
       {50, 5},
       {0, 0}},
      {"a pixel WIDTH fixes the maximum, never below the minimum",
       3,
       {Claim(0, 1, 30, 300, 100), Claim(0, 1, 20, 900), Claim(1, 1, 30, 300, 10),
        Claim(2, 1, 5, 8, 0, 250)},
       {30, 30, 5},
       {100, 30, 8},
       {0, 0, 250}},
      {"a spanning cell's excess goes in proportion, whatever order it came in",
       2,
       {Claim(0, 2, 80, 400), Claim(0, 1, 10, 100), Claim(1, 1, 30, 100)},
       {20, 60},
       {200, 200},
       {0, 0}},
      {"to the first column when the columns have nothing",
       3,
       {Claim(0, 3, 90, 90), Claim(0, 1, 0, 0)},
       {90, 0, 0},
       {90, 0, 0},
       {0, 0, 0}},
      {"a spanning cell that fits changes nothing",
       2,
       {Claim(0, 1, 50, 60), Claim(1, 1, 50, 60), Claim(0, 2, 90, 100)},
       {50, 50},
       {60, 60},
       {0, 0}},
      {"a spanning percentage goes to the columns without one",
       3,
       {Claim(0, 1, 1, 1, 0, 200), Claim(0, 3, 1, 1, 0, 800)},
       {1, 0, 0},
       {1, 0, 0},
       {200, 300, 300}},
      {"or scales the columns' own percentages",
       2,
       {Claim(0, 1, 1, 1, 0, 100), Claim(1, 1, 1, 1, 0, 300), Claim(0, 2, 2, 2, 0, 600)},
       {1, 1},
       {1, 1},
       {150, 450}},
      {"claims outside the grid are ignored",
       1,
       {Claim(0, 2, 99, 99), Claim(-1, 1, 9, 9)},
       {0},
       {0},
       {0}},
  };
  for (const TCase& c : cases) {
    const std::vector<TColumnRange> columns = ColumnRanges(c.Columns, c.Claims);
    EXPECT_EQ(Field(columns, &TColumnRange::Min), c.Min) << c.Name;
    EXPECT_EQ(Field(columns, &TColumnRange::Max), c.Max) << c.Name;
    EXPECT_EQ(Field(columns, &TColumnRange::Percent), c.Percent) << c.Name;
  }
}

TColumnRange Range(TPixels min, TPixels max, std::int32_t percent = 0) {
  return TColumnRange{min, max, percent};
}

TEST(ColumnWidths, EveryBranch) {
  const TTableLength none{};
  const TTableLength pixels400{400, false};
  struct TCase {
    const char* Name;
    std::vector<TColumnRange> Columns;
    bool AnyCellPixelWidth;
    TTableLength TableWidth;
    TPixels Available;
    TWidths Expected;
  } cases[] = {
      // Spacing is 2 throughout: the columns share the available width less 2.
      {"cell widths: all maximums fit",
       {Range(50, 100), Range(100, 300)},
       true,
       none,
       500,
       {100, 300}},
      {"cell widths: between minimum and maximum",
       {Range(50, 100), Range(100, 300)},
       true,
       none,
       300,
       {79, 219}},
      {"cell widths: minimums when even they do not fit",
       {Range(50, 100), Range(100, 300)},
       true,
       none,
       100,
       {50, 100}},
      {"cell widths ignore percentages",
       {Range(50, 100, 900), Range(100, 300)},
       true,
       none,
       500,
       {100, 300}},
      {"no widths: maximums, narrower than the window",
       {Range(50, 100), Range(100, 300)},
       false,
       none,
       1000,
       {100, 300}},
      {"no widths: between minimum and maximum",
       {Range(50, 100), Range(100, 300)},
       false,
       none,
       300,
       {79, 219}},
      {"table WIDTH: a tight room is shared equally",
       {Range(50, 60), Range(50, 70), Range(40, 40, 250)},
       false,
       pixels400,
       1000,
       {149, 150, 99}},
      {"table WIDTH: ample room in proportion to it",
       {Range(50, 60), Range(50, 200), Range(40, 40, 250)},
       false,
       pixels400,
       1000,
       {62, 237, 99}},
      {"table WIDTH: every column a percentage",
       {Range(10, 10, 200), Range(10, 10, 300)},
       false,
       pixels400,
       1000,
       {159, 239}},
      {"table WIDTH: percentages over 100 are cut in proportion",
       {Range(10, 10, 800), Range(100, 100, 600)},
       false,
       pixels400,
       1000,
       {228, 170}},
      {"table WIDTH: a cut stops at the minimum",
       {Range(10, 10, 800), Range(200, 200, 600)},
       false,
       pixels400,
       1000,
       {198, 200}},
      {"table WIDTH: minimums over the width",
       {Range(300, 300), Range(200, 200, 500)},
       false,
       pixels400,
       1000,
       {300, 200}},
      {"percentages: the natural width when it fits",
       {Range(20, 150, 250), Range(30, 150), Range(30, 150)},
       false,
       none,
       1000,
       {150, 225, 225}},
      {"percentages: fitted into the window",
       {Range(20, 150, 250), Range(30, 150), Range(30, 150)},
       false,
       none,
       300,
       {74, 112, 112}},
      {"percentages: scaled down until they fit",
       {Range(20, 500, 600), Range(50, 500, 300), Range(100, 100)},
       false,
       none,
       300,
       {132, 66, 100}},
      {"percentages: one that cannot hold its minimum is dropped",
       {Range(200, 500, 100), Range(20, 100)},
       false,
       none,
       300,
       {261, 37}},
      {"percentages over 100 without WIDTH are ignored",
       {Range(50, 100, 600), Range(100, 300, 600)},
       false,
       none,
       300,
       {79, 219}},
  };
  for (const TCase& c : cases) {
    TColumnWidthRequest request;
    request.Columns = c.Columns;
    request.AnyCellPixelWidth = c.AnyCellPixelWidth;
    request.TableWidth = c.TableWidth;
    request.Available = c.Available;
    request.Spacing = 2;
    EXPECT_EQ(ColumnWidths(request), c.Expected) << c.Name;
  }
}

TEST(ColumnWidths, TargetWidth) {
  TColumnWidthRequest request;
  request.Available = 800;
  request.Spacing = 4;
  EXPECT_EQ(TargetWidth(request), 796);
  request.TableWidth = TTableLength{500, true};
  EXPECT_EQ(TargetWidth(request), 396);
  request.TableWidth = TTableLength{10, false};
  EXPECT_EQ(TargetWidth(request), 20);
  request.TableWidth = TTableLength{};
  request.Available = -50;  // indentations crossed
  EXPECT_EQ(TargetWidth(request), 20);
}

// Wherever the minimums fit, the columns fill the target exactly and none falls below its
// minimum: checked over a spread of column sets and widths.
TEST(ColumnWidths, FillTheTargetAndKeepMinimums) {
  for (int seed = 1; seed <= 300; ++seed) {
    unsigned state = static_cast<unsigned>(seed) * 2654435761u;
    auto next = [&state](unsigned range) {
      state = state * 1103515245u + 12345u;
      return static_cast<TPixels>((state >> 8) % range);
    };
    TColumnWidthRequest request;
    const int count = 1 + static_cast<int>(next(6));
    for (int i = 0; i < count; ++i) {
      const TPixels min = next(120);
      request.Columns.push_back(
          Range(min, min + next(400), next(3) == 0 ? static_cast<std::int32_t>(1 + next(500)) : 0));
    }
    if (next(3) == 0)
      request.TableWidth = TTableLength{static_cast<std::int32_t>(100 + next(700)), false};
    request.Available = 50 + next(1200);
    request.Spacing = 2;
    const TPixels target = TargetWidth(request);
    const std::vector<TPixels> widths = ColumnWidths(request);
    ASSERT_EQ(widths.size(), request.Columns.size());
    TPixels sum = 0, sumMin = 0, sumMax = 0, percent = 0, asked = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
      const TColumnRange& column = request.Columns[i];
      EXPECT_GE(widths[i], column.Min) << "seed " << seed << " column " << i;
      sum += widths[i];
      sumMin += column.Min;
      sumMax += column.Max;
      percent += column.Percent;
      // What a column asks of a table WIDTH: its share, or its minimum.
      asked +=
          column.Percent > 0 ? std::max(column.Min, target * column.Percent / 1000) : column.Min;
    }
    SCOPED_TRACE("seed " + std::to_string(seed));
    if (sumMin >= target) {
      EXPECT_EQ(sum, sumMin);
    } else if (request.TableWidth.Given()) {
      // Filled exactly; beyond only when the percentage columns could not give enough.
      if (percent == 0) {
        EXPECT_EQ(sum, target);
      }
      EXPECT_GE(sum, target);
      EXPECT_LE(sum, std::max(asked, target));
    } else if (percent == 0 || percent > 1000) {
      // Each column at its widest when all fit, else between: exactly the target.
      EXPECT_EQ(sum, std::min(sumMax, target));
    } else {
      EXPECT_LE(sum, target);
    }
  }
}

}  // namespace

}  // namespace htmlview
