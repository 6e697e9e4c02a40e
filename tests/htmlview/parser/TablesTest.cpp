#include <gtest/gtest.h>

#include <string>

#include "parser/AttributeNames.h"
#include "parser/CodePages.h"
#include "parser/Entities.h"
#include "parser/Symbols.h"

namespace htmlview {

namespace {

const char* const kTags[] = {
    "HTML", "TITLE",  "BODY",    "HEAD",  "B",        "I",          "H",        "EM",     "STRONG",
    "U",    "CITE",   "VAR",     "TT",    "CODE",     "KBD",        "SAMP",     "OL",     "UL",
    "DIR",  "MENU",   "DL",      "A",     "ADDRESS",  "BLOCKQUOTE", "PRE",      "CENTER", "TABLE",
    "TD",   "TH",     "CAPTION", "FORM",  "TEXTAREA", "SELECT",     "OPTION",   "FONT",   "SUB",
    "SUP",  "BIG",    "SMALL",   "P",     "MAP",      "FRAMESET",   "NOFRAMES", "SCRIPT", "DIV",
    "S",    "STRIKE", "TR",      "NOBR",  "LI",       "BR",         "HR",       "DD",     "DT",
    "IMG",  "BASE",   "BUTTON",  "INPUT", "SELECTED", "BASEFONT",   "AREA",     "FRAME",  "BGSOUND",
    "WRAP", "META",   "WBR"};

TEST(TagTable, SixtySixTagsOfWhichFortyNineHaveEndSymbols) {
  ASSERT_EQ(sizeof kTags / sizeof kTags[0], 66u);
  int withEnd = 0;
  int keeping = 0;
  for (int i = 0; i < 66; ++i) {
    const TSymbol start = StartSymbolOf(kTags[i]);
    EXPECT_EQ(static_cast<int>(start), i) << kTags[i];
    EXPECT_EQ(TagNameOf(start), kTags[i]);
    const TSymbol end = EndSymbolOf(kTags[i]);
    if (end != TSymbol::UnknownTag) {
      ++withEnd;
      EXPECT_EQ(TagNameOf(end), kTags[i]);
      EXPECT_LT(i, 49) << kTags[i];
    }
    keeping += KeepsAttributes(start);
  }
  EXPECT_EQ(withEnd, 49);
  EXPECT_EQ(keeping, 31);
  EXPECT_EQ(StartSymbolOf("html"), TSymbol::UnknownTag);  // callers give upper case
  EXPECT_EQ(StartSymbolOf("STYLE"), TSymbol::UnknownTag);
  EXPECT_TRUE(KeepsAttributes(TSymbol::Meta));
  EXPECT_FALSE(KeepsAttributes(TSymbol::B));
}

TEST(AttributeTable, NamesAndTheirSymbols) {
  EXPECT_EQ(AttributeSymbolOf("HREF"), TAttrSymbol::HREF);
  EXPECT_EQ(AttributeSymbolOf("VALUE"), TAttrSymbol::VALUE);
  EXPECT_EQ(AttributeSymbolOf("HTTP-EQUIV"), TAttrSymbol::HTTP_EQUIV);
  EXPECT_EQ(AttributeSymbolOf("NOWRAP"), TAttrSymbol::NOWRAP);
  EXPECT_EQ(AttributeSymbolOf("CLASS"), TAttrSymbol::Unknown);
  // Every symbol has its name, and the name leads back to it.
  for (int i = 0; i < static_cast<int>(TAttrSymbol::Unknown); ++i) {
    const auto symbol = static_cast<TAttrSymbol>(i);
    ASSERT_FALSE(AttributeNameOf(symbol).empty()) << i;
    EXPECT_EQ(AttributeSymbolOf(AttributeNameOf(symbol)), symbol);
  }
}

TEST(EntityTable, LatinEntitiesRunFromNbspToYumlInCodeOrder) {
  const char* const names[] = {"nbsp",  "copy",  "shy", "frac14", "AElig", "ETH",
                               "szlig", "aelig", "eth", "divide", "yuml"};
  const int codes[] = {160, 169, 173, 188, 198, 208, 223, 230, 240, 247, 255};
  for (std::size_t i = 0; i < std::size(names); ++i) {
    const std::string_view text = EntityText(names[i]);
    ASSERT_EQ(text.size(), 1u) << names[i];
    EXPECT_EQ(static_cast<unsigned char>(text[0]), codes[i]) << names[i];
  }
  EXPECT_TRUE(EntityText("Nbsp").empty());
  EXPECT_TRUE(EntityText("euro").empty());
}

TEST(CharacterSets, FromContentTypeFirstMatchWins) {
  const struct {
    const char* Content;
    int Charset;
  } cases[] = {
      {"text/html; charset=windows-1252", kAnsiCharset},
      {"text/html; charset=iso-8859-1", kAnsiCharset},
      {"text/html; charset=iso-8859-7", kGreekCharset},
      {"text/html; charset=windows-1250", kEastEuropeCharset},
      {"text/html; charset=koi8-r", kCyrillicCharset},
      {"TEXT/HTML; CHARSET=KOI8-R", kCyrillicCharset},
      {"text/html; charset=iso-8859-9", kTurkishCharset},
      {"text/html; charset=iso-8859-4", kBalticCharset},
      {"text/html; charset=utf-8", 77},     // unchanged
      {"x-1251-and-8859-1", kAnsiCharset},  // "1252" and "8859-1" are searched first
  };
  for (const auto& c : cases)
    EXPECT_EQ(CharsetFromContentType(c.Content, 77), c.Charset) << c.Content;
}

TEST(CodePages, WideCharactersThroughEachCodePage) {
  const struct {
    std::uint32_t Code;
    int CodePage;
    unsigned char Byte;
  } cases[] = {
      {0x20AC, 1252, 0x80}, {0x2014, 1252, 0x97}, {0x0416, 1251, 0xC6}, {0x03A9, 1253, 0xD9},
      {0x0150, 1250, 0xD5}, {0x011E, 1254, 0xD0}, {0x0101, 1257, 0xE2}, {0x0416, 1252, '?'},
      {0x4E00, 1251, '?'},  {0x0416, 874, '?'},
  };
  for (const auto& c : cases)
    EXPECT_EQ(static_cast<unsigned char>(WideCharToCodePage(c.Code, c.CodePage)), c.Byte)
        << std::hex << c.Code << " in " << std::dec << c.CodePage;
  EXPECT_EQ(CodePageOfCharset(kCyrillicCharset), 1251);
  EXPECT_EQ(CodePageOfCharset(kDefaultCharset), 1252);
}

}  // namespace

}  // namespace htmlview
