#include <gtest/gtest.h>

#include <vector>

#include "tables/RowHeights.h"

namespace htmlview {

namespace {

TEST(RowHeights, SpansAndTableHeight) {
  struct TCase {
    const char* Name;
    int Rows;
    std::vector<TRowClaim> Claims;
    TPixels Target;
    std::vector<TPixels> Expected;
  } cases[] = {
      {"tallest cell", 2, {{0, 1, 10}, {0, 1, 14}, {1, 1, 20}}, 0, {14, 20}},
      {"a spanning cell's excess in equal parts, remainder last",
       2,
       {{0, 1, 10}, {1, 1, 20}, {0, 2, 41}},
       0,
       {15, 26}},
      {"a spanning cell that fits", 2, {{0, 1, 10}, {1, 1, 20}, {0, 2, 25}}, 0, {10, 20}},
      {"narrower spans first", 3, {{0, 3, 30}, {0, 2, 20}}, 0, {13, 13, 4}},
      {"table HEIGHT spreads over all rows", 2, {{0, 1, 15}, {1, 1, 26}}, 50, {19, 31}},
      {"table HEIGHT below the rows does nothing", 2, {{0, 1, 15}, {1, 1, 26}}, 30, {15, 26}},
      {"empty rows", 2, {}, 9, {4, 5}},
      {"claims outside the rows are ignored", 1, {{0, 2, 99}, {-1, 1, 9}}, 0, {0}},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(RowHeights(c.Rows, c.Claims, c.Target), c.Expected) << c.Name;
}

}  // namespace

}  // namespace htmlview
