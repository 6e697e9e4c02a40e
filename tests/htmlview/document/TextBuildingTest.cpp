// Building a section: white space kept single as text is added, source indexes kept as
// pairs, the limits of preformatted lines, and which empty sections a cell keeps.
#include <gtest/gtest.h>

#include "DocBuilder.h"
#include "document/IndexObj.h"
#include "document/PackedText.h"

namespace htmlview {

namespace {

struct TToken {
  const char* text;
  bool noBreak;
};

struct TFoldCase {
  const char* name;
  std::vector<TToken> tokens;
  std::string expected;  // '~' stands for the no-break space
};

std::string Shown(std::string_view buffer) {
  std::string shown;
  for (char c : buffer) shown += c == TBufferMark::NoBreakSpace ? '~' : c;
  return shown;
}

TEST(WhiteSpaceFolding, KeepsOneSpaceBetweenWords) {
  const TFoldCase cases[] = {
      {"leading space of a section", {{" a", false}}, "a"},
      {"space after a space", {{"a ", false}, {" b", false}}, "a b"},
      {"space after a word", {{"a", false}, {" b", false}}, "a b"},
      {"no-break codes become no-break spaces", {{"a\5b\5c", true}}, "a~b~c"},
      {"no-break code beside a space", {{"a\5 b", true}, {"c \5d", true}}, "a bc d"},
      {"leading no-break code after a space", {{"a ", false}, {"\5b", true}}, "a b"},
      {"leading no-break code after a no-break space", {{"a\5", true}, {"\5b", true}}, "a~b"},
      {"leading no-break code of a section", {{"\5a\5b", true}}, "a~b"},
      {"no-break mode keeps a leading space", {{"a ", false}, {" b", true}}, "a  b"},
  };
  for (const TFoldCase& c : cases) {
    TTestDocument test;
    TSection section(test.doc, TFontDesc{}, nullptr, TJustify::Left);
    for (const TToken& token : c.tokens) section.AddText(token.text, 0, token.noBreak);
    EXPECT_EQ(Shown(section.Buffer()), c.expected) << c.name;
  }
}

TEST(WhiteSpaceFolding, DropsALeadingSpaceWhileOnlyFloatsStandBeforeIt) {
  TTestDocument test;
  TDocBuilder b(test.doc);
  b.Image("SRC=x.gif ALIGN=left").Text(" after a float");
  EXPECT_EQ(b.Current().Buffer(), std::string("\4after a float"));
  b.Image("SRC=y.gif").Text(" after an inline image");
  EXPECT_EQ(b.Current().Buffer(), std::string("\4after a float\4 after an inline image"));
  b.Br().Image("SRC=x.gif ALIGN=right").NoBreakText("\5no-break");
  EXPECT_EQ(b.Current().Buffer(), std::string("\4no-break"));
}

TEST(PreformattedLine, KeepsSpacesAndStopsTakingTextPast20000Characters) {
  TTestDocument test;
  TPreFormated pre(test.doc, TFontDesc{}, nullptr, TJustify::Left);
  pre.AddText("  two  spaces ", 0);
  EXPECT_EQ(pre.Buffer(), "  two  spaces ");
  const std::string block(100, 'x');
  for (int n = 0; n < 1000; ++n) pre.AddText(block, 0);
  EXPECT_GT(pre.Buffer().size(), TPreFormated::kMaxLength);
  EXPECT_LE(pre.Buffer().size(), TPreFormated::kMaxLength + block.size());
}

TEST(SourceIndexes, AreKeptAsPairsWhereTheyStopRunningOn) {
  const std::vector<std::int32_t> indexes = {5, 6, 7, 10, 11, 3};
  const std::vector<IndexObj> pairs = CompressIndexes(indexes);
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[1].Pos, 3);
  EXPECT_EQ(pairs[1].Index, 10);
  for (std::size_t pos = 0; pos < indexes.size(); ++pos)
    EXPECT_EQ(SourceIndexAt(pairs, static_cast<std::int32_t>(pos)), indexes[pos]) << pos;
  EXPECT_EQ(PositionOfSource(pairs, 6, 10, false), 3);
  // 8 and 9 were never read: before them position 2, after them position 3.
  EXPECT_EQ(PositionOfSource(pairs, 6, 8, true), 2);
  EXPECT_EQ(PositionOfSource(pairs, 6, 8, false), 3);
  EXPECT_EQ(PositionOfSource(pairs, 6, 99, false), -1);
  // Indexes at the top of the range: one that would run on past it starts a new pair.
  const std::vector<IndexObj> top = CompressIndexes({INT32_MAX - 1, INT32_MAX, 0, 1});
  ASSERT_EQ(top.size(), 2u);
  EXPECT_EQ(SourceIndexAt(top, 1), INT32_MAX);
  EXPECT_EQ(SourceIndexAt(top, 3), 1);
}

TEST(SectionBuilding, StartsAfreshAfterAFinishedSection) {
  // A finished section hands its buffers on: the next one must see none of its text,
  // floats, runs or source indexes.
  TTestDocument test;
  {
    TDocBuilder b(test.doc);
    b.Link("a.htm").Image("SRC=x.gif ALIGN=left").Text("linked text").EndLink().Para();
    b.Current().AddText("\5plain", 40, true);  // a leading no-break code is dropped
    EXPECT_EQ(b.Current().Buffer(), "plain");
    EXPECT_EQ(b.Current().Fonts().size(), 1u);
    EXPECT_FALSE(b.Current().LastStyle().IsLink());
    b.Para().Image("SRC=y.gif ALIGN=right").Text(" after");
    EXPECT_EQ(b.Current().Buffer(), "\4after");
  }
  std::int32_t widest = 0;
  test.doc.DoLogic(0, 200, widest);
  // "\4linked text" holds document indexes 0..11, "plain" 12..16 from source 41..45.
  EXPECT_EQ(test.doc.FindSourcePos(12), 41);
  EXPECT_EQ(test.doc.FindSourcePos(16), 45);
}

TEST(SourceIndexes, MapDocumentPositionsToTheSourceAndBack) {
  TTestDocument test;
  {
    TDocBuilder b(test.doc);
    b.Text("abc");   // source 0..2
    TokenObj token;  // an entity: one character from four source characters
    token.Add('&', 3);
    token.Add('x', 7);
    b.Current().AddTokenObj(token, false);
    b.Para();
    b.Current().AddText("def", 11);
  }
  std::int32_t widest = 0;
  test.doc.DoLogic(0, 200, widest);
  // Document indexes: "abc&x" 0..4 from source 0..3 and 7, "def" 5..7 from source 11..13.
  EXPECT_EQ(test.doc.FindSourcePos(4), 7);
  EXPECT_EQ(test.doc.FindDocPos(7, false), 4);
  EXPECT_EQ(test.doc.FindDocPos(5, true), 3);   // inside the entity: the character before
  EXPECT_EQ(test.doc.FindDocPos(5, false), 4);  // or after it
  EXPECT_EQ(test.doc.FindSourcePos(6), test.doc.FindSourcePos(5) + 1);
  EXPECT_EQ(test.doc.FindDocPos(test.doc.FindSourcePos(6), false), 6);
}

TEST(CellSections, DropEmptyTextButKeepAnchorsClearsAndEmptyPreformattedLines) {
  TTestDocument test;
  auto add = [&](std::unique_ptr<TSection> section) { test.doc.Add(std::move(section)); };
  add(std::make_unique<TSection>(test.doc, TFontDesc{}, nullptr, TJustify::Left));
  auto anchor = std::make_unique<TSection>(test.doc, TFontDesc{}, nullptr, TJustify::Left);
  anchor->MarkAnchor();
  add(std::move(anchor));
  auto clear = std::make_unique<TSection>(test.doc, TFontDesc{}, nullptr, TJustify::Left);
  clear->SetClear(TClearType::All);
  add(std::move(clear));
  add(std::make_unique<TPreFormated>(test.doc, TFontDesc{}, nullptr, TJustify::Left));
  EXPECT_EQ(test.doc.Count(), 3u);
}

TEST(RunStyles, AreSharedByRunsOfEqualFontsOnly) {
  TTestDocument test;
  const auto link = test.doc.NewLink("a.htm", "");
  const auto other = test.doc.NewLink("a.htm", "");
  const auto font = [](const char* face, std::int32_t numerator, std::uint8_t style,
                       std::optional<TColor> color) {
    TFontDesc desc;
    desc.Face = face;
    desc.Numerator = numerator;
    desc.Style = style;
    desc.Color = color;
    return desc;
  };
  const struct {
    const char* name;
    TFontDesc desc;
    TSubSuper mode;
    std::shared_ptr<TUrlTarget> link;
  } styles[] = {
      {"plain", TFontDesc{}, TSubSuper::None, nullptr},
      {"face", font("Arial", 12, 0, {}), TSubSuper::None, nullptr},
      {"face in other case", font("arial", 12, 0, {}), TSubSuper::None, nullptr},
      {"size", font("", 16, 0, {}), TSubSuper::None, nullptr},
      {"bold", font("", 12, TFontStyle::Bold, {}), TSubSuper::None, nullptr},
      {"black given", font("", 12, 0, kBlack), TSubSuper::None, nullptr},
      {"superscript", TFontDesc{}, TSubSuper::Super, nullptr},
      {"link", TFontDesc{}, TSubSuper::None, link},
      {"another link to the same page", TFontDesc{}, TSubSuper::None, other},
  };
  TRunStyles& table = test.doc.RunStyles();
  std::vector<std::uint32_t> numbers;
  for (const auto& style : styles)
    numbers.push_back(table.Intern(style.desc, style.mode, style.link));
  for (std::size_t n = 0; n < numbers.size(); ++n) {
    const auto& style = styles[n];
    EXPECT_EQ(table.Intern(style.desc, style.mode, style.link), numbers[n]) << style.name;
    EXPECT_EQ(table[numbers[n]].Desc.Face, style.desc.Face) << style.name;
    for (std::size_t m = 0; m < n; ++m)
      EXPECT_NE(numbers[m], numbers[n]) << styles[m].name << " / " << style.name;
  }
  EXPECT_EQ(table.Count(), numbers.size());

  // A page that changes font at every word holds each font once; emptying forgets them.
  TDocBuilder build(test.doc);
  for (int n = 0; n < 1000; ++n) build.Style(n % 2 ? TFontStyle::Bold : 0).Text("word ");
  build.Finish();
  EXPECT_EQ(dynamic_cast<const TSection&>(*test.doc.Sections().at(0)).Fonts().size(), 1000u);
  EXPECT_EQ(table.Count(), numbers.size());
  test.doc.Clear();
  EXPECT_EQ(table.Count(), 0u);
}

TEST(PackedText, GivesBackRunsPairsAndCharactersAsTheyWereGiven) {
  const struct {
    const char* name;
    std::vector<TFontObj> runs;
    std::vector<IndexObj> pairs;
    std::string text;
  } cases[] = {
      {"an anchor alone", {{0, 3}}, {}, ""},
      {"text from one place", {{0, 1}}, {{0, 40}}, "abc"},
      {"runs and pairs of odd counts", {{0, 1}, {2, 7}, {5, 1}}, {{0, 9}, {4, 2}}, "a\4bc\240de"},
  };
  for (const auto& c : cases) {
    const TPackedText packed(c.runs, c.pairs, c.text);
    const auto runs = packed.Runs();
    ASSERT_EQ(runs.size(), c.runs.size()) << c.name;
    for (std::size_t n = 0; n < runs.size(); ++n) {
      EXPECT_EQ(runs[n].Pos, c.runs[n].Pos) << c.name << " run " << n;
      EXPECT_EQ(runs[n].Style, c.runs[n].Style) << c.name << " run " << n;
    }
    const auto pairs = packed.Indexes();
    ASSERT_EQ(pairs.size(), c.pairs.size()) << c.name;
    for (std::size_t n = 0; n < pairs.size(); ++n) {
      EXPECT_EQ(pairs[n].Pos, c.pairs[n].Pos) << c.name << " pair " << n;
      EXPECT_EQ(pairs[n].Index, c.pairs[n].Index) << c.name << " pair " << n;
    }
    EXPECT_EQ(packed.Text(), c.text) << c.name;
  }
  EXPECT_TRUE(TPackedText().Text().empty());
  EXPECT_TRUE(TPackedText().Runs().empty());
}

TEST(ListMarkers, NumbersInEachStyle) {
  const struct {
    std::int32_t number;
    char style;
    const char* text;
  } cases[] = {{7, '1', "7"},    {0, '1', "0"},   {1, 'A', "A"},   {26, 'a', "z"},
               {27, 'A', "Z"},   {4, 'I', "IV"},  {9, 'i', "ix"},  {14, 'I', "XIV"},
               {19, 'i', "xix"}, {20, 'I', "XX"}, {30, 'i', "xx"}, {12, 'x', "12"}};
  for (const auto& c : cases)
    EXPECT_EQ(ListNumberText(c.number, c.style), c.text) << c.number << " " << c.style;
}

TEST(Clear, FromTheBrAttribute) {
  EXPECT_EQ(ClearFromText("LEFT"), TClearType::Left);
  EXPECT_EQ(ClearFromText("right"), TClearType::Right);
  EXPECT_EQ(ClearFromText("all"), TClearType::All);
  EXPECT_EQ(ClearFromText("anything"), TClearType::All);
}

}  // namespace

}  // namespace htmlview
