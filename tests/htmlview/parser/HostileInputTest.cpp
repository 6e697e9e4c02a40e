// Input that tries to make the parser fail, allocate without bound or recurse without end.
// Run natively under the sanitizers: each page must parse and lay out.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "ParseKit.h"
#include "document/DocumentExtent.h"
#include "parser/FontStack.h"
#include "parser/HtmlBuilder.h"
#include "parser/Tokenizer.h"
#include "tables/HtmlTable.h"

namespace htmlview {

namespace {

std::string Repeat(const std::string& text, int count) {
  std::string out;
  out.reserve(text.size() * static_cast<std::size_t>(count));
  for (int n = 0; n < count; ++n) out += text;
  return out;
}

// Parses and lays out the page; returns the document height.
std::int32_t ParseAndLayOut(TParsedDocument& parsed, const std::string& page) {
  parsed.Parse(page);
  std::int32_t widest = 0;
  return parsed.doc.DoLogic(5, 400, widest);
}

int TableDepth(const TCell& cell) {
  int deepest = 0;
  for (const auto& section : cell.Sections()) {
    const auto* table = dynamic_cast<const ThtmlTable*>(section.get());
    if (!table) continue;
    for (const auto& row : table->Rows())
      for (const auto& c : row->Cells) deepest = std::max(deepest, 1 + TableDepth(c->Cell));
  }
  return deepest;
}

const TSection* LastTextSection(const TCell& cell) {
  for (auto it = cell.Sections().rbegin(); it != cell.Sections().rend(); ++it)
    if (const auto* section = dynamic_cast<const TSection*>(it->get())) return section;
  return nullptr;
}

TEST(HostileInput, UnterminatedTagsAndQuotesAtTheEnd) {
  for (const char* page :
       {"text<a href=\"x.htm", "text<img src='a.gif", "text<b", "text<", "text</",
        "text<p align=", "text&#", "text&am", "<!DOCTYPE", "<table><tr><td>x", "<select><option>a",
        "<textarea>abc", "<script>x", "<pre>x", "<map name=m><area coords=1,2"}) {
    TParsedDocument parsed;
    ParseAndLayOut(parsed, page);
    EXPECT_EQ(parsed.parser.ParseError(), "") << page;
  }
  TParsedDocument parsed;
  ParseAndLayOut(parsed, "<p>text<a href=\"x.htm");
  // The link that the tag would have opened starts and ends after the text.
  EXPECT_EQ(StructureDump(parsed.doc), "paragraph space\ntext left \"text\"\n  @4\n");
}

TEST(HostileInput, HundredThousandNestedFontAndBoldTags) {
  TParsedDocument parsed;
  ParseAndLayOut(parsed, Repeat("<font size=+1 color=red>", 100000) + Repeat("<b>", 100000) +
                             "deep" + Repeat("</b></font>", 100000) + "out");
  const TSection* section = LastTextSection(parsed.doc);
  ASSERT_NE(section, nullptr);
  EXPECT_EQ(section->Buffer(), "deepout");
  EXPECT_LE(section->Fonts().size(), 3u);
}

TEST(HostileInput, HundredThousandNestedTablesAreCutAtTheNestingLimit) {
  TParsedDocument parsed;
  const std::int32_t height =
      ParseAndLayOut(parsed, Repeat("<table border=1><tr><td>", 100000) + "deep" +
                                 Repeat("</td></tr></table>", 100000) + "after");
  EXPECT_GT(height, 0);
  EXPECT_EQ(TableDepth(parsed.doc), THtmlBuilder::kMaxBlockNesting);
  ASSERT_NE(LastTextSection(parsed.doc), nullptr);
  EXPECT_EQ(LastTextSection(parsed.doc)->Buffer(), "after");
}

// Openers that nest: without the nesting limit each would recurse a hundred thousand
// deep. The text inside shows at the depth reached.
TEST(HostileInput, HundredThousandNestedBlocksStopAtTheNestingLimit) {
  const struct {
    const char* Open;
    std::int32_t Level;  // list level of the text inside
  } cases[] = {{"<div align=right>", 0},
               {"<center>", 0},
               {"<ul><li>", THtmlBuilder::kMaxBlockNesting},
               {"<blockquote>", THtmlBuilder::kMaxBlockNesting},
               {"<dl><dd>", THtmlBuilder::kMaxBlockNesting}};
  for (const auto& c : cases) {
    TParsedDocument parsed;
    ParseAndLayOut(parsed, Repeat(c.Open, 100000) + "deep");
    EXPECT_EQ(parsed.parser.ParseError(), "") << c.Open;
    const TSection* deep = LastTextSection(parsed.doc);
    ASSERT_NE(deep, nullptr) << c.Open;
    EXPECT_EQ(deep->Buffer(), "deep") << c.Open;
    EXPECT_EQ(deep->ListLevel(), c.Level) << c.Open;
  }
}

// Values at the edge of the integers are bounded before they are added to.
TEST(HostileInput, SizesAndNumbersAtTheIntegerLimit) {
  TParsedDocument parsed;
  ParseAndLayOut(parsed,
                 "<font size=+2147483647>a</font><font size=-2147483647>b</font>"
                 "<ol start=2147483647><li>c<li>d</ol>");
  std::vector<std::int32_t> numbers;
  for (const auto& section : parsed.doc.Sections())
    if (const auto* item = dynamic_cast<const TOListItem*>(section.get()))
      numbers.push_back(item->Number());
  EXPECT_EQ(numbers, (std::vector<std::int32_t>{2147483647, 2147483647}));
  const auto& section = dynamic_cast<const TSection&>(*parsed.doc.Sections().at(0));
  ASSERT_EQ(section.Fonts().size(), 3u);
  EXPECT_EQ(section.StyleOf(section.Fonts()[0]).Desc.Numerator, 36);  // size 7
  EXPECT_EQ(section.StyleOf(section.Fonts()[1]).Desc.Numerator, 8);   // size 1
}

// Pages taller than 32-bit coordinates hold: the document stops growing at its extent, and
// sections stay in ascending order for the searches by position.
TEST(HostileInput, PagesTallerThanTheExtentStopAtIt) {
  const std::string rows = "<table>" + Repeat("<tr><td height=32000>", 31250) + "</table>";
  for (const std::string& page :
       {Repeat(rows, 3), Repeat("<img width=32000 height=32000>", 40000) + rows}) {
    TParsedDocument parsed;
    EXPECT_EQ(ParseAndLayOut(parsed, page), kMaxDocumentExtent - 5);
    const auto& sections = parsed.doc.Sections();
    for (std::size_t n = 1; n < sections.size(); ++n)
      EXPECT_LE(sections[n - 1]->YValue, sections[n]->YValue);
    EXPECT_EQ(parsed.doc.SectionAtY(kMaxDocumentExtent - 1), 0);  // the first fills it
  }
}

TEST(HostileInput, HugeAttributeValuesAreCut) {
  const std::string huge(10 * 1024 * 1024, 'x');
  TParsedDocument parsed;
  ParseAndLayOut(parsed, "<img alt=\"" + huge + "\" src=" + huge + " width=" + huge + ">after");
  THtmlTokenizer tokenizer;
  const std::string tag = "<img alt=\"" + huge + "\">";
  tokenizer.Start(tag);
  ASSERT_EQ(tokenizer.Next(), TSymbol::Img);
  EXPECT_EQ(tokenizer.Attributes().Text(TAttrSymbol::ALT).size(),
            THtmlTokenizer::kMaxAttributeValue);
  ASSERT_NE(LastTextSection(parsed.doc), nullptr);
  EXPECT_EQ(LastTextSection(parsed.doc)->Buffer(),
            "\x04"
            "after");
}

TEST(HostileInput, ManyAttributesInOneTag) {
  THtmlTokenizer tokenizer;
  const std::string tag = "<td" + Repeat(" width=1", 100000) + ">";
  tokenizer.Start(tag);
  ASSERT_EQ(tokenizer.Next(), TSymbol::Td);
  EXPECT_EQ(tokenizer.Attributes().Items().size(), THtmlTokenizer::kMaxAttributes);
}

TEST(HostileInput, NulBytesAreSkipped) {
  const std::string page("a\0b<p\0 align=right>c\0<b\0>d&\0#65;", 32);
  TParsedDocument parsed;
  ParseAndLayOut(parsed, page);
  EXPECT_EQ(StructureDump(parsed.doc),
            "text left \"ab\"\nparagraph space\ntext left \"cd&#65;\"\n  @1 b\n");
}

TEST(HostileInput, NumericReferencesWithLongDigitRuns) {
  TParsedDocument parsed;
  ParseAndLayOut(parsed,
                 "&#" + std::string(1000000, '9') + ";&#" + std::string(100000, '0') + "65;x");
  const TSection* section = LastTextSection(parsed.doc);
  ASSERT_NE(section, nullptr);
  // Six digits are read: 999999 is no character; 000000 stays text; the rest is text.
  EXPECT_EQ(section->Buffer().substr(0, 4), "?999");
  EXPECT_EQ(section->Buffer().back(), 'x');
}

// Random mixtures of the tag table, attributes, entities, comments and bytes.
TEST(HostileInput, RandomMarkup) {
  const std::string pieces[] = {"<table border=1>",
                                "<tr>",
                                "<td colspan=3>",
                                "<td rowspan=9 nowrap>",
                                "</td>",
                                "</table>",
                                "<caption>",
                                "<ul>",
                                "<ol type=i start=-5>",
                                "<li>",
                                "<dl><dt>",
                                "<dd>",
                                "</ul>",
                                "<p>",
                                "</p>",
                                "<br clear=all>",
                                "<h2>",
                                "</h3>",
                                "<b>",
                                "</i>",
                                "<font size=+9>",
                                "</font>",
                                "<basefont size=-7>",
                                "<big>",
                                "<small>",
                                "<sub>",
                                "<sup>",
                                "<pre>",
                                "</pre>",
                                "<a href=x>",
                                "<a name=n>",
                                "</a>",
                                "<img src=a.gif width=50% align=left>",
                                "<img align=right>",
                                "<hr size=25 width=200%>",
                                "<center>",
                                "</div>",
                                "<div align=center>",
                                "<form>",
                                "<input type=radio name=r>",
                                "<input type=image>",
                                "<select size=4>",
                                "<option>",
                                "</select>",
                                "<textarea>",
                                "</textarea>",
                                "<map name=m>",
                                "<area shape=poly coords=1,2>",
                                "</map>",
                                "<script>",
                                "</script>",
                                "<!-- c -->",
                                "<!",
                                "&amp;",
                                "&#8364;",
                                "&#",
                                "&",
                                "<",
                                ">",
                                "word ",
                                "\r\n",
                                "\t",
                                std::string("\0", 1),
                                "\x05",
                                "\xA0",
                                "<nobr>",
                                "<wbr>",
                                "</nobr>",
                                "<title>",
                                "<body bgcolor=red>",
                                "<meta http-equiv=content-type content=koi8-r>",
                                "<address>",
                                "</h1>",
                                "<tt>",
                                "</tt>"};
  std::mt19937 random(20240611);
  for (int page = 0; page < 300; ++page) {
    std::string text;
    const int count = 1 + static_cast<int>(random() % 400);
    for (int n = 0; n < count; ++n) text += pieces[random() % std::size(pieces)];
    TParsedDocument parsed;
    ParseAndLayOut(parsed, text);
    std::int32_t widest = 0;
    const std::int32_t height = parsed.doc.DoLogic(5, 37, widest);  // words wider than it
    // Whatever the markup: the only parse error is a comment left open; sections stack
    // from the top without gaps or overlaps; a second layout gives the same result.
    const std::string& error = parsed.parser.ParseError();
    EXPECT_TRUE(error.empty() || error == "Open Comment at End of HTML File") << error;
    const auto& sections = parsed.doc.Sections();
    for (std::size_t n = 0; n < sections.size(); ++n)
      ASSERT_EQ(sections[n]->YValue, 5 + parsed.doc.SectionTop(n)) << "page " << page;
    EXPECT_GE(height, parsed.doc.SectionTop(sections.size()));
    std::string first;
    parsed.doc.Dump(first, 0);
    EXPECT_EQ(parsed.doc.DoLogic(5, 37, widest), height);
    std::string second;
    parsed.doc.Dump(second, 0);
    EXPECT_EQ(first, second) << "page " << page;
  }
}

// Each section, row and cell costs a few hundred bytes: a page of nothing but line breaks
// must not take a hundred times its size.
TEST(HostileInput, PagesOfEndlessLineBreaksStopAtTheSectionLimit) {
  const std::size_t limit = THtmlBuilder::kMaxSections;
  const int count = static_cast<int>(limit) + 1000;
  const struct {
    const char* Name;
    std::string Page;
    bool PlainText;
  } pages[] = {
      {"line breaks", "<b>first</b>" + Repeat("<br>", count), false},
      {"preformatted lines", "<pre><b>first</b>" + Repeat("\n", count), false},
      {"plain-text lines", "first" + Repeat("\n", count), true},
      {"table rows", "<table><tr><td><b>first</b>" + Repeat("<tr><td>", count), false},
  };
  for (const auto& page : pages) {
    TParsedDocument parsed;
    if (page.PlainText)
      parsed.parser.ReadTextBuffer({parsed.doc, parsed.anchors, &parsed.forms}, page.Page);
    else
      parsed.Parse(page.Page);
    EXPECT_EQ(parsed.parser.ParseError(), "Too Many Sections in File") << page.Name;
    std::size_t held = parsed.doc.Sections().size();
    if (const auto* table = dynamic_cast<const ThtmlTable*>(parsed.doc.Sections().at(0).get()))
      held = 2 * table->Rows().size();  // a row and its cell
    EXPECT_GE(held, limit - 10) << page.Name;
    EXPECT_LE(held, limit + 10) << page.Name;
    // What came first is kept.
    const std::string dump = StructureDump(parsed.doc);
    EXPECT_EQ(dump.find("\"first\""), dump.find('"')) << page.Name;
  }
  TParsedDocument belowTheLimit;
  belowTheLimit.Parse(Repeat("<br>", static_cast<int>(limit) - 10));
  EXPECT_EQ(belowTheLimit.parser.ParseError(), "");
}

// Images, links and anchor names have limits of their own, as sections do.
TEST(HostileInput, PagesOfEndlessImagesLinksAndAnchorsStopAtTheirLimits) {
  const auto numbered = [](const std::string& before, std::size_t count) {
    std::string page;
    for (std::size_t n = 0; n < count; ++n) page += before + std::to_string(n) + ">";
    return page;
  };
  const struct {
    std::string Page;
    std::size_t Limit;
    const char* Error;
    std::function<std::size_t(const TParsedDocument&)> Held;
  } pages[] = {
      {numbered("<img src=a", THtmlBuilder::kMaxImages + 100), THtmlBuilder::kMaxImages,
       "Too Many Images in File", [](const auto& p) { return p.doc.ImageList.size(); }},
      {numbered("<a href=x", THtmlBuilder::kMaxLinks + 100), THtmlBuilder::kMaxLinks,
       "Too Many Links in File", [](const auto& p) { return p.doc.LinkList.size(); }},
      {numbered("<a name=n", THtmlBuilder::kMaxAnchors + 100), THtmlBuilder::kMaxAnchors,
       "Too Many Anchors in File", [](const auto& p) { return p.anchors.Count(); }},
  };
  for (const auto& page : pages) {
    TParsedDocument parsed;
    parsed.Parse(page.Page);
    EXPECT_EQ(parsed.parser.ParseError(), page.Error);
    EXPECT_EQ(page.Held(parsed), page.Limit) << page.Error;
  }
}

TEST(HostileInput, FileLargerThanTheCapIsRefused) {
  const std::string path = "parser-file-cap-test.htm";
  std::ofstream(path, std::ios::binary) << std::string(1001, 'x');
  EXPECT_THROW(ReadWholeFile(path, 1000), std::runtime_error);
  EXPECT_EQ(ReadWholeFile(path, 1001).size(), 1001u);
  std::remove(path.c_str());
  EXPECT_THROW(ReadWholeFile("no-such-folder/page.htm", 1000), std::runtime_error);
}

}  // namespace

}  // namespace htmlview
