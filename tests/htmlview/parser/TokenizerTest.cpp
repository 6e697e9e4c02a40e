#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TokenDump.h"
#include "parser/ParseError.h"
#include "parser/SourceReader.h"
#include "parser/Tokenizer.h"

namespace htmlview {

namespace {

struct TTokenCase {
  const char* Name;
  std::string Html;
  const char* Symbols;
};

// Each case: the text and its symbols, one a line (see TokenDump.h).
const TTokenCase kTokenCases[] = {
    // Entities: names compared with case, numeric references, literal fallbacks.
    {"amp", "a&amp;b", "\"a\"\n\"&\"\n\"b\""},
    {"AmpInCapitalsStaysText", "&AMP;", "\"&AMP;\""},
    {"AmpWithoutSemicolon", "&amp b", "\"&\"\n\" b\""},
    {"NumericA", "&#65;", "\"A\""},
    {"NumericEightStaysText", "&#8;", "\"&#8;\""},
    {"NumericTabIsSpace", "&#9;", "\" \""},
    {"NumericLatin1", "&#233;", "\"\\xE9\""},
    {"WideThroughCodePage", "&#8211;&#8364;", "\"\\x96\"\n\"\\x80\""},
    {"WideWithoutCharacterIsQuestionMark", "&#19968;", "\"?\""},
    {"SixDigitsAtMost", "&#0000065", "\"&#000006\"\n\"5\""},
    {"LongDigitRun", "&#99999999999999;", "\"?\"\n\"99999999;\""},
    {"HashWithoutDigits", "&#x41;", "\"&#\"\n\"x41;\""},
    {"Hellip", "&hellip;", "\"...\""},
    {"SpecialEntities", "&lt;&gt;&quot;&rsquo;&ndash;&trade;",
     "\"<\"\n\">\"\n\"\"\"\n\"'\"\n\"-\"\n\"\\x99\""},
    {"Latin1Ends", "&nbsp;&yuml;&frac34;", "\"\\xA0\"\n\"\\xFF\"\n\"\\xBE\""},
    {"UnknownName", "&nbspx;", "\"&nbspx;\""},
    {"EightCharacterName", "&abcdefgh;", "\"&abcdefg\"\n\"h;\""},
    {"BareAmpersand", "& b", "\"&\"\n\" b\""},
    {"AmpersandAtEnd", "x&", "\"x\"\n\"&\""},
    // Tags, end tags, headings, unknown tags and stray "<".
    {"StartAndEnd", "<B>x</b>", "B\n\"x\"\n/B"},
    {"Headings", "<h2>t</H2><h7><H0>", "H2\n\"t\"\n/H2\nH\nH"},
    {"EndOfStartOnlyTagIsUnknown", "</li></BR>", "?\n?"},
    {"UnknownTag", "<style>p{}</style>", "?\n\"p{}\"\n?"},
    {"LessThanSpaceIsText", "a < b", "\"a \"\n\"<\"\n\" b\""},
    {"LessThanSlashSpace", "</ b>", "\"<\"\n\"/ b>\""},
    {"LessThanDigit", "<3", "\"<\"\n\"3\""},
    {"UnterminatedTag", "x<b", "\"x\"\nB"},
    {"AttributesStopAtADigitAfterTheName", "<td1 width=3>", "TD"},
    // Attributes: quoted, numeric, bare; kept only for the tags that read them.
    {"QuotedNumericBare", "<font size=+2 color=\"#ff0000\" face='Arial, Helvetica'>",
     "FONT SIZE=\"+2\"/2 COLOR=\"#ff0000\"/0 FACE=\"Arial, Helvetica\"/0"},
    {"BorderWithoutValue", "<table border width=100 % cellpadding>",
     "TABLE BORDER=\"\"/1 WIDTH=\"100%\"/100 CELLPADDING=\"\"/0"},
    {"QuotedPercent", "<td width=\" 50% \">", "TD WIDTH=\"50%\"/50"},
    {"NumberNotInteger", "<img width=12px height=-3>", "IMG WIDTH=\"12px\"/0 HEIGHT=\"-3\"/-3"},
    {"QuotedEntitiesAndLineEnds", "<img alt=\"x &amp;\r\n y\" src=a.gif>",
     "IMG ALT=\"x & y\"/0 SRC=\"a.gif\"/0"},
    {"QuoteEndsAtGreaterThan", "<a href=\"x>y\">", "A HREF=\"x\"/0\n\"y\">\""},
    {"UnknownAttributeKept", "<p data-x=1 align=right>", "P ?=\"1\"/1 ALIGN=\"right\"/0"},
    {"HttpEquiv", "<meta http-equiv=Refresh content=\"5; url=x.htm\">",
     "META HTTP-EQUIV=\"Refresh\"/0 CONTENT=\"5; url=x.htm\"/0"},
    {"AttributesDroppedForOtherTags", "<b class=x>", "B"},
    {"UnterminatedQuoteAtEnd", "<a href=\"abc", "A HREF=\"abc\"/0"},
    {"AttributeListStopsAtNonLetter", "<a \"x\" href=y>", "A"},
    // Text runs: white space folded, at most 100 characters, control characters apart.
    {"WhiteSpaceFolded", "a \t\r\n  b\r\rc", "\"a b c\""},
    {"ControlCharacters", std::string("a\x01", 2) + std::string("\0b", 2), "\"a\"\n.\n.\n\"b\""},
    {"CodeTwentySixIsNotTheEnd",
     "a\x1a"
     "b",
     "\"a\"\n.\n\"b\""},
    // Comments and declarations.
    {"Comment", "a<!-- x -- >b", "\"a\"\n\"b\""},
    {"CommentWithInnerDashes", "<!-- a -- b ---\r\n>c", "\"c\""},
    {"EmptyComment", "a<!---->b", "\"a\"\n\"b\""},
    {"Declaration", "<!DOCTYPE html>x", "\"x\""},
    {"OpenDeclarationAtEnd", "x<!DOCTYPE", "\"x\""},
};

void PrintTo(const TTokenCase& c, std::ostream* os) {
  *os << c.Name;
}

class TokenizerCase : public ::testing::TestWithParam<TTokenCase> {};

TEST_P(TokenizerCase, Symbols) {
  EXPECT_EQ(DumpSymbols(GetParam().Html), GetParam().Symbols);
}

INSTANTIATE_TEST_SUITE_P(Tokenizer, TokenizerCase, ::testing::ValuesIn(kTokenCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Tokenizer, TextRunsAreCutAtOneHundredCharacters) {
  const std::string text(250, 'x');
  EXPECT_EQ(DumpSymbols(text), "\"" + std::string(100, 'x') + "\"\n\"" + std::string(100, 'x') +
                                   "\"\n\"" + std::string(50, 'x') + "\"");
}

TEST(Tokenizer, NoBreakModeReadsSpacesAsCodeFive) {
  THtmlTokenizer tokenizer;
  tokenizer.Start("a  b\r\nc");
  tokenizer.NoBreak = true;
  ASSERT_EQ(tokenizer.Next(), TSymbol::Text);
  EXPECT_EQ(tokenizer.Token().S,
            "a\x05"
            "b\x05"
            "c");
}

TEST(Tokenizer, PreformattedTextKeepsSpacesAndStopsAtLineEnds) {
  THtmlTokenizer tokenizer;
  tokenizer.Start("a  b\r\nc");
  tokenizer.Preformatted = true;
  ASSERT_EQ(tokenizer.Next(), TSymbol::Text);
  EXPECT_EQ(tokenizer.Token().S, "a  b");
  EXPECT_EQ(tokenizer.Next(), TSymbol::LineEnd);
  ASSERT_EQ(tokenizer.Next(), TSymbol::Text);
  EXPECT_EQ(tokenizer.Token().S, "c");
}

TEST(Tokenizer, EveryCharacterKnowsItsSourceIndex) {
  THtmlTokenizer tokenizer;
  tokenizer.Start("<b>x &hellip;y&amp;</b>");
  tokenizer.Next();
  ASSERT_EQ(tokenizer.Next(), TSymbol::Text);
  EXPECT_EQ(tokenizer.Token().I, (std::vector<std::int32_t>{3, 4}));
  ASSERT_EQ(tokenizer.Next(), TSymbol::Text);  // hellip: its three stops
  EXPECT_EQ(tokenizer.Token().S, "...");
  EXPECT_EQ(tokenizer.Token().I, (std::vector<std::int32_t>{5, 6, 7}));
  ASSERT_EQ(tokenizer.Next(), TSymbol::Text);
  EXPECT_EQ(tokenizer.Token().I, (std::vector<std::int32_t>{13}));
  ASSERT_EQ(tokenizer.Next(), TSymbol::Text);
  EXPECT_EQ(tokenizer.Token().I, (std::vector<std::int32_t>{14}));
}

TEST(Tokenizer, CommentOpenAtTheEndIsAParseError) {
  THtmlTokenizer tokenizer;
  tokenizer.Start("text<!-- never closed -- ");
  ASSERT_EQ(tokenizer.Next(), TSymbol::Text);
  try {
    tokenizer.Next();
    FAIL() << "no parse error";
  } catch (const EParseError& error) {
    EXPECT_STREQ(error.what(), "Open Comment at End of HTML File");
  }
}

TEST(Tokenizer, IncludeDirectiveReadsTheHandlersTextInItsPlace) {
  std::string command;
  std::vector<std::string> params;
  int calls = 0;
  THtmlTokenizer tokenizer;
  tokenizer.SetIncludeHandler(
      [&](const std::string& c, const std::vector<std::string>& p, std::string& buffer) {
        ++calls;
        command = c;
        params = p;
        buffer = "<b>in<!--#include file=x -->";  // a directive inside an include is a comment
      });
  tokenizer.Start("a<!--#include file=\"x.htm\" virtual=y -->z");
  std::string seen;
  for (TSymbol s = tokenizer.Next(); s != TSymbol::EndOfInput; s = tokenizer.Next())
    seen += s == TSymbol::Text ? tokenizer.Token().S : "<" + std::string(TagNameOf(s)) + ">";
  EXPECT_EQ(seen, "a<B>inz");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(command, "INCLUDE");
  EXPECT_EQ(params, (std::vector<std::string>{"file=\"x.htm\"", "virtual=\"y\""}));
}

TEST(Tokenizer, UnquotedIncludeValuesEndAtTheCommentEnd) {
  // Written without a space before "-->", the value must not take the comment's end along,
  // or the rest of the page would be read as an open comment.
  const struct {
    const char* Html;
    const char* Param;
  } cases[] = {
      {"a<!--#include file=x.htm-->z", "file=\"x.htm\""},
      {"a<!--#include n=12--->z", "n=\"12\""},
      {"a<!--#include n=-->z", "n=\"\""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> params;
    THtmlTokenizer tokenizer;
    tokenizer.SetIncludeHandler(
        [&](const std::string&, const std::vector<std::string>& p, std::string& buffer) {
          params = p;
          buffer = "in";
        });
    tokenizer.Start(c.Html);
    std::string seen;
    for (TSymbol s = tokenizer.Next(); s != TSymbol::EndOfInput; s = tokenizer.Next())
      seen += tokenizer.Token().S;
    EXPECT_EQ(seen, "ainz") << c.Html;
    EXPECT_EQ(params, std::vector<std::string>{c.Param}) << c.Html;
  }
}

TEST(Tokenizer, WithoutIncludeHandlerADirectiveIsAComment) {
  EXPECT_EQ(DumpSymbols("a<!--#include file=x -->b"), "\"a\"\n\"b\"");
}

TEST(SourceReader, FoldsLineEndsAndCountsEveryCharacter) {
  TSourceReader reader;
  reader.Start("a\r\nb\n\rc\rd\ne\n\nf");
  std::string chars;
  std::vector<std::int32_t> indexes;
  for (; !reader.AtEnd(); reader.Next()) {
    chars.push_back(static_cast<char>(reader.Ch()));
    indexes.push_back(reader.SourceIndex());
  }
  EXPECT_EQ(chars, "a\rb\rc\rd\re\r\rf");
  EXPECT_EQ(indexes, (std::vector<std::int32_t>{0, 1, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13}));
}

// The line end that waits behind an include keeps its partner folded into it.
TEST(SourceReader, ALineEndHeldBehindAnIncludeStaysOne) {
  for (const char* text : {"x\r\ny", "x\n\ry", "x\ry"}) {
    TSourceReader reader;
    reader.Start(text);
    reader.Next();  // the line end
    reader.BeginInclude("in");
    std::string chars;
    for (; !reader.AtEnd(); reader.Next()) chars.push_back(static_cast<char>(reader.Ch()));
    EXPECT_EQ(chars, "in\ry") << text;
  }
}
}  // namespace

}  // namespace htmlview
