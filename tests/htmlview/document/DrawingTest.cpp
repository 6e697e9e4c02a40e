// Drawing and layout behaviour beyond the golden dumps: selection, link colours by state,
// the dummy caret, clip skipping, processing errors, form controls in lines, minimum and
// maximum widths, and font lookups per run.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "DocBuilder.h"
#include "document/InlineControlObj.h"
#include "document/ProcessingError.h"

namespace htmlview {

namespace {

std::vector<std::string> TextCalls(const TTestCanvas& canvas) {
  std::vector<std::string> calls;
  for (const std::string& call : canvas.Calls())
    if (call.rfind("text ", 0) == 0) calls.push_back(call);
  return calls;
}

void LayOutAndDraw(TTestDocument& test, std::int32_t width) {
  std::int32_t widest = 0;
  const std::int32_t height = test.doc.DoLogic(0, width, widest);
  test.canvas.ClearCalls();
  test.doc.Draw({0, 0, width, height}, 0);
}

TEST(Drawing, SelectedCharactersAreOpaqueWithTheColoursExchanged) {
  TTestDocument test;
  test.doc.FontColor = MakeColor(0, 0, 0);
  {
    TDocBuilder b(test.doc);
    b.Text("abcdefgh");
  }
  test.doc.SelB = 2;
  test.doc.SelE = 5;
  LayOutAndDraw(test, 300);
  const std::vector<std::string> expected = {
      "text x=0 base=12 font=#1 color=#000000 \"ab\"",
      "text x=14 base=12 font=#1 color=#FFFFFF bg=#000000 \"cde\"",
      "text x=35 base=12 font=#1 color=#000000 \"fgh\""};
  EXPECT_EQ(TextCalls(test.canvas), expected);
}

TEST(Drawing, LinkColoursFollowTheLinkState) {
  TTestDocument test;
  test.doc.HotSpotColor = MakeColor(0, 0, 255);
  test.doc.LinkVisitedColor = MakeColor(128, 0, 128);
  test.doc.LinkActiveColor = MakeColor(255, 0, 0);
  {
    TDocBuilder b(test.doc);
    b.Link("a.htm").Text("a").EndLink().Text(" ").Link("b.htm").Text("b").EndLink();
  }
  const auto colours = [&] {
    LayOutAndDraw(test, 300);
    std::string found;
    for (const std::string& call : TextCalls(test.canvas))
      if (call.find("\" \"") == std::string::npos)
        found += call.substr(call.find("color=") + 6, 7) + " ";
    return found;
  };
  EXPECT_EQ(colours(), "#0000FF #0000FF ");
  test.doc.LinkList[1]->Visited = true;
  EXPECT_EQ(colours(), "#0000FF #800080 ");
  EXPECT_TRUE(test.doc.SetActiveLink(test.doc.LinkList[1].get()));
  EXPECT_FALSE(test.doc.SetActiveLink(test.doc.LinkList[1].get()));
  EXPECT_EQ(colours(), "#0000FF #800080 ");  // over-links are not active
  test.doc.LinksActive = true;
  EXPECT_EQ(colours(), "#0000FF #FF0000 ");
}

TEST(Drawing, DummyCaretIsABarOneFontHigh) {
  TTestDocument test;
  test.doc.ShowDummyCaret = true;
  test.doc.CaretPos = 3;
  {
    TDocBuilder b(test.doc);
    b.Text("abcdef");
  }
  LayOutAndDraw(test, 300);
  EXPECT_NE(
      std::find(test.canvas.Calls().begin(), test.canvas.Calls().end(), "fill 21,0-22,15 #000000"),
      test.canvas.Calls().end());
}

TEST(Drawing, SectionsOutsideTheClipAreSkipped) {
  // Many sections are found by bisection; a cell of a few, as most table cells, scans them.
  for (const int paragraphs : {1000, 3}) {
    TTestDocument test;
    {
      TDocBuilder b(test.doc);
      for (int n = 0; n < paragraphs; ++n) b.Text("paragraph " + std::to_string(n)).Para();
    }
    std::int32_t widest = 0;
    test.doc.DoLogic(0, 300, widest);
    // Paragraph n stands at 29 n (text 15, space 14).
    const int n = paragraphs / 2;
    test.canvas.ClearCalls();
    test.doc.Draw({0, 29 * n, 300, 29 * n + 20}, 0);
    const std::vector<std::string> expected = {"text x=0 base=" + std::to_string(29 * n + 12) +
                                               " font=#1 color=#000000 \"paragraph " +
                                               std::to_string(n) + "\""};
    EXPECT_EQ(TextCalls(test.canvas), expected) << paragraphs;
    test.canvas.ClearCalls();
    test.doc.Draw({0, 29 * paragraphs, 300, 29 * paragraphs + 20}, 0);
    EXPECT_TRUE(TextCalls(test.canvas).empty()) << paragraphs;
  }
}

// A section that cannot be laid out, as a table with too many columns.
class TFailingSection : public TSectionBase {
 public:
  using TSectionBase::TSectionBase;
  std::int32_t DrawLogic(std::int32_t, IndentManager&, std::int32_t&, std::int32_t&) override {
    throw EProcessingError("Table has too many Columns");
  }
};

TEST(Layout, ASectionWithAProcessingErrorIsReportedAndLeftOut) {
  TTestDocument test;
  std::vector<std::string> reported;
  test.doc.OnProcessingError = [&](const std::string& text) { reported.push_back(text); };
  {
    TDocBuilder b(test.doc);
    b.Text("before").Link("x.htm").Image("SRC=a.gif");
    b.Section(std::make_unique<TFailingSection>(test.doc));
    b.Text("after");
  }
  ASSERT_EQ(test.doc.Count(), 3u);
  LayOutAndDraw(test, 300);
  EXPECT_EQ(reported, std::vector<std::string>{"Table has too many Columns"});
  ASSERT_EQ(test.doc.Count(), 2u);
  EXPECT_EQ(test.doc.Sections()[1]->YValue, test.doc.Sections()[0]->SectionHeight);
  EXPECT_EQ(TextCalls(test.canvas).size(), 2u);
  LayOutAndDraw(test, 200);  // once removed, it is not reported again
  EXPECT_EQ(reported.size(), 1u);
}

class TFakeControl : public TInlineControlObj {
 public:
  TFakeControl(std::int32_t width, std::int32_t height, bool takesPlace, bool raised)
      : width_(width), height_(height), takesPlace_(takesPlace), raised_(raised) {}
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  bool TakesPlace() const override { return takesPlace_; }
  bool RaisedByDescent() const override { return raised_; }
  bool HasFocus() const override { return focused; }
  void PlaceAt(std::int32_t x, std::int32_t y) override {
    placedX = x;
    placedY = y;
    ++placements;
  }
  void HideAfterLayout(bool offScreen) override { lastHideOffScreen = offScreen; }

  bool focused = false;
  std::int32_t placedX = -1;
  std::int32_t placedY = -1;
  int placements = 0;
  int lastHideOffScreen = -1;

 private:
  std::int32_t width_, height_;
  bool takesPlace_, raised_;
};

TEST(Layout, FormControlsSitInTheLineOnItsBottom) {
  TTestDocument test;
  TFakeControl edit(100, 30, true, false);
  TFakeControl check(13, 13, true, true);
  TFakeControl hidden(0, 0, false, false);
  {
    TDocBuilder b(test.doc);
    b.Text("Name ").Control(edit).Control(hidden).Text(" ok ").Control(check);
  }
  test.doc.AnyControlHasFocus = [&] { return edit.focused; };
  std::int32_t widest = 0;
  test.doc.DoLogic(0, 400, widest);
  EXPECT_EQ(edit.lastHideOffScreen, 0);
  edit.focused = true;
  test.doc.DoLogic(0, 400, widest);
  EXPECT_EQ(edit.lastHideOffScreen, 1);
  EXPECT_EQ(hidden.lastHideOffScreen, 1);

  test.doc.Draw({0, 0, 400, 100}, 10);
  // The edit box is 30 high: the line gets 15 above its 15-pixel text, and the box's
  // bottom is the text's bottom.
  const LineRec& line = static_cast<const TSection&>(*test.doc.Sections()[0]).Lines()[0];
  EXPECT_EQ(line.SpaceBefore, 15);
  EXPECT_EQ(edit.placedX, 10 + 35);
  EXPECT_EQ(edit.placedY, 0);
  EXPECT_EQ(hidden.placements, 0);
  // The check box follows " ok " and is raised by the descent (3).
  EXPECT_EQ(check.placedX, 10 + 35 + 100 + 28);
  EXPECT_EQ(check.placedY, 30 - 3 - 13);
  EXPECT_EQ(line.DrawWidth, 35 + 100 + 28 + 13);
}

// Drawing places each control of a no-break line from the one before it: the text is
// measured a bounded number of times a control, not once for every control before it.
TEST(Layout, ALineOfManyControlsIsMeasuredOncePerControl) {
  constexpr int kControls = 400;
  TTestDocument test;
  std::vector<std::unique_ptr<TFakeControl>> controls;
  auto section = std::make_unique<TSection>(test.doc, TFontDesc{}, nullptr, TJustify::Left);
  for (int n = 0; n < kControls; ++n) {
    section->AddText("ab", 3 * n, true);
    controls.push_back(std::make_unique<TFakeControl>(10, 10, true, false));
    section->AddControl(*controls.back(), 3 * n + 2, true);
  }
  test.doc.Add(std::move(section));
  std::int32_t widest = 0;
  test.doc.DoLogic(0, 100, widest);
  const std::int64_t before = test.canvas.Measurements();
  test.doc.Draw({0, 0, 100000, 100}, 0);
  EXPECT_EQ(controls.back()->placedX, kControls * 14 + (kControls - 1) * 10);
  EXPECT_LE(test.canvas.Measurements() - before, 4 * kControls);
}

TEST(Layout, MinimumAndMaximumWidths) {
  TTestDocument test;
  {
    TDocBuilder b(test.doc);
    b.Text("a bb cccc").Para();                                     // 63 wide, longest word 28
    b.Image("SRC=f.gif ALIGN=left WIDTH=20 HEIGHT=20").Text("dd");  // float 20 + 2 x 5
    b.Bullet(2).Text("eeeeee");                                     // 70 indent, 42 wide
    b.Pre(std::string(400, 'p'));                                   // 2400 wide, minimum 2000
  }
  const std::int32_t expected[][2] = {{28, 63}, {0, 0}, {44, 44}, {112, 112}, {2000, 2400}};
  ASSERT_EQ(test.doc.Count(), 5u);
  for (std::size_t n = 0; n < 5; ++n) {
    std::int32_t min = -1;
    std::int32_t max = -1;
    test.doc.Sections()[n]->MinMaxWidth(min, max);
    EXPECT_EQ(min, expected[n][0]) << n;
    EXPECT_EQ(max, expected[n][1]) << n;
  }
  std::int32_t min = 0;
  std::int32_t max = 0;
  test.doc.MinMaxWidth(min, max);
  EXPECT_EQ(min, 2000);
  EXPECT_EQ(max, 2400);

  // No-break text cannot break at its images and controls: they are part of its word,
  // which stays on one line however narrow the cell.
  TFakeControl control(12, 10, true, false);
  TTestDocument nobr;
  auto section = std::make_unique<TSection>(nobr.doc, TFontDesc{}, nullptr, TJustify::Left);
  section->AddText("abc", 0, true);
  section->AddImage(Attrs("SRC=x.gif WIDTH=10 HEIGHT=10"), 3, true);
  section->AddText("def", 4, true);
  section->AddControl(control, 7, true);
  section->AddText("g h", 8, true);
  nobr.doc.Add(std::move(section));
  nobr.doc.MinMaxWidth(min, max);
  EXPECT_EQ(min, 21 + 10 + 21 + 12 + 7);
  std::int32_t widest = 0;
  nobr.doc.DoLogic(0, 30, widest);
  EXPECT_EQ(widest, min);
}

TEST(Layout, FontsAreLookedUpOncePerLayout) {
  TTestDocument test;
  {
    TDocBuilder b(test.doc);
    for (int n = 0; n < 200; ++n) {
      b.Style(n % 2 ? TFontStyle::Bold : 0).Text("some words in a run of text that wraps ");
    }
  }
  std::int32_t widest = 0;
  const std::int32_t height = test.doc.DoLogic(0, 150, widest);
  // A layout looks each of the two fonts up once, however many runs and characters.
  EXPECT_LE(test.canvas.FontLookups(), 4);
  // The next layout measures again: it follows a default changed meanwhile.
  test.doc.FontSize = 24;
  EXPECT_GT(test.doc.DoLogic(0, 150, widest), height);
  EXPECT_LE(test.canvas.FontLookups(), 8);
  test.doc.FontSize = 12;
  EXPECT_EQ(test.doc.DoLogic(0, 150, widest), height);
}

TEST(Layout, HeadingAndParagraphSpacesScaleWithTheDefaultFontSize) {
  TTestDocument test;
  test.doc.FontSize = 9;
  {
    TDocBuilder b(test.doc);
    b.Heading(1).Para().Heading(6);
  }
  std::int32_t widest = 0;
  EXPECT_EQ(test.doc.DoLogic(0, 100, widest), 12 + 11 + 3);  // 16, 14 and 4 at 9/12
  test.doc.FontSize = 24;
  test.doc.UpdateAllFonts();
  EXPECT_EQ(test.doc.DoLogic(0, 100, widest), 32 + 28 + 8);
}

}  // namespace

namespace {

// The first draw call of a one-section document that starts with the given call name.
std::string FirstCall(TTestDocument& test, const std::string& kind) {
  LayOutAndDraw(test, 200);
  for (const std::string& call : test.canvas.Calls())
    if (call.rfind(kind, 0) == 0) return call;
  return "";
}

TEST(Drawing, RuleColoursFollowTheBackgroundAndTheDevice) {
  const struct {
    const char* attributes;
    TColor background;
    int bits;
    const char* expected;
  } cases[] = {
      {"", kWhite, 24, "edge 10,9-190,11 #808080/#C0C0C0"},
      {"", MakeColor(0, 0, 64), 24, "edge 10,9-190,11 #808080/#FFFFFF"},
      {"", MakeColor(0, 0, 64), 1, "edge 10,9-190,11 #000000/#000000"},
      {"NOSHADE", kWhite, 24, "edge 10,9-190,11 #000000/#000000"},
      {"COLOR=#00FF00", kWhite, 1, "fill 10,9-190,11 #00FF00"},
  };
  for (const auto& c : cases) {
    TTestDocument test;
    test.doc.Background = c.background;
    test.canvas.SetBitsPerPixel(c.bits);
    {
      TDocBuilder b(test.doc);
      b.Hr(c.attributes);
    }
    const std::string call = FirstCall(test, c.attributes[0] == 'C' ? "fill" : "edge");
    EXPECT_EQ(call, c.expected) << c.attributes << " bits " << c.bits;
  }
}

TEST(Drawing, BulletsAreFilledOnLightBackgroundsAndOutlinedOnOthers) {
  // The button face differs from silver here, so that each rule is seen on its own.
  const TColor face = MakeColor(212, 208, 200);
  const struct {
    TColor background;
    std::int32_t level;
    const char* expected;
  } cases[] = {
      {kWhite, 1, "pen=#000080 fill=#000080"},
      {kWhite, 5, "pen=#800000 fill=#800000"},
      {MakeColor(192, 192, 192), 3, "pen=#FF0000 fill=#FF0000"},
      {face, 2, "pen=#800000 fill=#800000"},
      {MakeColor(0, 0, 64), 1, "pen=#000000"},
  };
  for (const auto& c : cases) {
    TTestDocument test;
    test.canvas.SetSystemColor(TSystemColor::ButtonFace, face);
    test.doc.Background = c.background;
    {
      TDocBuilder b(test.doc);
      b.Bullet(c.level).Text("item");
    }
    const std::string call = FirstCall(test, "ellipse");
    EXPECT_EQ(call.substr(call.find("pen=")), c.expected) << c.level;
  }
}

}  // namespace

}  // namespace htmlview
