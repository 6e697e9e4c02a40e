// What the parser builds, before layout, for the cases that catch real faults: the
// document's sections with their kinds, alignment, list levels, text and font runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ParseKit.h"
#include "document/ImageObj.h"
#include "forms/FormControlObj.h"

namespace htmlview {

namespace {

struct TBuildCase {
  const char* Name;
  std::string Html;
  const char* Structure;
};

void PrintTo(const TBuildCase& c, std::ostream* os) {
  *os << c.Name;
}

const std::string k23Fonts = [] {
  std::string fonts;
  for (int n = 0; n < 23; ++n) fonts += "<font>";
  return fonts;
}();

const TBuildCase kBuildCases[] = {
    {"TwoBoldStartTagsOneEnd", "<b>x<b>y</b>z", "text left \"xyz\"\n  @0 b\n  @2\n"},
    {"ThreeParagraphsMergeWithTheLastAlign", "a<p><p>\n<p align=right>b",
     "text left \"a\"\nparagraph space\ntext right \"b\"\n"},
    {"ParagraphEndKeepsTheAlignment", "<center><p align=left>a</p>b</center>",
     "paragraph space\ntext left \"a\"\nparagraph space\ntext centre \"b\"\n"},
    {"FontSizeRelativeToBaseFont",
     "<basefont size=3><font size=+2>a</font><font size=9>b</font><font size=-5>c</font>",
     "text left \"abc\"\n  @0 size=18\n  @1 size=36\n  @2 size=8\n  @3\n"},
    {"BaseFontMovesRelativeSizes", "<basefont size=5><font size=+1>a</font>b",
     "text left \"ab\"\n  @0 size=24\n  @1 size=18\n"},
    {"BaseFontIgnoredOnceTheBodyHoldsASection", "x<p>y<basefont size=7>z",
     "text left \"x\"\nparagraph space\ntext left \"yz\"\n"},
    {"NonNumericFontSizeIsIgnored", "<font size=big color=red>a",
     "text left \"a\"\n  @0 color=FF0000\n"},
    // 1 + 23 + 1 fonts fill the stack: the next FONT is not pushed, and its end tag pops
    // the 25th.
    {"FontStackLimit", k23Fonts + "<font size=7>a<font size=1 color=red>b</font>c",
     "text left \"abc\"\n  @0 size=36\n  @2\n"},
    {"OpenCommentAtTheEndKeepsWhatWasBuilt", "<b>kept</b><!-- never closed <p>lost",
     "text left \"kept\"\n  @0 b\n  @4\n"},
    {"LessThanSpaceIsText", "a < b", "text left \"a < b\"\n"},
    {"TextBeforeBodyIsDropped", "<head><style>p {color: red}</style></head><body>text",
     "text left \"text\"\n"},
    {"TextWithoutBodyIsShown", "<head><style>p {}</style></head>text", "text left \"p {}text\"\n"},
    {"TextBeforeBodyStaysAfterABlock", "intro<p>more<body>text",
     "text left \"intro\"\nparagraph space\ntext left \"moretext\"\n"},
    {"ScriptSkippedWithoutHandler", "x<script>if (a<b) { <!-- }</script>y", "text left \"xy\"\n"},
    {"UnknownElementContentIsText", "<blink>a</blink><xmp>b</xmp>", "text left \"ab\"\n"},
    {"NoWrapCellUnlessWidthIsGiven", "<table><tr><td nowrap>a b<td nowrap width=9>c d</table>",
     "table\n  row\n    cell\n      text left \"a\\xA0b\"\n    cell\n      text left \"c d\"\n"},
    {"Lists", "<ul><li>one<li><p>two<ol start=3 type=i><li>three<li>four</ol></ul>after",
     "bullet left level=1 \"one\"\nbullet left level=1 \"two\"\n"
     "number 3 style=i left level=2 \"three\"\nnumber 4 style=i left level=2 \"four\"\n"
     "text left \"after\"\n"},
    {"AnyListEndClosesTheList", "<ol><li>a</ul>b",
     "number 1 style=1 left level=1 \"a\"\ntext left \"b\"\n"},
    {"TextInAListOutsideItems", "<blockquote>quoted<ul><li>i</ul>more</blockquote>",
     "text left level=1 \"quoted\"\nbullet left level=2 \"i\"\ntext left level=1 \"more\"\n"},
    {"DefinitionList", "<dl><dt>term<dd>meaning</dl>",
     "definition left \"term\"\ndefinition left level=1 \"meaning\"\n"},
    {"ListItemOutsideAList", "<li>item <b>bold</b><p>after",
     "bullet left level=1 \"item bold\"\n  @5 b\n  @9\nparagraph space\ntext left \"after\"\n"},
    {"CenterAndDiv", "<center>c<div align=right>r</div>c2</center>l",
     "text centre \"c\"\ntext right \"r\"\ntext centre \"c2\"\ntext left \"l\"\n"},
    {"Headings", "<h1>One</h1>text<h7>x</h7>",
     "heading space 1\ntext left \"One\"\n  @0 size=24 b\nheading space 1\ntext left \"text\"\n"
     "heading space 0\ntext left \"x\"\nheading space 0\n"},
    {"HeadingAlignment", "<h3 align=center>T</h3>",
     "heading space 3\ntext centre \"T\"\n  @0 size=14 b\nheading space 3\n"},
    {"BreakKeepsTheAlignmentAndPassesClear", "<p align=center>a<br clear=right>b<br>c",
     "paragraph space\ntext centre \"a\"\ntext centre clear=2 \"b\"\ntext centre \"c\"\n"},
    {"TwoBreaksLeaveAnEmptyLine", "a<br><br>b",
     "text left \"a\"\ntext left \"\\xA0\"\ntext left \"b\"\n"},
    {"StyleFlags", "x<sub>1</sub><sup>2</sup><u>u</u><s>s</s><i>i</i>",
     "text left \"x12usi\"\n  @1 sub\n  @2 sup\n  @3 u\n  @4 s\n  @5 i\n  @6\n"},
    {"FixedPitchFonts",
     "a<tt>b<font face='Arial, Helvetica' color=red>c</font></tt>d<code>e</code>",
     "text left \"abcde\"\n  @1 size=10 fixed\n  @2 size=10 fixed face=Arial color=FF0000\n"
     "  @3\n  @4 size=10 fixed\n  @5\n"},
    {"BigAndSmall", "<big>a<big>b</big></big><small>c</small><h1><big>d",
     "text left \"abc\"\n  @0 size=14\n  @1 size=18\n  @2 size=10\n  @3\nheading space 1\n"
     "text left \"d\"\n  @0 size=36 b\n"},
    {"Address", "<address>addr</address>after",
     "text left \"addr\"\n  @0 i\ntext left \"after\"\n"},
    {"Links", "<a href=a.htm>x</a>y<a href=b.htm>z<a href=c.htm>w",
     "text left \"xyzw\"\n  @0 link=a.htm\n  @1\n  @2 link=b.htm\n  @3 link=c.htm\n  @4\n"},
    {"Preformatted", "<pre>\n a  b\n<b>c</b>&amp;<p>\nd\n</pre>e",
     "pre left \" a  b\"\n  @0 size=10 fixed\npre left \"c&\"\n  @0 size=10 b fixed\n"
     "  @1 size=10 fixed\npre left \"d\"\n  @0 size=10 fixed\ntext left \"e\"\n"},
    {"PreformattedFontSizes", "<pre><font size=7>x</font>y</pre>",
     "pre left \"xy\"\n  @0 size=30 fixed\n  @1 size=10 fixed\n"},
    {"FontEndInsidePreClosesOnlyItsOwn", "<font size=5><pre></font>x</pre>",
     "pre left \"x\"\n  @0 size=10 fixed\n"},
    {"PreEndsAtTheCellEnd", "<table><tr><td><pre>x</td><td>y</table>",
     "table\n  row\n    cell\n      pre left \"x\"\n        @0 size=10 fixed\n    cell\n"
     "      text left \"y\"\n"},
    {"TableCellsAndCaption",
     "<table><caption align=bottom>cap</caption><tr align=right><th>h<td>d<td align=left>l"
     "</table>",
     "table\n  caption below\n    text centre \"cap\"\n  row\n    cell\n      text right \"h\"\n"
     "        @0 b\n    cell\n      text right \"d\"\n    cell\n      text left \"l\"\n"},
    {"CellAfterRowEndStartsARow", "<table><tr align=right><td>a</tr><td>b</table>",
     "table\n  row\n    cell\n      text right \"a\"\n  row\n    cell\n      text left \"b\"\n"},
    {"CaptionStartsAfreshLikeACell",
     "<table><tr><td nowrap><b><a href=x>a b<caption>c d</caption></table>",
     "table\n  caption\n    text centre \"c d\"\n  row\n    cell\n      text left \"a\\xA0b\"\n"
     "        @0 b link=x\n        @3 b\n"},
    {"NoWrapEndsWithItsCell", "<table>\n<tr><td nowrap>a b</td>\n</tr>\n</table>",
     "table\n  row\n    cell\n      text left \"a\\xA0b\"\n"},
    {"TextBetweenCellsGoesAroundTheTable", "<table><tr>stray<td>in</table>",
     "text left \"stray\"\ntable\n  row\n    cell\n      text left \"in\"\n"},
    {"TableClosesTheLinkAndRestoresFonts", "<a href=x>l<table><tr><td><b><font size=7>c</table>t",
     "text left \"l\"\n  @0 link=x\n  @1\ntable\n  row\n    cell\n      text left \"c\"\n"
     "        @0 size=36 b\ntext left \"t\"\n"},
    {"CharacterSetFromMeta",
     "<meta http-equiv=Content-Type content='text/html; charset=windows-1251'>&#1046;",
     "text left \"\\xC6\"\n  @0 charset=204\n"},
    {"NoBreakAndWordBreak", "<nobr>a b<wbr>c</nobr> d", "text left \"a\\xA0b c d\"\n"},
};

class BuilderCase : public ::testing::TestWithParam<TBuildCase> {};

TEST_P(BuilderCase, Structure) {
  TParsedDocument parsed;
  parsed.Parse(GetParam().Html);
  EXPECT_EQ(StructureDump(parsed.doc), GetParam().Structure);
}

INSTANTIATE_TEST_SUITE_P(Builder, BuilderCase, ::testing::ValuesIn(kBuildCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Builder, OpenCommentAtTheEndIsReportedNotThrown) {
  TParsedDocument parsed;
  parsed.Parse("a<!-- b");
  EXPECT_EQ(parsed.parser.ParseError(), "Open Comment at End of HTML File");
  parsed.Parse("<!-- a -->");
  EXPECT_EQ(parsed.parser.ParseError(), "");
}

TEST(Builder, AHandlersExceptionPropagatesAndWhatWasBuiltStays) {
  TParsedDocument parsed;
  parsed.handlers.OnMeta = [](const std::string&, const std::string&, const std::string&) {
    throw std::runtime_error("handler failed");
  };
  EXPECT_THROW(parsed.Parse("<p>kept<b>bold<meta name=x>lost"), std::runtime_error);
  EXPECT_EQ(StructureDump(parsed.doc), "paragraph space\ntext left \"keptbold\"\n  @4 b\n");
}

TEST(Builder, ATableCutShortKeepsItsCellsAndTheirAnchors) {
  const char* const kInTable = "<table><tr><td><a name=inner>a</a><td>b<meta name=m>c<!-- open";
  const char* const kKept =
      "table\n  row\n    cell\n      text left \"a\"\n    cell\n      text left \"b";
  TParsedDocument commentOpen;
  commentOpen.Parse(kInTable);
  EXPECT_EQ(commentOpen.parser.ParseError(), "Open Comment at End of HTML File");
  EXPECT_EQ(StructureDump(commentOpen.doc), std::string(kKept) + "c\"\n");
  TParsedDocument handlerThrew;
  handlerThrew.handlers.OnMeta = [](const std::string&, const std::string&, const std::string&) {
    throw std::runtime_error("handler failed");
  };
  EXPECT_THROW(handlerThrew.Parse(kInTable), std::runtime_error);
  EXPECT_EQ(StructureDump(handlerThrew.doc), std::string(kKept) + "\"\n");
  for (TParsedDocument* parsed : {&commentOpen, &handlerThrew}) {
    const auto* anchored = dynamic_cast<const TSection*>(parsed->anchors.Find("INNER"));
    ASSERT_NE(anchored, nullptr);
    EXPECT_EQ(anchored->Buffer(), "a");
  }
}

TEST(Builder, TitleBaseAndBodyAttributes) {
  TParsedDocument parsed;
  TColor background = 0;
  parsed.handlers.OnBackground = [&](TColor color) { background = color; };
  parsed.Parse(
      "<html><head><title> The  &amp; title </title><base href='http://x/' target=main></head>"
      "<body bgcolor=#102030 text=green link=red vlink=blue olink=yellow background=bg.gif "
      "marginwidth=500 marginheight=-3>text");
  EXPECT_EQ(parsed.parser.Title(), "The & title");
  EXPECT_EQ(parsed.parser.Base(), "http://x/");
  EXPECT_EQ(parsed.parser.BaseTarget(), "main");
  EXPECT_EQ(background, MakeColor(0x10, 0x20, 0x30));
  EXPECT_EQ(parsed.doc.Background, MakeColor(0x10, 0x20, 0x30));
  EXPECT_EQ(parsed.doc.HotSpotColor, MakeColor(255, 0, 0));
  EXPECT_EQ(parsed.doc.LinkVisitedColor, MakeColor(0, 0, 255));
  EXPECT_EQ(parsed.doc.LinkActiveColor, MakeColor(255, 255, 0));
  EXPECT_TRUE(parsed.doc.LinksActive);
  EXPECT_EQ(parsed.doc.BitmapName, "bg.gif");
  EXPECT_EQ(parsed.parser.Margins().Width, 200);
  EXPECT_EQ(parsed.parser.Margins().Height, 0);
  EXPECT_EQ(StructureDump(parsed.doc), "text left \"text\"\n  @0 color=008000\n");
}

TEST(Builder, AnchorsAreUpperCaseWithoutHashAndKeepTheirSection) {
  TParsedDocument parsed;
  parsed.Parse("<a name='#Top'></a><body><p>x<a href=b.htm name=Mid>z</a><h2><a name=top>t</a>");
  ASSERT_EQ(parsed.anchors.Count(), 2u);
  const auto& sections = parsed.doc.Sections();
  // The anchor before BODY moves to the section BODY starts; the first "top" wins.
  ASSERT_NE(parsed.anchors.Find("TOP"), nullptr);
  EXPECT_EQ(parsed.anchors.Find("TOP"), sections.at(0).get());
  ASSERT_NE(parsed.anchors.Find("MID"), nullptr);
  EXPECT_EQ(static_cast<const TSection*>(parsed.anchors.Find("MID"))->Buffer(), "xz");
  EXPECT_EQ(parsed.anchors.Find("#TOP"), nullptr);
}

TEST(Builder, HandlersHearMetaSoundScriptAndInclude) {
  TParsedDocument parsed;
  std::vector<std::string> heard;
  parsed.handlers.OnMeta = [&](const std::string& httpEquiv, const std::string& name,
                               const std::string& content) {
    heard.push_back("meta " + httpEquiv + "|" + name + "|" + content);
  };
  parsed.handlers.OnSoundRequest = [&](const std::string& src, int loop, bool terminate) {
    heard.push_back("sound " + src + " " + std::to_string(loop) + (terminate ? " stop" : ""));
  };
  parsed.handlers.OnScript = [&](const std::string& name, const std::string& language,
                                 const std::string& script) {
    heard.push_back("script " + name + "|" + language + "|" + script);
  };
  parsed.handlers.OnInclude = [&](const std::string& command, const std::vector<std::string>&,
                                  std::string& buffer) {
    heard.push_back("include " + command);
    buffer = "<i>included</i>";
  };
  parsed.Parse(
      "<meta http-equiv=refresh content=\"5; url=next.htm\"><meta name=author content=me>"
      "<bgsound src=a.wav><bgsound src=b.wav loop=3>"
      "<script language=JavaScript name=s>a<b\r\n</scriptx></SCRIPT>"
      "<!--#include file=\"x.htm\" -->!");
  EXPECT_EQ(heard,
            (std::vector<std::string>{"meta refresh||5; url=next.htm", "meta |author|me",
                                      "sound a.wav 1", "sound b.wav 3",
                                      "script s|JavaScript|a<b\r\n</scriptx>", "include INCLUDE"}));
  EXPECT_EQ(StructureDump(parsed.doc), "text left \"included!\"\n  @0 i\n  @8\n");
}

TEST(Builder, FormsAndTheirControlsInTheText) {
  TParsedDocument parsed;
  parsed.Parse(
      "<form action=go><input name=q> <select name=s><option>a<option selected value=2>b"
      "</select><textarea name=t>x &amp; y\r\nz</textarea><input type=hidden name=h value=1>"
      "<input type=image src=i.gif name=img></form><input type=checkbox name=c checked>");
  ASSERT_EQ(parsed.forms.Forms().size(), 2u);  // the check box gets a form of its own
  ASSERT_EQ(parsed.forms.Controls().size(), 6u);
  const auto& section = static_cast<const TSection&>(*parsed.doc.Sections().at(0));
  // Edit, space, list, text area, image, check box; the hidden field takes no place.
  EXPECT_EQ(section.Buffer(), "\x02 \x02\x02\x04\x02");
  ASSERT_EQ(section.Images().size(), 1u);
  EXPECT_NE(section.Images()[0]->FormControl, nullptr);
  std::vector<std::string> entries;
  for (TFormControlObj* control : parsed.forms.Controls()) control->AddSubmitEntries(entries);
  EXPECT_EQ(entries, (std::vector<std::string>{"q=", "s=2", "t=x & y\r\nz", "h=1", "c=on"}));
}

TEST(Builder, MapsNeedTheirEndTag) {
  TParsedDocument closed;
  closed.Parse("<map name=m>\n<area coords=0,0,4,4 href=a.htm> text </map>after");
  EXPECT_EQ(closed.forms.Maps().size(), 1u);
  EXPECT_EQ(StructureDump(closed.doc), "text left \"after\"\n");
  TParsedDocument open;
  open.Parse("<map name=m><area coords=0,0,4,4 href=a.htm><hr><hr><p>after");
  EXPECT_TRUE(open.forms.Maps().empty());
  EXPECT_EQ(StructureDump(open.doc), "paragraph space\ntext left \"after\"\n");
}

TEST(Builder, PlainTextIsOnePreformattedLineEach) {
  TParsedDocument parsed;
  // A NUL and other control characters read as spaces.
  parsed.parser.ReadTextBuffer({parsed.doc, parsed.anchors, &parsed.forms},
                               std::string("a\tb <i>&amp;\r\n\x04"
                                           "c\n\nd",
                                           20));
  EXPECT_EQ(StructureDump(parsed.doc),
            "pre left \"a b <i>&amp;\"\n  @0 size=10 fixed\npre left \" c\"\n  @0 size=10 fixed\n"
            "pre left \"\"\n  @0 size=10 fixed\npre left \"d \"\n  @0 size=10 fixed\n");
}

}  // namespace

}  // namespace htmlview
