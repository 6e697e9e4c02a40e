#include <gtest/gtest.h>

#include <string>

#include "DocBuilder.h"
#include "tables/TableAttributes.h"

namespace htmlview {

namespace {

TEST(TableAttributes, ClampsAndDefaults) {
  struct TCase {
    const char* Given;
    std::int32_t Padding, Spacing, HSpace, VSpace;
    bool Border;
  } cases[] = {
      {"", 1, 2, 5, 0, false},
      {"CELLPADDING=80 CELLSPACING=60", 50, 40, 5, 0, false},
      {"CELLPADDING=-3 CELLSPACING=-1 HSPACE=-9 VSPACE=-9", 0, 0, 0, 0, false},
      // The border adds 2 to the spacing, whichever comes first.
      {"BORDER CELLSPACING=60", 1, 42, 5, 0, true},
      {"CELLSPACING=0 BORDER=3", 1, 2, 5, 0, true},
      {"BORDER=0", 1, 2, 5, 0, false},
      {"HSPACE=100 VSPACE=300", 1, 2, 40, 200, false},
  };
  for (const TCase& c : cases) {
    const TTableAttributes table = ReadTableAttributes(Attrs(c.Given), TJustify::Left, true);
    EXPECT_EQ(table.CellPadding, c.Padding) << c.Given;
    EXPECT_EQ(table.CellSpacing, c.Spacing) << c.Given;
    EXPECT_EQ(table.HSpace, c.HSpace) << c.Given;
    EXPECT_EQ(table.VSpace, c.VSpace) << c.Given;
    EXPECT_EQ(table.Border, c.Border) << c.Given;
  }
}

TEST(TableAttributes, AlignmentAndFloating) {
  struct TCase {
    const char* Given;
    TJustify Current;
    TJustify Alignment;
    bool Floating;
  } cases[] = {
      {"ALIGN=left", TJustify::Centre, TJustify::Left, true},
      {"ALIGN=RIGHT", TJustify::Left, TJustify::Right, true},
      {"ALIGN=center", TJustify::Left, TJustify::Centre, false},
      {"ALIGN=middle", TJustify::Right, TJustify::Right, false},
      {"", TJustify::Centre, TJustify::Centre, false},
  };
  for (const TCase& c : cases) {
    const TTableAttributes table = ReadTableAttributes(Attrs(c.Given), c.Current, true);
    EXPECT_EQ(table.Alignment, c.Alignment) << c.Given;
    EXPECT_EQ(table.Floating, c.Floating) << c.Given;
  }
}

TEST(TableAttributes, WidthsAndHeights) {
  struct TCase {
    const char* Given;
    bool InBody;
    TTableLength Width, Height;
  } cases[] = {
      {"WIDTH=50% HEIGHT=50%", true, {500, true}, {500, true}},
      {"WIDTH=150% HEIGHT=200%", true, {1000, true}, {1100, true}},
      // A percent HEIGHT counts only for a table directly in the body.
      {"WIDTH=40% HEIGHT=40%", false, {400, true}, {0, false}},
      {"WIDTH=300 HEIGHT=120", false, {300, false}, {120, false}},
      {"WIDTH=99999999 HEIGHT=0", true, {kMaxTablePixels, false}, {0, false}},
      {"WIDTH=0% HEIGHT=-5", true, {0, false}, {0, false}},
      {"WIDTH=wide", true, {0, false}, {0, false}},
  };
  for (const TCase& c : cases) {
    const TTableAttributes table = ReadTableAttributes(Attrs(c.Given), TJustify::Left, c.InBody);
    EXPECT_EQ(table.Width.Value, c.Width.Value) << c.Given;
    EXPECT_EQ(table.Width.Given() && table.Width.Percent, c.Width.Percent) << c.Given;
    EXPECT_EQ(table.Height.Value, c.Height.Value) << c.Given;
    EXPECT_EQ(table.Height.Given() && table.Height.Percent, c.Height.Percent) << c.Given;
  }
}

TEST(TableAttributes, Colours) {
  const TTableAttributes table =
      ReadTableAttributes(Attrs("BGCOLOR=red BORDERCOLOR=nonsense"), TJustify::Left, true);
  EXPECT_TRUE(table.BgColorGiven);
  EXPECT_EQ(table.BgColor, MakeColor(255, 0, 0));
  EXPECT_FALSE(table.BorderColorGiven);
}

TEST(TableAttributes, RowsAndCells) {
  const TRowAttributes row = ReadRowAttributes(Attrs("ALIGN=right VALIGN=bottom BGCOLOR=#00ff00"));
  EXPECT_EQ(row.Alignment, TJustify::Right);
  EXPECT_EQ(row.VAlign, TVAlign::Bottom);
  EXPECT_TRUE(row.BgColorGiven);
  EXPECT_EQ(row.BgColor, MakeColor(0, 255, 0));
  EXPECT_EQ(ReadRowAttributes(Attrs("")).VAlign, TVAlign::Middle);

  const TCellAttributes cell =
      ReadCellAttributes(Attrs("COLSPAN=3 ROWSPAN=0 WIDTH=120% HEIGHT=40"), row.VAlign);
  EXPECT_EQ(cell.ColSpan, 3);
  EXPECT_EQ(cell.RowSpan, 1);
  EXPECT_EQ(cell.Width.Value, 1000);
  EXPECT_TRUE(cell.Width.Percent);
  EXPECT_EQ(cell.Height, 40);
  EXPECT_EQ(cell.VAlign, TVAlign::Bottom);  // the row's
  EXPECT_FALSE(cell.BgColorGiven);

  const TCellAttributes top =
      ReadCellAttributes(Attrs("VALIGN=baseline HEIGHT=50%"), TVAlign::Bottom);
  EXPECT_EQ(top.VAlign, TVAlign::Top);
  EXPECT_EQ(top.Height, 0);
}

}  // namespace

}  // namespace htmlview
