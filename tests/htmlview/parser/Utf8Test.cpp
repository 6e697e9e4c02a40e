// Pages in UTF-8: decoded into the document's code page, each character at its first byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ParseKit.h"

namespace htmlview {

namespace {

// ¶ é – “ ” no-break space, and a CJK character, which code page 1252 has not.
const std::string kText =
    "\xC2\xB6 \xC3\xA9 \xE2\x80\x93 \xE2\x80\x9Cq\xE2\x80\x9D\xC2\xA0x \xE4\xB8\xAD.";
const std::string kShown = "\xB6 \xE9 \x96 \x93q\x94\xA0x ?.";

const TSection& FirstText(const TCell& cell) {
  for (const auto& section : cell.Sections())
    if (const auto* text = dynamic_cast<const TSection*>(section.get())) return *text;
  throw std::runtime_error("no text");
}

TEST(Utf8Pages, TextAndTitleShowInTheCodePage) {
  const struct {
    const char* Name;
    std::string Page;
    std::string Shown;
    std::string Title;
  } cases[] = {
      {"byte-order mark", "\xEF\xBB\xBF<title>\xC3\xA9t\xC3\xA9</title>" + kText, kShown,
       "\xE9t\xE9"},
      {"META",
       "<title>\xC3\xA9</title><meta http-equiv=Content-Type content='text/html; "
       "charset=UTF-8'>" +
           kText,
       kShown, "\xE9"},
      {"bytes alone", kText, kShown, ""},
      // Broken sequences: a cut sequence reads as one "?" up to the byte that cuts it.
      {"broken",
       "\xEF\xBB\xBF"
       "a\xC3(b\xE2\x80"
       "c\x80\xC0\xAF"
       "d\xF0\x9F\x98",
       "a?(b?c???d?", ""},
      // Not UTF-8 throughout: the bytes are the code page's.
      {"code page 1252", "caf\xE9 \xC3\xA9", "caf\xE9 \xC3\xA9", ""},
      {"ASCII", "plain &eacute; &#8211;", "plain \xE9 \x96", ""},
  };
  for (const auto& c : cases) {
    TParsedDocument parsed;
    parsed.Parse(c.Page);
    EXPECT_EQ(FirstText(parsed.doc).Buffer(), c.Shown) << c.Name;
    EXPECT_EQ(parsed.parser.Title(), c.Title) << c.Name;
  }
}

// Selection, copy and find map characters back to the page: each keeps its first byte.
TEST(Utf8Pages, SourceIndexesPointAtTheFirstByte) {
  TParsedDocument parsed;
  parsed.Parse("\xEF\xBB\xBF\xC3\xA9\xE2\x80\x93x\xE4\xB8\xAD");
  std::int32_t widest = 0;
  parsed.doc.DoLogic(0, 400, widest);
  std::vector<std::int32_t> sources;
  for (std::int32_t pos = 0; pos < 4; ++pos) sources.push_back(parsed.doc.FindSourcePos(pos));
  EXPECT_EQ(sources, (std::vector<std::int32_t>{3, 5, 8, 9}));

  // Plain text: the first line of a file in UTF-8 without a byte-order mark.
  TParsedDocument text;
  text.parser.ReadTextBuffer({text.doc, text.anchors, &text.forms}, "\xC3\xA9t\xC3\xA9\n\xC2\xB6");
  EXPECT_EQ(FirstText(text.doc).Buffer(), "\xE9t\xE9");
}

}  // namespace

}  // namespace htmlview
