#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TableTestKit.h"

namespace htmlview {

namespace {

struct TCellSpec {
  std::string Attrs;
  std::int32_t Min = 10;
  std::int32_t Max = 10;
};
using TRowsSpec = std::vector<std::vector<TCellSpec>>;

// A page on the test canvas, built from tables of blocks.
class TTablePage {
 public:
  TTablePage() {
    doc.OnProcessingError = [this](const std::string& text) { errors.push_back(text); };
  }

  // A table of blocks named A, B, ... in page order, appended to `into`.
  ThtmlTable& AddTable(TCell& into, const std::string& attributes, const TRowsSpec& rows,
                       TJustify alignment = TJustify::Left) {
    auto table = std::make_unique<ThtmlTable>(doc, Attrs(attributes), into, alignment, 0);
    for (const auto& row : rows) {
      table->AddRow(Attrs(""));
      for (const TCellSpec& spec : row)
        AddBlock(table->AddCell(Attrs(spec.Attrs)).Cell, spec.Min, spec.Max);
    }
    ThtmlTable& added = *table;
    into.Add(std::move(table));
    return added;
  }
  ThtmlTable& AddTable(const std::string& attributes, const TRowsSpec& rows,
                       TJustify alignment = TJustify::Left) {
    return AddTable(doc, attributes, rows, alignment);
  }
  void AddBlock(TCell& into, std::int32_t min, std::int32_t max, int* measured = nullptr) {
    into.Add(std::make_unique<TBlock>(doc, std::string(1, next_++), min, max, measured));
  }

  std::int32_t Layout(std::int32_t width) {
    std::int32_t widest = 0;
    return doc.DoLogic(0, width, widest);
  }

  TTestDocument test;
  TSectionList& doc = test.doc;
  std::vector<std::string> errors;

 private:
  char next_ = 'A';
};

struct TGoldenCase {
  const char* Name;
  std::int32_t Width;
  std::function<void(TTablePage&)> Build;
};

TEST(HtmlTable, GoldenLayouts) {
  const TGoldenCase cases[] = {
      {"spans", 300,
       [](TTablePage& page) {
         // B's ROWSPAN of 5 stops at the last of the three rows.
         page.AddTable("BORDER", {{{"COLSPAN=2", 30, 60}, {"ROWSPAN=5", 20, 20}},
                                  {{"", 10, 10}, {"", 10, 40}},
                                  {{"COLSPAN=2", 10, 10}}});
       }},
      {"cell_pixel_width", 300,
       [](TTablePage& page) {
         page.AddTable("", {{{"WIDTH=100", 10, 20}, {"", 30, 300}}});
       }},
      {"table_pixel_width", 600,
       [](TTablePage& page) {
         page.AddTable("WIDTH=300", {{{"", 20, 40}, {"", 30, 60}}});
       }},
      {"table_percent_width", 600,
       [](TTablePage& page) {
         page.AddTable("WIDTH=50%", {{{"WIDTH=25%", 20, 40}, {"", 30, 60}}});
       }},
      {"percentages_over_100", 400,
       [](TTablePage& page) {
         page.AddTable("", {{{"WIDTH=80%", 20, 100}, {"WIDTH=60%", 20, 100}}});
         page.AddTable("WIDTH=400", {{{"WIDTH=80%", 20, 100}, {"WIDTH=60%", 20, 100}}});
       }},
      {"no_widths_wrapping", 300,
       [](TTablePage& page) {
         page.AddTable("", {{{"VALIGN=top", 40, 300}, {"", 40, 300}},
                            {{"VALIGN=bottom", 10, 10}, {"", 40, 300}}});
       }},
      {"padding_spacing_border", 400,
       [](TTablePage& page) {
         // Padding 80 is taken as 50, spacing 60 as 40, and the border adds 2.
         page.AddTable("CELLPADDING=80 CELLSPACING=60 BORDER", {{{"", 10, 10}}});
       }},
      {"centred_and_right", 400,
       [](TTablePage& page) {
         page.AddTable("ALIGN=center", {{{"", 50, 50}}});
         page.AddTable("", {{{"", 50, 50}}}, TJustify::Right);  // the text is right-aligned
       }},
      {"float_left_text_beside", 400,
       [](TTablePage& page) {
         page.AddTable("ALIGN=left HSPACE=10 VSPACE=4", {{{"", 50, 50}}, {{"", 50, 50}}});
         page.AddBlock(page.doc, 20, 200);
         page.AddBlock(page.doc, 20, 200);
         page.AddBlock(page.doc, 20, 200);
       }},
      {"float_right", 400,
       [](TTablePage& page) {
         page.AddTable("ALIGN=right", {{{"", 50, 50}}});
         page.AddBlock(page.doc, 20, 400);
       }},
      {"height_and_cell_height", 300,
       [](TTablePage& page) {
         page.AddTable("HEIGHT=101", {{{"HEIGHT=50", 10, 10}}, {{"VALIGN=bottom", 10, 10}}});
       }},
      {"text_beside_a_floating_table", 300,
       [](TTablePage& page) {
         TDocBuilder text(page.doc);
         text.Text("Before the table.");
         text.Finish();
         auto table = std::make_unique<ThtmlTable>(page.doc, Attrs("ALIGN=left BORDER"), page.doc,
                                                   TJustify::Left, 0);
         TDocBuilder(table->SetCaption(Attrs("")).Cell).Align(TJustify::Centre).Text("Caption");
         TDocBuilder(table->AddCell(Attrs("")).Cell).Text("one two");
         TDocBuilder(table->AddCell(Attrs("WIDTH=60")).Cell).Text("three");
         text.Section(std::move(table));
         text.Text("Text that flows to the right of the floating table and on below it.");
       }},
      {"colours", 300,
       [](TTablePage& page) {
         ThtmlTable& table = page.AddTable("BGCOLOR=silver BORDERCOLOR=red BORDER", {});
         table.AddRow(Attrs("BGCOLOR=green"));
         page.AddBlock(table.AddCell(Attrs("")).Cell, 10, 10);
         page.AddBlock(table.AddCell(Attrs("BGCOLOR=blue")).Cell, 10, 10);
         table.AddRow(Attrs(""));
         page.AddBlock(table.AddCell(Attrs("")).Cell, 10, 10);
       }},
  };
  for (const TGoldenCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTablePage page;
    c.Build(page);
    ExpectGolden(PAVINA_TABLES_GOLDEN_DIR, c.Name, LayoutAndDrawDump(page.test, c.Width));
    EXPECT_TRUE(page.errors.empty());
  }
}

TEST(HtmlTable, CaptionAboveOrBelowAndWiderThanTheRows) {
  for (const char* align : {"", "ALIGN=bottom"}) {
    TTablePage page;
    ThtmlTable& table = page.AddTable("", {{{"", 20, 20}}});
    page.AddBlock(table.SetCaption(Attrs(align)).Cell, 100, 100);
    page.Layout(400);
    const TCellObj& cell = *table.Rows()[0]->Cells[0];
    const TCellObj& caption = *table.Caption();
    // The rows (20 + 4 + 2 wide) are centred under the 100-pixel caption.
    EXPECT_EQ(table.TableWidth(), 100);
    EXPECT_EQ(cell.BoxX, (100 - 26) / 2 + 2);
    if (table.CaptionBelow()) {
      EXPECT_EQ(caption.BoxY, cell.BoxY + cell.BoxHeight + 2) << align;
    } else {
      EXPECT_EQ(caption.BoxY, 0) << align;
      EXPECT_EQ(cell.BoxY, 10 + 2) << align;
    }
    EXPECT_EQ(table.TableHeight(), 10 + 14 + 2) << align;
  }
}

TEST(HtmlTable, TooManyColumnsIsReportedAndOnlyTheTableIsDropped) {
  const std::vector<TRowsSpec> tables = {
      {std::vector<TCellSpec>(201)},
      {{{"COLSPAN=10000"}}},
  };
  for (const TRowsSpec& rows : tables) {
    TTablePage page;
    page.AddBlock(page.doc, 10, 10);
    page.AddTable("", rows);
    page.AddBlock(page.doc, 10, 10);
    const std::int32_t height = page.Layout(300);
    EXPECT_EQ(page.errors, std::vector<std::string>{"Table has too many Columns"});
    ASSERT_EQ(page.doc.Count(), 2u);
    EXPECT_EQ(height, 20);
    EXPECT_EQ(page.doc.Sections()[1]->YValue, 10);
  }
  // Two hundred columns are still a table.
  TTablePage page;
  page.AddTable("", {std::vector<TCellSpec>(200)});
  page.Layout(300);
  EXPECT_TRUE(page.errors.empty());
  EXPECT_EQ(page.doc.Count(), 1u);
}

// A table in a cell of a table, `depth` deep, with one block at the bottom whose width
// queries are counted.
ThtmlTable& Nest(TTablePage& page, int depth, int* measured) {
  ThtmlTable& outer = page.AddTable("BORDER", {});
  ThtmlTable* table = &outer;
  for (int level = 1; level < depth; ++level) {
    TCellObj& cell = table->AddCell(Attrs(""));
    page.AddBlock(cell.Cell, 5, 30);
    auto inner =
        std::make_unique<ThtmlTable>(page.doc, Attrs("BORDER"), cell.Cell, TJustify::Left, 0);
    ThtmlTable* next = inner.get();
    cell.Cell.Add(std::move(inner));
    table = next;
  }
  page.AddBlock(table->AddCell(Attrs("")).Cell, 5, 30, measured);
  return outer;
}

TEST(HtmlTable, NestedTablesAreMeasuredOncePerLayout) {
  for (int depth : {2, 10, 50}) {
    TTablePage page;
    int measured = 0;
    ThtmlTable& outer = Nest(page, depth, &measured);
    page.Layout(2000);
    EXPECT_EQ(measured, 1) << depth;
    page.Layout(2000);
    EXPECT_EQ(measured, 2) << depth;
    EXPECT_TRUE(page.errors.empty());
    // Each level adds twice the padding and the spacing (2 + 2 for the border) in its cell,
    // and the spacing once more around its column.
    std::int32_t min = 0, max = 0;
    outer.MinMaxWidth(min, max);
    EXPECT_EQ(max, 30 + depth * (2 + 4 + 4)) << depth;
    EXPECT_EQ(outer.TableWidth(), max) << depth;
  }
}

TEST(HtmlTable, HitTestsReachTheCellsContent) {
  TTablePage page;
  page.AddBlock(page.doc, 10, 10);
  ThtmlTable& table = page.AddTable("ALIGN=center CELLPADDING=5", {{{"", 20, 20}, {"", 30, 30}}});
  page.Layout(400);
  const TCellObj& second = *table.Rows()[0]->Cells[1];
  const std::int32_t x = second.ContentX + 3;
  const std::int32_t y = second.BoxY + 5 + 1;
  TCursorHit hit;
  const std::int32_t index = table.FindCursor(x, y, hit);
  EXPECT_EQ(index, 2);  // the block before the table is 0, the first cell 1
  EXPECT_EQ(hit.X, second.ContentX);
  std::int32_t backX = 0, backY = 0;
  ASSERT_TRUE(table.CursorToXY(index, backX, backY));
  EXPECT_EQ(backX, second.ContentX);
  EXPECT_EQ(backY, y - 1);
  EXPECT_EQ(table.FindCursor(second.BoxX - 1, y, hit), -1);  // in the spacing
  EXPECT_EQ(table.FindCursor(x, table.TableY() + table.TableHeight(), hit), -1);
}

// A right-floating table moves right only by the room it leaves; wider than the room it
// stays at the left indent, where scrolling reaches it.
TEST(HtmlTable, ARightFloatPlacesItselfByTheRoomLeft) {
  struct TCase {
    std::int32_t Width;
    std::int32_t Level;
    std::int32_t X;
  } const cases[] = {{400, 0, 400 - 156}, {100, 0, 0}, {100, 2, 70}, {156, 0, 0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Width);
    TTablePage page;
    auto table = std::make_unique<ThtmlTable>(page.doc, Attrs("ALIGN=right"), page.doc,
                                              TJustify::Left, c.Level);
    page.AddBlock(table->AddCell(Attrs("")).Cell, 150, 150);
    ThtmlTable& placed = *table;
    page.doc.Add(std::move(table));
    page.Layout(c.Width);
    EXPECT_EQ(placed.TableWidth(), 156);
    EXPECT_EQ(placed.TableX(), c.X);
  }
}

// A double-click asks for each character of a word: the section, and in a table the cell,
// that holds an index is found by bisection, not by asking every one before it.
TEST(HtmlTable, TheCharacterAtAnIndexIsFoundWithoutAScan) {
  constexpr int kBlocks = 3000;
  TTablePage page;
  for (int n = 0; n < kBlocks; ++n) page.AddBlock(page.doc, 10, 10);
  page.AddTable("", TRowsSpec(kBlocks, {TCellSpec{}}));
  page.AddBlock(page.doc, 10, 10);
  page.Layout(300);
  for (const std::int32_t pos : {0, kBlocks - 1, kBlocks, 2 * kBlocks - 1, 2 * kBlocks}) {
    TBlock::charQueries = 0;
    char ch = 0;
    EXPECT_TRUE(page.doc.GetChAtPos(pos, ch)) << pos;
    EXPECT_EQ(TBlock::charQueries, 1) << pos;
  }
  char ch = 0;
  EXPECT_FALSE(page.doc.GetChAtPos(2 * kBlocks + 1, ch));
}

// Drawing and hit-tests start at the first row that reaches the point: a cell spanning
// rows from far above still counts there.
TEST(HtmlTable, RowsAreFoundByPositionAndSpanningCellsReachDown) {
  TTablePage page;
  ThtmlTable& table = page.AddTable(
      "CELLSPACING=0 CELLPADDING=0",
      {{{"ROWSPAN=3 VALIGN=bottom", 10, 10}, {"", 10, 10}}, {{"", 10, 10}}, {{"", 10, 10}}});
  page.Layout(300);
  const TCellObj& spanning = *table.Rows()[0]->Cells[0];
  const TCellObj& last = *table.Rows()[2]->Cells[0];
  TCursorHit hit;
  EXPECT_EQ(table.FindCursor(spanning.BoxX + 1, last.BoxY + 5, hit), 0);
  EXPECT_EQ(table.FindCursor(last.BoxX + 1, last.BoxY + 5, hit), 3);
  EXPECT_EQ(table.FindCursor(last.BoxX + 1, last.BoxY + 10, hit), -1);
  page.test.canvas.ClearCalls();
  page.doc.Draw({0, last.BoxY, 300, last.BoxY + 10}, 0);
  EXPECT_EQ(page.test.canvas.Calls().size(), 2u);  // the spanning block and the last
}

TEST(HtmlTable, PercentHeightCountsFromTheViewOnlyInTheBody) {
  TTablePage page;
  page.doc.ViewHeight = 403;
  ThtmlTable& table = page.AddTable("HEIGHT=50%", {{{"", 10, 10}}});
  ThtmlTable& nested =
      page.AddTable(table.Rows()[0]->Cells[0]->Cell, "HEIGHT=50%", {{{"", 10, 10}}});
  page.Layout(300);
  // Half of the view, less the spacing and 3, for the rows; the spacing below them.
  EXPECT_EQ(table.TableHeight(), 403 / 2 - 2 - 3 + 2);
  EXPECT_EQ(nested.TableHeight(), 14 + 2);
}

// Cells are laid out at the rows' top and moved down after; drawing a strip must still
// find each cell's text where it ended up.
TEST(HtmlTable, DrawingAStripDrawsOnlyTheCellsInIt) {
  TTablePage page;
  auto table =
      std::make_unique<ThtmlTable>(page.doc, Attrs("HEIGHT=200"), page.doc, TJustify::Left, 0);
  ThtmlTable& placed = *table;
  TDocBuilder(table->AddCell(Attrs("VALIGN=bottom")).Cell).Text("first");
  table->CloseRow();
  TDocBuilder(table->AddCell(Attrs("VALIGN=bottom")).Cell).Text("second");
  page.doc.Add(std::move(table));
  page.Layout(300);
  const TCellObj& second = *placed.Rows()[1]->Cells[0];
  auto drawnTexts = [&](std::int32_t top, std::int32_t bottom) {
    page.test.canvas.ClearCalls();
    page.doc.Draw(TRect{0, top, 300, bottom}, 0);
    std::string texts;
    for (const std::string& call : page.test.canvas.Calls())
      if (call.rfind("text", 0) == 0) texts += call.substr(call.find('"')) + " ";
    return texts;
  };
  const std::int32_t secondText = second.BoxY + second.BoxHeight - 1 - 15;
  EXPECT_EQ(drawnTexts(secondText, secondText + 15), "\"second\" ");
  EXPECT_EQ(drawnTexts(0, second.BoxY - 30), "");  // above the first cell's text
  EXPECT_EQ(drawnTexts(0, 200), "\"first\" \"second\" ");
}

TEST(HtmlTable, CellsGoIntoTheOpenRowOrStartOne) {
  TTablePage page;
  ThtmlTable table(page.doc, Attrs(""), page.doc, TJustify::Left, 0);
  EXPECT_EQ(table.OpenRow(), nullptr);
  table.AddCell(Attrs(""));  // a cell before any TR starts a row
  table.AddCell(Attrs(""));
  table.CloseRow();  // a /TR
  EXPECT_EQ(table.OpenRow(), nullptr);
  table.AddCell(Attrs(""));
  TCellList& row = table.AddRow(Attrs("VALIGN=top"));
  EXPECT_EQ(table.OpenRow(), &row);
  EXPECT_EQ(table.AddCell(Attrs("")).VAlign, TVAlign::Top);
  EXPECT_EQ(table.AddCell(Attrs("VALIGN=bottom")).VAlign, TVAlign::Bottom);
  ASSERT_EQ(table.Rows().size(), 3u);
  EXPECT_EQ(table.Rows()[0]->Cells.size(), 2u);
  EXPECT_EQ(table.Rows()[1]->Cells.size(), 1u);
  EXPECT_EQ(table.Rows()[1]->Cells[0]->VAlign, TVAlign::Middle);  // rows default to middle
  EXPECT_EQ(table.Rows()[2]->Cells.size(), 2u);
}

TEST(HtmlTable, BackgroundsPassFromEnclosingCellToTableToRowToCell) {
  TTablePage page;
  ThtmlTable& outer = page.AddTable("", {});
  outer.AddRow(Attrs(""));
  TCellObj& coloured = outer.AddCell(Attrs("BGCOLOR=yellow"));
  ThtmlTable& inner = page.AddTable(coloured.Cell, "", {});
  EXPECT_EQ(inner.Background(), MakeColor(255, 255, 0));
  inner.AddRow(Attrs("BGCOLOR=red"));
  EXPECT_EQ(inner.AddCell(Attrs("")).Cell.Background, MakeColor(255, 0, 0));
  EXPECT_EQ(inner.AddCell(Attrs("BGCOLOR=blue")).Cell.Background, MakeColor(0, 0, 255));
  inner.AddRow(Attrs(""));
  EXPECT_EQ(inner.AddCell(Attrs("")).Cell.Background, MakeColor(255, 255, 0));
  EXPECT_EQ(outer.AddCell(Attrs("")).Cell.Background, std::nullopt);
}

}  // namespace

}  // namespace htmlview
