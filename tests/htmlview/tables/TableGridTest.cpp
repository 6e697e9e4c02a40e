#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tables/TableGrid.h"

namespace htmlview {

namespace {

// The grid drawn as one line per row, each column showing the letter of the cell that
// covers it ('A' for the first cell added, and so on) or '.' where no cell stands.
std::string Drawn(const TTableGrid& grid) {
  std::vector<std::string> lines(static_cast<std::size_t>(grid.RowCount),
                                 std::string(static_cast<std::size_t>(grid.ColumnCount), '.'));
  char letter = 'A';
  for (const std::vector<TGridPlace>& row : grid.Places) {
    for (const TGridPlace& place : row) {
      for (int r = place.Row; r < place.Row + place.RowSpan; ++r)
        for (int c = place.Column; c < place.Column + place.ColSpan; ++c) {
          char& at = lines[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
          at = at == '.' ? letter : '#';  // '#' would show two cells on one position
        }
      ++letter;
    }
  }
  std::string text;
  for (const std::string& line : lines) text += line + "/";
  return text;
}

struct TGridCase {
  const char* Name;
  std::vector<std::vector<TCellSpan>> Rows;
  const char* Expected;
};

TEST(TableGrid, SpansExpandIntoPositionsWithoutOverlap) {
  const TGridCase cases[] = {
      {"plain", {{{1, 1}, {1, 1}}, {{1, 1}, {1, 1}}}, "AB/CD/"},
      {"colspan", {{{2, 1}, {1, 1}}, {{1, 1}, {1, 1}, {1, 1}}}, "AAB/CDE/"},
      {"rowspan shifts the row below", {{{1, 2}, {1, 1}}, {{1, 1}}}, "AB/AC/"},
      {"rowspan past the last row", {{{1, 5}, {1, 1}}, {{1, 1}}}, "AB/AC/"},
      {"block of two by two",
       {{{2, 2}, {1, 1}}, {{1, 1}}, {{1, 1}, {1, 1}, {1, 1}}},
       "AAB/AAC/DEF/"},
      {"rowspan in the middle",
       {{{1, 1}, {1, 3}, {1, 1}}, {{1, 1}, {1, 1}}, {{1, 1}}},
       "ABC/DBE/FB./"},
      {"colspan stops at a cell from above", {{{1, 1}, {1, 2}}, {{3, 1}, {1, 1}}}, "AB./CBD/"},
      {"ragged rows", {{{1, 1}, {1, 1}, {1, 1}}, {{1, 1}}, {}}, "ABC/D../.../"},
      {"spans below 1 count as 1", {{{0, -4}, {-1, 0}}}, "AB/"},
      {"huge rowspan", {{{1, INT_MAX}}, {}, {{1, 1}}}, "A./A./AB/"},
  };
  for (const TGridCase& c : cases) {
    const TTableGrid grid = ExpandGrid(c.Rows);
    EXPECT_FALSE(grid.TooManyColumns) << c.Name;
    EXPECT_EQ(Drawn(grid), c.Expected) << c.Name;
  }
}

TEST(TableGrid, MoreThanTwoHundredColumnsIsRefused) {
  const std::vector<std::vector<TCellSpan>> full{std::vector<TCellSpan>(200)};
  const TTableGrid fits = ExpandGrid(full);
  EXPECT_FALSE(fits.TooManyColumns);
  EXPECT_EQ(fits.ColumnCount, 200);

  const std::vector<std::vector<TCellSpan>> cases[] = {
      {std::vector<TCellSpan>(201)},
      {{{10000, 1}}},
      {{{INT_MAX, INT_MAX}}},
      {{{199, 2}, {1, 2}}, {{1, 1}}},  // the covered columns push the cell below out
  };
  for (const auto& rows : cases) {
    const TTableGrid grid = ExpandGrid(rows);
    EXPECT_TRUE(grid.TooManyColumns);
    EXPECT_TRUE(grid.Places.empty());
  }
}

}  // namespace

}  // namespace htmlview
