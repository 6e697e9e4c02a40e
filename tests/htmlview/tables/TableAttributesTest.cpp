#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tables/TableAttributes.h"

namespace {

// Attributes as the parser hands them over: the number is the text's integer value
// without a trailing "%".
TAttributeList Attributes(const std::vector<std::pair<TAttrSymbol, std::string>>& given) {
  TAttributeList list;
  for (const auto& [which, text] : given)
    list.Add(TAttribute{which, static_cast<std::int32_t>(std::atoi(text.c_str())), text});
  return list;
}

TEST(TableAttributes, ClampsAndDefaults) {
  struct TCase {
    const char* Name;
    std::vector<std::pair<TAttrSymbol, std::string>> Given;
    std::int32_t Padding, Spacing, HSpace, VSpace;
    bool Border;
  } cases[] = {
      {"defaults", {}, 1, 2, 5, 0, false},
      {"padding 80 is 50, spacing 60 is 40",
       {{TAttrSymbol::CELLPADDING, "80"}, {TAttrSymbol::CELLSPACING, "60"}},
       50,
       40,
       5,
       0,
       false},
      {"negative values are 0",
       {{TAttrSymbol::CELLPADDING, "-3"},
        {TAttrSymbol::CELLSPACING, "-1"},
        {TAttrSymbol::HSPACE, "-9"},
        {TAttrSymbol::VSPACE, "-9"}},
       0,
       0,
       0,
       0,
       false},
      {"a border adds 2 to the spacing, wherever it stands",
       {{TAttrSymbol::BORDER, "1"}, {TAttrSymbol::CELLSPACING, "60"}},
       1,
       42,
       5,
       0,
       true},
      {"a border of 0 draws none", {{TAttrSymbol::BORDER, "0"}}, 1, 2, 5, 0, false},
      {"hspace and vspace are capped",
       {{TAttrSymbol::HSPACE, "100"}, {TAttrSymbol::VSPACE, "300"}},
       1,
       2,
       40,
       200,
       false},
  };
  for (const TCase& c : cases) {
    const TTableAttributes table = ReadTableAttributes(Attributes(c.Given), 1, true);
    EXPECT_EQ(table.CellPadding, c.Padding) << c.Name;
    EXPECT_EQ(table.CellSpacing, c.Spacing) << c.Name;
    EXPECT_EQ(table.HSpace, c.HSpace) << c.Name;
    EXPECT_EQ(table.VSpace, c.VSpace) << c.Name;
    EXPECT_EQ(table.Border, c.Border) << c.Name;
  }
}

TEST(TableAttributes, AlignmentAndFloating) {
  struct TCase {
    const char* Align;
    int Current;
    int Alignment;
    bool Floating;
  } cases[] = {
      {"left", 2, 1, true},    {"RIGHT", 1, 3, true}, {"center", 1, 2, false},
      {"middle", 3, 3, false}, {"", 2, 2, false},
  };
  for (const TCase& c : cases) {
    const TTableAttributes table =
        ReadTableAttributes(Attributes({{TAttrSymbol::ALIGN, c.Align}}), c.Current, true);
    EXPECT_EQ(table.Alignment, c.Alignment) << c.Align;
    EXPECT_EQ(table.Floating, c.Floating) << c.Align;
  }
}

TEST(TableAttributes, WidthsAndHeights) {
  struct TCase {
    const char* Width;
    const char* Height;
    bool InBody;
    TTableLength ExpectedWidth, ExpectedHeight;
  } cases[] = {
      {"50%", "50%", true, {500, true}, {500, true}},
      {"150%", "200%", true, {1000, true}, {1100, true}},
      {"40%", "40%", false, {400, true}, {0, false}},  // a percent HEIGHT counts in the body only
      {"300", "120", false, {300, false}, {120, false}},
      {"99999999", "0", true, {kMaxTablePixels, false}, {0, false}},
      {"0%", "-5", true, {0, false}, {0, false}},
      {"wide", "", true, {0, false}, {0, false}},
  };
  for (const TCase& c : cases) {
    const TTableAttributes table = ReadTableAttributes(
        Attributes({{TAttrSymbol::WIDTH, c.Width}, {TAttrSymbol::HEIGHT, c.Height}}), 1, c.InBody);
    EXPECT_EQ(table.Width.Value, c.ExpectedWidth.Value) << c.Width;
    EXPECT_EQ(table.Width.Given() && table.Width.Percent, c.ExpectedWidth.Percent) << c.Width;
    EXPECT_EQ(table.Height.Value, c.ExpectedHeight.Value) << c.Height;
    EXPECT_EQ(table.Height.Given() && table.Height.Percent, c.ExpectedHeight.Percent) << c.Height;
  }
}

TEST(TableAttributes, Colours) {
  const TTableAttributes table = ReadTableAttributes(
      Attributes({{TAttrSymbol::BGCOLOR, "red"}, {TAttrSymbol::BORDERCOLOR, "nonsense"}}), 1, true);
  EXPECT_TRUE(table.BgColorGiven);
  EXPECT_EQ(table.BgColor, MakeColor(255, 0, 0));
  EXPECT_FALSE(table.BorderColorGiven);
}

TEST(TableAttributes, RowsAndCells) {
  const TRowAttributes row = ReadRowAttributes(Attributes({{TAttrSymbol::ALIGN, "right"},
                                                           {TAttrSymbol::VALIGN, "bottom"},
                                                           {TAttrSymbol::BGCOLOR, "#00ff00"}}));
  EXPECT_EQ(row.Alignment, 3);
  EXPECT_EQ(row.VAlign, 2);
  EXPECT_TRUE(row.BgColorGiven);
  EXPECT_EQ(row.BgColor, MakeColor(0, 255, 0));
  EXPECT_EQ(ReadRowAttributes(Attributes({})).VAlign, 1);

  const TCellAttributes cell = ReadCellAttributes(Attributes({{TAttrSymbol::COLSPAN, "3"},
                                                              {TAttrSymbol::ROWSPAN, "0"},
                                                              {TAttrSymbol::WIDTH, "120%"},
                                                              {TAttrSymbol::HEIGHT, "40"}}),
                                                  row.VAlign);
  EXPECT_EQ(cell.ColSpan, 3);
  EXPECT_EQ(cell.RowSpan, 1);
  EXPECT_EQ(cell.Width.Value, 1000);
  EXPECT_TRUE(cell.Width.Percent);
  EXPECT_EQ(cell.Height, 40);
  EXPECT_EQ(cell.VAlign, 2);  // the row's
  EXPECT_FALSE(cell.BgColorGiven);

  const TCellAttributes top = ReadCellAttributes(
      Attributes({{TAttrSymbol::VALIGN, "baseline"}, {TAttrSymbol::HEIGHT, "50%"}}), 2);
  EXPECT_EQ(top.VAlign, 0);
  EXPECT_EQ(top.Height, 0);
}

}  // namespace
