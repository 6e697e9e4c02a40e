// Pages parsed and laid out on the test canvas, compared whole with the dumps in golden/.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "GoldenFile.h"
#include "ParseKit.h"

namespace htmlview {

namespace {

std::string ReadFile(std::string path) {
#ifdef _WIN32
  path = "Z:" + path;  // Wine sees the build machine's files on drive Z
#endif
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class GoldenPage : public ::testing::TestWithParam<const char*> {};

TEST_P(GoldenPage, ParsedAndLaidOut) {
  const std::string page =
      ReadFile(std::string(PAVINA_PARSER_GOLDEN_DIR) + "/" + GetParam() + ".htm");
  ASSERT_FALSE(page.empty()) << GetParam();
  TParsedDocument parsed;
  parsed.Parse(page);
  const std::string dump = "title \"" + parsed.parser.Title() + "\"\n" + LayoutDump(parsed, 400);
  ExpectGolden(PAVINA_PARSER_GOLDEN_DIR, GetParam(), dump);
}

INSTANTIATE_TEST_SUITE_P(Parser, GoldenPage,
                         ::testing::Values("text", "lists", "tables", "pre", "forms"),
                         [](const auto& info) { return std::string(info.param); });

// The program's own help page: its title, and an anchor for every link inside it.
TEST(Parser, TheProgramsHelpPage) {
  const std::string page = ReadFile(PAVINA_HELP_PAGE);
  ASSERT_FALSE(page.empty());
  TParsedDocument parsed;
  parsed.Parse(page);
  EXPECT_EQ(parsed.parser.ParseError(), "");
  EXPECT_EQ(parsed.parser.Title(), "Pavina Help");
  int inside = 0;
  for (const auto& link : parsed.doc.LinkList) {
    if (link->Url.empty() || link->Url[0] != '#') continue;
    ++inside;
    std::string name = link->Url.substr(1);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_NE(parsed.anchors.Find(name), nullptr) << link->Url;
  }
  EXPECT_GT(inside, 0);
  std::int32_t widest = 0;
  EXPECT_GT(parsed.doc.DoLogic(5, 500, widest), 0);
}

}  // namespace

}  // namespace htmlview
